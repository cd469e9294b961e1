// The sequence every file operation shares: start report, expected duration,
// one ffmpeg run, completion report.
#pragma once
#include <string>

// Argument strings are built in a buffer of this size; a longer one is refused.
const size_t kArgumentBufferSize = 4096;

// Step 1: [QMT_Status] Processing, [QMT_Progress] 0, [QMT_Error] "".
void BeginOperation();
// Refuses (with a reported error, nothing run) an argument string that does
// not fit the argument buffer.
bool ArgumentsFit(const std::string& arguments);
// Runs ffmpeg and, on success, reports completion with `output`. False when
// the run failed (already reported) or the arguments were refused.
bool FinishOperation(const std::string& arguments, double expectedSeconds, const std::string& output);
// The whole frame for a one-run action whose expected duration is that of `probeInput`.
bool RunOperation(const std::string& probeInput, const std::string& arguments, const std::string& output);
// Re-encodes `input` through one video filter graph, copying the audio.
bool ApplyVideoFilter(const std::string& input, const std::string& filter, const std::string& output);
