// Questions about a media file, answered by ffprobe.
#pragma once
#include <string>

// Duration in seconds; 0 when unknown.
double ProbeDurationSeconds(const std::string& path);
// The same for worker threads: no host variables, tools already located.
double ProbeDurationQuietly(const std::string& path);
// Does the file have an audio stream? For worker threads, like the above.
bool HasAudioStreamQuietly(const std::string& path);
// Trailing CR, LF and spaces removed, never the first character.
std::string TrimAnswer(const std::string& text);
