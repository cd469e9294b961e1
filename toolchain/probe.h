// Questions about a media file, answered by ffprobe.
#pragma once
#include <string>

// Duration in seconds; 0 when unknown.
double ProbeDurationSeconds(const std::string& path);
// Trailing CR, LF and spaces removed, never the first character.
std::string TrimAnswer(const std::string& text);
