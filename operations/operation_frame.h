// The sequence every file operation shares: start report, expected duration,
// one ffmpeg run, completion report.
#pragma once
#include <initializer_list>
#include <string>
#include "toolchain/command_builder.h"
#include "toolchain/process_runner.h"

// Argument strings are built in a buffer of this size; a longer one is refused.
const size_t kArgumentBufferSize = 4096;

// Step 1: [QMT_Status] Processing, [QMT_Progress] 0, [QMT_Error] "".
void BeginOperation();
// Refuses an argument string that does not fit the argument buffer.
Outcome ArgumentsFit(const std::string& arguments);
// Refuses a command whose assembly was refused or that does not fit.
Outcome CommandFits(const CommandOutcome& command);
// The first refusal among the commands of a multi-run operation, all checked
// before the first runs.
Outcome CommandsFit(std::initializer_list<CommandOutcome> commands);
// One run of a multi-run operation: the command is checked, then run; a
// refused command is not run.
Outcome RunStep(const CommandOutcome& command, double expectedSeconds);
Outcome RunStep(const CommandOutcome& command, InputLengthTimes expected);
// Runs ffmpeg and reports the outcome: completion with `output`, or the
// failure. False when the command was refused or the run failed.
bool FinishOperation(const CommandOutcome& command, double expectedSeconds, const std::string& output);
bool FinishOperation(const CommandOutcome& command, InputLengthTimes expected, const std::string& output);
// The whole frame for a one-run action whose output is as long as its first
// input; a refused command is reported before anything runs.
bool RunOperation(const CommandOutcome& command, const std::string& output);
// Re-encodes `input` through one video filter graph, copying the audio. The
// filter text fills one quoted slot whole, so it is one argument whatever it holds.
bool ApplyVideoFilter(const std::string& input, const std::string& filter, const std::string& output);
