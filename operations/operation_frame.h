// The sequence every file operation shares: start report, expected duration,
// one ffmpeg run, completion report.
#pragma once
#include <string>
#include "toolchain/command_builder.h"
#include "toolchain/process_runner.h"

// Argument strings are built in a buffer of this size; a longer one is refused.
const size_t kArgumentBufferSize = 4096;

// Step 1: [QMT_Status] Processing, [QMT_Progress] 0, [QMT_Error] "".
void BeginOperation();
// Refuses (with a reported error, nothing run) an argument string that does
// not fit the argument buffer.
bool ArgumentsFit(const std::string& arguments);
// Reports a refused command once; true when `command` may run.
bool CommandAccepted(const CommandOutcome& command);
// One run of a multi-run operation: the command is checked, then run; false
// when it was refused or failed (both already reported).
bool RunStep(const CommandOutcome& command, double expectedSeconds);
bool RunStep(const CommandOutcome& command, InputLengthTimes expected);
// Runs ffmpeg and, on success, reports completion with `output`. False when
// the run failed (already reported) or the command was refused.
bool FinishOperation(const CommandOutcome& command, double expectedSeconds, const std::string& output);
bool FinishOperation(const CommandOutcome& command, InputLengthTimes expected, const std::string& output);
// The whole frame for a one-run action whose output is as long as its first
// input; a refused command is reported before anything runs.
bool RunOperation(const CommandOutcome& command, const std::string& output);
// Re-encodes `input` through one video filter graph, copying the audio. The
// filter text fills one quoted slot whole, so it is one argument whatever it holds.
bool ApplyVideoFilter(const std::string& input, const std::string& filter, const std::string& output);
