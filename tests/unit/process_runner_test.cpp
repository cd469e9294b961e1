// The runner against the real ffmpeg: progress, the failure log and messages.
#include <gtest/gtest.h>
#include <cstdlib>
#include "platform/platform.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "toolchain/process_runner.h"
#include "toolchain/tool_location.h"

TEST(ProgressScan, ClampsAndWritesEveryReport) {
    capture::Install();
    EXPECT_EQ(ScanProgressChunk("frame=1 time=00:01:30.00 bitrate", 120), 1);
    EXPECT_EQ(capture::Last("[QMT_Progress]"), "75");
    ScanProgressChunk("time=00:02:10.00", 120);
    EXPECT_EQ(capture::Last("[QMT_Progress]"), "100");
    ScanProgressChunk("time=-00:00:01.00", 120);
    EXPECT_EQ(capture::Last("[QMT_Progress]"), "0");
    capture::writes.clear();
    EXPECT_EQ(ScanProgressChunk("time=00:00:12.00 x time=  00:00:24.00 time=N/A time=00:00:36.00", 120), 3);
    EXPECT_EQ(capture::Values("[QMT_Progress]"), (std::vector<std::string>{"10", "20", "30"}));
    // The first input's length as ffmpeg prints it; none yet, or none known.
    EXPECT_DOUBLE_EQ(ReportedInputSeconds("Input #0, mov\n  Duration: 01:02:03.50, start: 0\n"), 3723.5);
    EXPECT_DOUBLE_EQ(ReportedInputSeconds("Input #0, lavfi\n  Duration: N/A, start: 0\n"), 0);
    EXPECT_DOUBLE_EQ(ReportedInputSeconds("Input #0, mov\n  Duration: 00:00"), -1);
}

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = qt::MakeTempDir("runner");
        setenv("TMPDIR", (dir + "/").c_str(), 1);
        ASSERT_TRUE(LocateFFmpeg());
        capture::Install();
    }
    void TearDown() override {
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    // A tool folder whose ffmpeg and ffprobe are both the shell `script`.
    void FakeTools(const std::string& script) {
        std::string fake = dir + "/fake";
        ASSERT_EQ(qt::Shell("mkdir -p '" + fake + "' && printf '#!/bin/sh\\n" + script + "\\n' > '" + fake +
                            "/ffmpeg' && cp '" + fake + "/ffmpeg' '" + fake + "/ffprobe' && chmod +x '" + fake +
                            "/ffmpeg' '" + fake + "/ffprobe'"),
                  0);
        ASSERT_TRUE(TryFFmpegFolder(fake));
        g_tools.ffmpegFound = true;
    }
    std::string dir;
};

TEST_F(RunnerTest, ProgressRisesInOrderAndNothingIsReportedOnSuccess) {
    std::string out = dir + "/p.mp4";
    Outcome run = RunFFmpeg(
        "-f lavfi -i testsrc=size=320x240:rate=25:duration=6 -c:v libx264 -preset ultrafast \"" + out + "\"", 6.0);
    ASSERT_TRUE(run.ok);
    auto progress = capture::Values("[QMT_Progress]");
    ASSERT_GE(progress.size(), 1u);
    for (size_t i = 1; i < progress.size(); ++i) EXPECT_LE(atoi(progress[i - 1].c_str()), atoi(progress[i].c_str()));
    EXPECT_TRUE(capture::Values("[QMT_Status]").empty());
    EXPECT_EQ(capture::Last("[QMT_FFmpegPath]"), g_tools.ffmpegFolder);
    EXPECT_NEAR(qt::Probe(out).duration, 6.0, 0.1);

    // Half as long as its input, read from what ffmpeg prints of the input.
    capture::writes.clear();
    run = RunFFmpeg(BuildCommand("-i \"%s\" -t 3 -c:v libx264 -preset ultrafast \"%s\"",
                                 {{"In", out}, {"Out", dir + "/half.mp4"}}),
                    InputLengthTimes{0.5});
    ASSERT_TRUE(run.ok);
    progress = capture::Values("[QMT_Progress]");
    ASSERT_GE(progress.size(), 1u);
    EXPECT_GE(atoi(progress.back().c_str()), 90);

    // No length known: no progress.
    capture::writes.clear();
    ASSERT_TRUE(RunFFmpeg("-f lavfi -i testsrc=duration=2 -f null -", 0).ok);
    EXPECT_TRUE(capture::Values("[QMT_Progress]").empty());
}

TEST_F(RunnerTest, FailureWritesTheLogAndTheExactMessage) {
    Outcome failed = RunFFmpeg("-i \"" + dir + "/missing.mp4\" \"" + dir + "/x.mp4\"", 10);
    ASSERT_FALSE(failed.ok);
    std::string log = dir + "/qmt_ffmpeg_fail.txt";
    std::string text = qt::ReadFile(log);
    // The tool's own exit code: 1 from FFmpeg 4 and 5, 254 (ENOENT) from 7.
    std::string code = std::to_string(qt::Shell("'" + g_tools.ffmpegPath + "' -y -i '" + dir + "/missing.mp4' '" + dir + "/x.mp4'"));
    EXPECT_NE(code, "0");
    EXPECT_EQ(text.rfind("Exit code: " + code + "\n\nCommand:\n\"" + g_tools.ffmpegPath + "\" -y -i \"", 0), 0u) << text;
    EXPECT_NE(text.find("\n\nFFmpeg output:\n"), std::string::npos);
    EXPECT_NE(text.find("missing.mp4"), std::string::npos);
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "FFmpeg failed (exit " + code + ")\nLog: " + log);
    EXPECT_EQ(capture::Last("[LastError]"), capture::Last("[QMT_Error]"));
    // Reported at once, and the outcome says so: the handler does not write it again.
    EXPECT_TRUE(failed.reported);
    EXPECT_EQ(failed.message, capture::Last("[QMT_Error]"));
}

TEST_F(RunnerTest, CrashStatusIsAnUnsignedCode) {
    // A tool killed by a signal reports 128 + signal natively, as an unsigned number.
    FakeTools("kill -SEGV $$");
    EXPECT_FALSE(RunFFmpeg("-version", 0).ok);
    EXPECT_EQ(capture::Last("[QMT_Error]").rfind("FFmpeg failed (exit 139)\n", 0), 0u) << capture::Last("[QMT_Error]");
}

TEST_F(RunnerTest, CaptureCutsTheOutputAndGivesUpOnABlockedTool) {
    std::string out;
    // A tool that prints far more than the buffer stays blocked on its pipe;
    // the capture keeps the first size-1 bytes and reports failure after 10 s.
    FakeTools("exec yes 0123456789");
    EXPECT_FALSE(CaptureToolOutput("", out, 8192));
    EXPECT_EQ(out.size(), 8191u);
}

// A missing ffprobe: the detection tests'.
TEST_F(RunnerTest, AToolThatCannotStartIsReported) {
    FakeTools("");
    qt::Shell("chmod -x '" + dir + "/fake/ffmpeg'");
    EXPECT_FALSE(RunFFmpeg("-version", 0).ok);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Failed to launch FFmpeg.");
}
