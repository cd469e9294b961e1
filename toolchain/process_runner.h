// The two ways of running an FFmpeg tool: an encoding job with progress, and a
// query whose printed answer is captured.
#pragma once
#include <string>
#include "host/outcome.h"
#include "toolchain/command_builder.h"

// Runs ffmpeg with "-y" and `arguments`; `totalSeconds` > 0 turns "time="
// reports into [QMT_Progress]. A failure (tools not found, not started, a
// non-zero exit with its failure log) is reported at once and the outcome
// says so.
Outcome RunFFmpeg(const std::string& arguments, double totalSeconds);
// The same for an assembled command; one that was refused is reported and not run.
Outcome RunFFmpeg(const CommandOutcome& command, double totalSeconds);

// An output as long as the run's first input times `factor`, that length
// read from what ffmpeg itself prints of the input ("Duration: ..."), so that
// the progress figures cost no ffprobe run before the job.
struct InputLengthTimes {
    double factor;
};
Outcome RunFFmpeg(const CommandOutcome& command, InputLengthTimes expected);
// The first input's length in a tool's output, 0 when it gives none
// ("Duration: N/A"), -1 when the line has not come yet.
double ReportedInputSeconds(const std::string& toolOutput);
// Runs ffprobe; `output` receives at most `bufferSize - 1` bytes of what it
// printed. True only for exit code 0. Tools that cannot be found or started
// are reported at once, as for ffmpeg; the caller goes on without an answer.
bool CaptureToolOutput(const std::string& arguments, std::string& output, size_t bufferSize);
// The same for worker threads: runs the `ffprobe` it is given, without
// locating the tools, reading g_tools or touching host variables.
bool CaptureLocatedToolOutput(const std::string& ffprobe, const std::string& arguments, std::string& output,
                              size_t bufferSize);

// Scans one chunk of tool output for "time=" reports and writes each as a
// percentage of `totalSeconds`. Returns the number of reports written.
int ScanProgressChunk(const char* chunk, double totalSeconds);
// Percentage for one elapsed time, truncated and clamped to 0..100.
int ProgressPercent(double elapsedSeconds, double totalSeconds);
// Full path of the failure log.
std::string FailureLogPath();

// Test hook: receives every ffmpeg command line just before it starts.
void SetCommandObserver(void (*observer)(const char* commandLine));
