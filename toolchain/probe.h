// Questions about a media file, answered by ffprobe.
#pragma once
#include <string>

struct ToolPaths;

// Duration in seconds; 0 when unknown.
double ProbeDurationSeconds(const std::string& path);
// The same for worker threads: no host variables, the tools they were given.
double ProbeDurationQuietly(const ToolPaths& tools, const std::string& path);
// Does the file have an audio stream? For worker threads, like the above.
bool HasAudioStreamQuietly(const ToolPaths& tools, const std::string& path);
// The frame rate ("num/den") to give a file's picture when it is re-encoded,
// from ffprobe's r_frame_rate and avg_frame_rate. r_frame_rate is the rate
// every timestamp fits, which a stream-copy join with a gap in it drives up
// (100/1 for a 25 fps file); then the average rate, taken to the nearest common
// rate within 3% of it (25/1 for 2000/81), holds. "25/1" when neither is usable.
std::string ChooseFrameRate(const std::string& rFrameRate, const std::string& avgFrameRate);
// ChooseFrameRate of the first video stream; with `seconds`, the file's
// duration from the same ffprobe run (0 when unknown).
std::string ProbeFrameRate(const std::string& path, double* seconds = nullptr);
// Trailing CR, LF and spaces removed, never the first character.
std::string TrimAnswer(const std::string& text);
