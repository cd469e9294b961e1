// The plug-in's process runner on Win32, linked in directly: a real Windows
// ffmpeg failing, and this program standing in for a tool (its exit codes,
// and progress reports on both of its pipes).
#include "tests/wine/wine_checks.h"
#include "host/host_state.h"
#include "platform/platform.h"
#include "toolchain/process_runner.h"
#include "toolchain/tool_location.h"

QMT_WINE_CHECKS(runner) {
    const std::string& tools = ctx.tools;
    const std::string& work = ctx.work;
    const std::string log = work + "\\qmt_ffmpeg_fail.txt";
    CheckEq(FailureLogPath(), log, "failure log in the temporary folder");

    // A real ffmpeg.exe failing on a missing input.
    Check(TryFFmpegFolder(tools), "TryFFmpegFolder accepts the tools folder");
    g_tools.ffmpegFound = true;
    g_writes.clear();
    Check(!RunFFmpeg("-i \"" + work + "\\missing.mp4\" \"" + work + "\\never.mp4\"", 0).ok, "missing input fails");
    CheckEq(Last("[QMT_Error]"), "FFmpeg failed (exit 1)\nLog: " + log, "failure message");
    std::string text = ReadAll(log);
    Check(text.find("FFmpeg output:\r\n") != std::string::npos && text.find("missing.mp4") != std::string::npos,
          "log holds ffmpeg's own error output (stderr through the pipe)");
    bool bareLf = false;
    for (size_t i = 0; i < text.size(); ++i) bareLf = bareLf || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'));
    Check(!bareLf && text.size() > 60, "every line of the log ends in CR LF");

    // Stand-in tool: exit status as an unsigned number, progress per report.
    UseTools(ctx.self, ctx.self);
    g_writes.clear();
    Check(!RunFFmpeg("--pretend-tool 3221225477 \"access violation\"", 0).ok, "a crashing tool fails");
    CheckEq(Last("[QMT_Error]"), "FFmpeg failed (exit 3221225477)\nLog: " + log, "0xC0000005 as unsigned decimal");
    CheckEq(ReadAll(log).substr(0, 24), "Exit code: 3221225477\r\n\r", "log of the crash");
    Check(WritesOf("[QMT_Progress]").empty(), "no progress without a total");

    g_writes.clear();
    Outcome reports = RunFFmpeg("--pretend-tool 0 \"frame=1 time=00:00:30.00 bitrate=1\" --pause 300 "
                                "--err \"frame=2 time=00:01:30.00 speed=1x\" --pause 300 \"time=00:02:10.00\" "
                                "--pause 300 \"time=-1:00:00.00\" --pause 300 \"time=N/A\"",
                                120);
    Check(reports.ok, "stand-in tool ending with 0 succeeds");
    CheckEq(Join(WritesOf("[QMT_Progress]")), "25,75,100,0", "progress from stdout and stderr reports");

    // Captured output: the buffer's size bounds the answer.
    std::string answer;
    Check(CaptureToolOutput("--pretend-tool 0 0123456789abcdefghij", answer, 11), "capture with exit 0");
    CheckEq(answer, "0123456789", "capture keeps size - 1 bytes");
    Check(!CaptureToolOutput("--pretend-tool 2 whatever", answer, 256), "capture with a non-zero exit is false");
    g_tools.ffprobePath = work + "\\gone\\ffprobe.exe";
    g_writes.clear();
    Check(!CaptureToolOutput("-version", answer, 256), "a missing ffprobe fails");
    CheckEq(Last("[QMT_Error]"), "Failed to run ffprobe.", "missing ffprobe message");
}
