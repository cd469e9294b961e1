// Play, pause and stop while a timeline preview plays in an ffplay window
// (state the timeline preview sets, put in place here directly).
#include <gtest/gtest.h>
#include <string>
#include "platform/playback_os.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/window_test.h"

namespace {

class TimelinePreviewBranches : public ::testing::Test {
protected:
    void SetUp() override {
        dir = qt::MakeTempDir("preview_branches");
        video = dir + "/clip.mp4";
        qt::Shell("printf x > '" + video + "'");
        capture::Install();
        wt::Page::Open();
        rect = wt::Page::AddRect("Rect1", 320, 240);
        hmMciSetNextLength(10000);
        wt::Call(121, {"Rect1", video, "[S]"});
        ASSERT_EQ(capture::Last("[S]"), "Ready");
        hmMciClearLog();
        // A timeline preview playing in its ffplay window.
        g_timelinePreview = TimelinePreviewState{true, false, 0, 2.0, 1000, 0, 0};
        g_preview.ffplayWindow = WindowHandle{hwCreateWindow(rect, "SDL_app", 0, 0, 320, 240)};
    }
    void TearDown() override {
        g_timelinePreview = TimelinePreviewState{false, false, -1, 0, 0, 0, 0};
        g_preview.ffplayWindow = kNoWindow;
        wt::Page::Close();
        capture::Remove();
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    std::string dir, video;
    intptr_t rect = 0;
};

}  // namespace

TEST_F(TimelinePreviewBranches, PlayAndPauseToggleThePreviewNotThePlayer) {
    wt::Call(123, {"Rect1"});  // not paused: nothing to do
    EXPECT_FALSE(g_timelinePreview.previewPaused);
    wt::Call(124, {"Rect1"});
    EXPECT_TRUE(g_timelinePreview.previewPaused);
    hmMciAdvanceClock(300);
    wt::Call(124, {"Rect1"});  // already paused: the pause keeps its start
    hmMciAdvanceClock(300);
    wt::Call(123, {"Rect1"});
    EXPECT_FALSE(g_timelinePreview.previewPaused);
    EXPECT_EQ(g_timelinePreview.previewStartTick, 1000u + 600u);  // moved on by the whole pause
    EXPECT_TRUE(wt::MciLog().empty());
    EXPECT_EQ(capture::Values("[S]").size(), 1u);  // only "Ready"

    // Once the ffplay window is gone the player is driven again.
    hwDestroyWindow(HandleBits(g_preview.ffplayWindow));
    wt::Call(124, {"Rect1"});
    wt::Call(123, {"Rect1"});
    EXPECT_EQ(wt::MciLog(), (std::vector<std::string>{"pause qmt_p0", "play qmt_p0"}));
    EXPECT_EQ(capture::Last("[S]"), "Playing");
}

TEST_F(TimelinePreviewBranches, StopEndsThePreviewAndReopensTheInputFile) {
    plat::ChildProcess child;
    unsigned long pid = 0;
    ASSERT_TRUE(plat::StartDetached("\"/bin/sleep\" 30", true, child, pid));
    g_preview.child = child;
    g_preview.processId = pid;
    wt::Page::Vars()["[InputFile]"] = video;
    hmMciSetNextLength(10000);
    wt::Call(125, {"RECT1"});
    EXPECT_FALSE(g_timelinePreview.previewActive);
    EXPECT_EQ(g_preview.ffplayWindow, kNoWindow);
    EXPECT_EQ(g_preview.child.process, kNoProcess);
    EXPECT_FALSE(qt::Exists("/proc/" + std::to_string(pid)));  // ended and reaped
    EXPECT_EQ(capture::Last("[QMT_PreviewMode]"), "0");
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete");
    // The player is created again on the input file, without a status variable.
    EXPECT_EQ(wt::MciLog().at(1), "open \"" + video + "\" type mpegvideo alias qmt_p0 parent " +
                                      std::to_string(static_cast<unsigned long>(rect)) + " style child");
    EXPECT_EQ(capture::Values("[S]").size(), 1u);
    ASSERT_EQ(FindPlayer("rect1"), 0);
    EXPECT_EQ(g_players[0].statusVar[0], '\0');
}
