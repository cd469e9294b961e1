// The player's text conversions, and play, pause and stop while a timeline
// preview plays in an ffplay window (state the timeline preview sets, put in
// place here directly).
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "host/dispatch.h"
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"
#include "platform/playback_os.h"
#include "playback/player_conversions.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"

TEST(PlayerConversions, TimesLevelsFactorsAndOnWords) {
    EXPECT_EQ(SeekMilliseconds("1:30"), 90000);
    EXPECT_EQ(SeekMilliseconds("0:01:30.5"), 90500);
    EXPECT_EQ(SeekMilliseconds("12.25"), 12250);
    EXPECT_EQ(SeekMilliseconds(""), 0);
    EXPECT_EQ(SeekMilliseconds("1:02:05.5"), 3725500);
    EXPECT_EQ(MciVolume("150"), 1000);
    EXPECT_EQ(MciVolume("-5"), 0);
    EXPECT_EQ(MciVolume("half"), 0);
    EXPECT_EQ(MciVolume("42"), 420);
    EXPECT_EQ(MciSpeed("0.25"), 250);
    EXPECT_EQ(MciSpeed("1.0"), 1000);
    EXPECT_EQ(MciSpeed("-2"), -2000);  // not clamped
    EXPECT_TRUE(IsOnWord("TRUE", true));
    EXPECT_TRUE(IsOnWord("1", true));
    EXPECT_FALSE(IsOnWord("1", false));
    EXPECT_FALSE(IsOnWord("yes", true));
}

namespace {

std::string g_inputFile;
intptr_t g_rect = 0;

void QMT_CALL GetVar(const char* name, char** value) {
    if (std::string(name) == "[InputFile]") *value = const_cast<char*>(g_inputFile.c_str());
}

int32_t QMT_CALL Access(int32_t code, char** text) {
    if (code != 7 || !g_rect) return 0;
    std::string answer = std::to_string(static_cast<long long>(g_rect));
    char* block = static_cast<char*>(hwHeapAlloc(answer.size() + 1));
    memcpy(block, answer.c_str(), answer.size() + 1);
    hwHeapFree(*text);
    *text = block;
    return 1;
}

class TimelinePreviewBranches : public ::testing::Test {
protected:
    void SetUp() override {
        dir = qt::MakeTempDir("preview_branches");
        video = dir + "/clip.mp4";
        qt::Shell("printf x > '" + video + "'");
        capture::Install();
        g_host.getVariable = GetVar;
        g_host.interfaceAccess = Access;
        g_rect = hwCreateWindow(0, "Rectangle", 0, 0, 320, 240);
        hmMciAdvanceClock(0);
        hmMciSetNextLength(10000);
        Call(121, {"Rect1", video, "[S]"});
        ASSERT_EQ(capture::Last("[S]"), "Ready");
        hmMciClearLog();
        // A timeline preview playing in its ffplay window.
        g_timelinePreview = TimelinePreviewState{true, false, 0, 2.0, 1000, 0, 0};
        g_preview.ffplayWindow = WindowHandle{hwCreateWindow(g_rect, "SDL_app", 0, 0, 320, 240)};
    }
    void TearDown() override {
        Call(122, {"Rect1"});
        g_timelinePreview = TimelinePreviewState{false, false, -1, 0, 0, 0, 0};
        g_preview.ffplayWindow = kNoWindow;
        g_host.getVariable = nullptr;
        g_host.interfaceAccess = nullptr;
        capture::Remove();
        hwDestroyWindow(g_rect);
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    void Call(int id, std::vector<std::string> args) {
        std::vector<char*> params;
        for (auto& a : args) params.push_back(&a[0]);
        DispatchAction(id, params.data());
    }
    int Sent() {
        int n = hmMciLogCount();
        hmMciClearLog();
        return n;
    }
    std::string dir, video;
};

}  // namespace

TEST_F(TimelinePreviewBranches, PlayAndPauseToggleThePreviewNotThePlayer) {
    Call(123, {"Rect1"});  // not paused: nothing to do
    EXPECT_EQ(Sent(), 0);
    EXPECT_FALSE(g_timelinePreview.previewPaused);

    Call(124, {"Rect1"});
    EXPECT_EQ(Sent(), 0);
    EXPECT_TRUE(g_timelinePreview.previewPaused);
    uint32_t pausedAt = g_timelinePreview.previewPauseTick;
    EXPECT_EQ(pausedAt, static_cast<uint32_t>(hmMciClock()));  // the stand-in clock, stepped only
    Call(124, {"Rect1"});  // already paused
    EXPECT_EQ(g_timelinePreview.previewPauseTick, pausedAt);

    // Resuming moves the start forward by the time spent paused.
    g_timelinePreview.previewStartTick = 1000;
    g_timelinePreview.previewPauseTick = 400;
    Call(123, {"Rect1"});
    EXPECT_FALSE(g_timelinePreview.previewPaused);
    EXPECT_EQ(g_timelinePreview.previewStartTick, static_cast<uint32_t>(hmMciClock()) + 600);
    EXPECT_EQ(capture::Values("[S]").size(), 1u);  // only "Ready"

    // Once the ffplay window is gone the player is driven again.
    hwDestroyWindow(HandleBits(g_preview.ffplayWindow));
    Call(124, {"Rect1"});
    Call(123, {"Rect1"});
    EXPECT_EQ(hmMciLogEntry(0), std::string("pause qmt_p0"));
    EXPECT_EQ(hmMciLogEntry(1), std::string("play qmt_p0"));
    EXPECT_EQ(capture::Last("[S]"), "Playing");
}

TEST_F(TimelinePreviewBranches, StopEndsThePreviewAndReopensTheInputFile) {
    plat::ChildProcess child;
    unsigned long pid = 0;
    ASSERT_TRUE(plat::StartDetached("\"/bin/sleep\" 30", true, child, pid));
    g_preview.child = child;
    g_preview.processId = pid;
    g_inputFile = video;
    hmMciSetNextLength(10000);
    Call(125, {"RECT1"});
    EXPECT_FALSE(g_timelinePreview.previewActive);
    EXPECT_EQ(g_timelinePreview.previewTimeline, -1);
    EXPECT_EQ(g_preview.ffplayWindow, kNoWindow);
    EXPECT_EQ(g_preview.child.process, kNoProcess);
    EXPECT_EQ(g_preview.processId, 0u);
    EXPECT_FALSE(qt::Exists("/proc/" + std::to_string(pid)));  // ended and reaped
    EXPECT_EQ(capture::Last("[QMT_PreviewMode]"), "0");
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete");
    // The player is created again on the input file, without a status variable.
    EXPECT_EQ(hmMciLogEntry(0), std::string("close qmt_p0"));
    EXPECT_EQ(hmMciLogEntry(1), "open \"" + video + "\" type mpegvideo alias qmt_p0 parent " +
                                    std::to_string(static_cast<unsigned long>(g_rect)) + " style child");
    EXPECT_EQ(capture::Values("[S]").size(), 1u);
    EXPECT_EQ(FindPlayer("rect1"), 0);
    EXPECT_EQ(g_players[0].statusVar[0], '\0');
    g_inputFile.clear();
}
