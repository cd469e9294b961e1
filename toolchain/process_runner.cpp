// Running ffmpeg (with progress and a failure log) and ffprobe (captured).
#include "toolchain/process_runner.h"
#include <cstdio>
#include <cstring>
#include <vector>
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "toolchain/command_builder.h"
#include "toolchain/tool_location.h"

static void (*g_commandObserver)(const char*) = nullptr;
void SetCommandObserver(void (*observer)(const char*)) { g_commandObserver = observer; }

static const size_t kLogSize = 16384;
static const unsigned long kChunk = 4095;

// The runner's failures are reported as they happen: a caller's own message,
// when it adds one, comes after them.
static Outcome ReportedFailure(const std::string& message) {
    ReportError(message);
    return Outcome{false, message, true};
}

static Outcome EnsureTools() {
    if (!g_tools.ffmpegFound && !LocateFFmpeg()) return ReportedFailure(msg::kFFmpegNotFound);
    SetHostVar("[QMT_FFmpegPath]", g_tools.ffmpegFolder);
    return Done();
}

int ProgressPercent(double elapsedSeconds, double totalSeconds) {
    double pct = elapsedSeconds / totalSeconds * 100.0;
    // Clamp before the conversion so huge values cannot overflow the int.
    if (pct < 0) return 0;
    if (pct > 100) return 100;
    return static_cast<int>(pct);
}

int ScanProgressChunk(const char* chunk, double totalSeconds) {
    int written = 0;
    const char* at = strstr(chunk, "time=");
    while (at) {
        const char* p = at + 5;
        while (*p == ' ') ++p;
        int hours = 0, minutes = 0;
        double seconds = 0;
        if (sscanf(p, "%d:%d:%lf", &hours, &minutes, &seconds) == 3) {
            ReportRunProgress(ProgressPercent(hours * 3600.0 + minutes * 60.0 + seconds, totalSeconds));
            ++written;
        }
        at = strstr(at + 5, "time=");
    }
    return written;
}

std::string FailureLogPath() { return plat::TempFolder() + "qmt_ffmpeg_fail.txt"; }

double ReportedInputSeconds(const std::string& toolOutput) {
    size_t at = toolOutput.find("Duration: ");
    if (at == std::string::npos || toolOutput.find('\n', at) == std::string::npos) return -1;
    int hours = 0, minutes = 0;
    double seconds = 0;
    if (sscanf(toolOutput.c_str() + at + 10, "%d:%d:%lf", &hours, &minutes, &seconds) != 3) return 0;
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

namespace {

// `inputFactor` > 0: the expected length is the first input's, as the tool
// reports it, times that factor.
Outcome Run(const std::string& arguments, double totalSeconds, double inputFactor) {
    Outcome tools = EnsureTools();
    if (!tools.ok) return tools;
    std::string commandLine = BuildCommand("\"%s\" -y ", {{"Tool", g_tools.ffmpegPath}}).text + arguments;
    if (g_commandObserver) g_commandObserver(commandLine.c_str());
    plat::ChildProcess child;
    if (!plat::StartHidden(commandLine, child)) return ReportedFailure(msg::kFFmpegLaunchFailed);
    std::string log;
    log.reserve(kLogSize);
    char chunk[kChunk + 1];
    while (true) {
        bool ended = plat::HasExited(child);
        while (unsigned long waiting = plat::BytesWaiting(child)) {
            long n = plat::ReadPipe(child, chunk, waiting < kChunk ? waiting : kChunk);
            if (n <= 0) break;
            chunk[n] = 0;
            // Keeps the beginning of the output; a chunk that does not fit is
            // dropped while a later, smaller one may still go in.
            if (log.size() + static_cast<size_t>(n) < kLogSize - 1) log.append(chunk, static_cast<size_t>(n));
            if (inputFactor > 0) {
                // The input's report comes before the first "time=".
                double input = ReportedInputSeconds(log);
                if (input >= 0) {
                    totalSeconds = input * inputFactor;
                    inputFactor = 0;
                }
            }
            if (totalSeconds > 0) ScanProgressChunk(chunk, totalSeconds);
        }
        plat::PumpMessages();
        if (ended) break;
        // At most 50 ms between message pumps, but no waiting once the tool
        // has ended or has more to say.
        plat::WaitChildOrInput(child, 50);
    }
    while (unsigned long waiting = plat::BytesWaiting(child)) {
        if (plat::ReadPipe(child, chunk, waiting < kChunk ? waiting : kChunk) <= 0) break;
    }
    unsigned long exitCode = plat::ExitCode(child);
    plat::CloseChild(child);
    if (exitCode == 0) return Done();

    std::string logPath = FailureLogPath();
    plat::WriteTextFile(logPath, Fmt("Exit code: %lu\n\nCommand:\n%s\n\nFFmpeg output:\n%s\n", exitCode,
                                     commandLine.c_str(), log.c_str()));
    return ReportedFailure(Fmt(msg::kFFmpegFailed, exitCode, logPath.c_str()));
}

}  // namespace

Outcome RunFFmpeg(const std::string& arguments, double totalSeconds) { return Run(arguments, totalSeconds, 0); }

Outcome RunFFmpeg(const CommandOutcome& command, double totalSeconds) {
    if (!command.ok) return ReportedFailure(command.error);
    return Run(command.text, totalSeconds, 0);
}

Outcome RunFFmpeg(const CommandOutcome& command, InputLengthTimes expected) {
    if (!command.ok) return ReportedFailure(command.error);
    return Run(command.text, 0, expected.factor);
}

static bool Capture(const std::string& ffprobe, const std::string& arguments, std::string& output, size_t bufferSize,
                    bool& started) {
    std::string commandLine = BuildCommand("\"%s\" ", {{"Tool", ffprobe}}).text + arguments;
    plat::ChildProcess child;
    started = plat::StartHidden(commandLine, child);
    if (!started) return false;
    output.clear();
    if (bufferSize >= 2) {
        std::vector<char> buffer(bufferSize);
        size_t have = 0;
        while (have < bufferSize - 1) {
            long n = plat::ReadPipe(child, buffer.data() + have, static_cast<unsigned long>(bufferSize - 1 - have));
            if (n <= 0) break;
            have += static_cast<size_t>(n);
        }
        buffer[have] = 0;
        output.assign(buffer.data(), strlen(buffer.data()));
    }
    plat::WaitExit(child, 10000);
    unsigned long exitCode = plat::ExitCode(child);
    plat::CloseChild(child);
    return exitCode == 0;
}

bool CaptureToolOutput(const std::string& arguments, std::string& output, size_t bufferSize) {
    if (!EnsureTools().ok) return false;
    bool started = false;
    bool ok = Capture(g_tools.ffprobePath, arguments, output, bufferSize, started);
    if (!started) ReportError(msg::kProbeLaunchFailed);
    return ok;
}

bool CaptureLocatedToolOutput(const std::string& ffprobe, const std::string& arguments, std::string& output,
                              size_t bufferSize) {
    bool started = false;
    return Capture(ffprobe, arguments, output, bufferSize, started);
}
