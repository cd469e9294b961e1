// The timeline window driven through the host simulator's window commands the
// way a user's mouse and keyboard drive it, each command checked by what it
// does to the timeline: the published variables, the cursor, the menu, the
// draw log and the stand-in player. The drag, snap, trim and wheel rules
// themselves are the unit tests'; here they only have to reach the window.
#include <gtest/gtest.h>
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

const char kRefusal[] = "Dialogs are not available in this build.";

// 832 x 300: 800 pixels of time at 30 px/s from x 32, lanes 46 high from y 24.
// The V1 clip runs from 2 s to 6 s (x 92 to 212) with its A1 companion.
class TimelineWindow : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        host.AddRectangle("NLE1", 832, 300);
        Completes("QMT_TimelineCreate", {"NLE1", "Player1"});
        Completes("QMT_TimelineAddClip", {"NLE1", "V1", "0", qt::ClipAV(2.0, 160, 90), "Main", "2", "4"});
        window = hwFindChild(host.Rectangle("NLE1"), "QMT_");
        ASSERT_EQ(State("[NLE_ClipCount]"), "2");
    }
    std::string State(const std::string& var) { return After("QMT_TimelineGetState", {"NLE1"}, var); }
    // What is selected: "track/slot start duration".
    std::string Selected() const {
        return Var("[NLE_SelTrack]") + "/" + Var("[NLE_SelClip]") + " " + Var("[NLE_SelStart]") + " " +
               Var("[NLE_SelDuration]");
    }
    void ExpectRefused() const {
        EXPECT_EQ(Var("[QMT_Status]"), "Error");
        EXPECT_EQ(Var("[QMT_Error]"), kRefusal);
    }
    intptr_t window = 0;
};

}  // namespace

TEST_F(TimelineWindow, PointerCommandsSelectDragAndZoom) {
    struct {
        const char* script;
        int cursor;  // -1: not checked
        const char* selected;
    } steps[] = {
        {"Hover NLE1 95 40\n", 1, nullptr},  // left-right arrow over an edge
        {"Hover NLE1 150 40\n", 2, nullptr},  // four-way arrow over the body
        {"Hover NLE1 400 40\n", 0, nullptr},
        {"Click NLE1 152 40\n", -1, "0/0 2.000 4.000"},
        {"Drag NLE1 152 40 242 40\n", -1, "0/0 5.000 4.000"},
        {"Click NLE1 242 228\n", -1, "4/0 5.000 4.000"},  // the companion came along
    };
    for (const auto& s : steps) {
        EXPECT_EQ(Script(s.script), "") << s.script;
        if (s.cursor >= 0) EXPECT_EQ(hwGetCursor(window), s.cursor) << s.script;
        if (s.selected) EXPECT_EQ(Selected(), s.selected) << s.script;
    }
    EXPECT_EQ(Var("[NLE_SelLabel]"), "Main (audio)");
    EXPECT_EQ(hwGetCapture(), 0);  // released with the button

    // The wheel scrolls; with Ctrl it zooms.
    Run("QMT_TimelineZoom", {"NLE1", "20"});
    EXPECT_EQ(Script("Wheel NLE1 416 100 -120\n"), "");
    EXPECT_TRUE(Has(Capture("NLE1"), "text 34 2 832 24 #a0a0aa layout=0 font=\"Consolas 10\" \"0:10\""));
    EXPECT_EQ(Script("Wheel NLE1 416 100 120 Ctrl\n"), "");
    EXPECT_EQ(State("[NLE_Zoom]"), "26.0");
}

// Header double-clicks name V1/A1; the FX and TX headers, an effect or title
// clip and "Set Transition..." open dialogs, which this build refuses without
// changing anything (the dialogs themselves are the Wine checks').
TEST_F(TimelineWindow, DoubleClicksNameTheTrackOrOpenTheDialogs) {
    Run("QMT_TimelineAddClip", {"NLE1", "FX", "2", "hue=s=0", "Grey", "10", "2"});
    Run("QMT_TimelineAddClip", {"NLE1", "TX", "3", "Title", "", "0", "3"});
    const char* const steps[][2] = {
        {"DoubleClick NLE1 10 40\n", "V1"},      {"DoubleClick NLE1 10 218\n", "A1"},
        {"DoubleClick NLE1 10 126\n", nullptr},  {"DoubleClick NLE1 10 172\n", nullptr},
        {"DoubleClick NLE1 362 126\n", nullptr}, {"DoubleClick NLE1 62 180\n", nullptr},
        {"RightClick NLE1 152 40 2\nClick NLE1 152 40\n", nullptr},
    };
    for (auto& s : steps) {
        Run("QMT_TimelineGetState", {"NLE1"});
        EXPECT_EQ(Script(s[0]), "") << s[0];
        if (s[1]) EXPECT_EQ(Var("[NLE_TrackAction]"), s[1]) << s[0];
        else ExpectRefused();
    }
    EXPECT_EQ(Var("[NLE_TrackAction]"), "A1");
    EXPECT_EQ(Var("[NLE_SelTransition]"), "");
    EXPECT_EQ(State("[NLE_ClipCount]"), "4");
}

TEST_F(TimelineWindow, ContextMenuAndDeleteKeyRemoveTransitionsAndClips) {
    Completes("QMT_TimelineSetTransition", {"NLE1", "V1", "0", "out:wipeleft", "1.0"});
    // Dismissed: the clip is selected all the same.
    EXPECT_EQ(Script("RightClick NLE1 152 40\n"), "");
    EXPECT_STREQ(hwLastMenu(), "1:Delete Clip\n0:\n2:Set Transition...\n3:Remove Transition\n");
    EXPECT_EQ(Selected(), "0/0 2.000 4.000");
    EXPECT_EQ(Var("[NLE_SelTransition]"), "out:wipeleft");
    EXPECT_EQ(Script("RightClick NLE1 152 40 3\n"), "");
    EXPECT_EQ(Var("[NLE_SelTransition]"), "");
    EXPECT_EQ(Capture("NLE1").find("#ffc832"), std::string::npos);  // no marker left

    // Empty space shows no menu and changes nothing; nor does Delete with nothing selected.
    Run("QMT_TimelineAddClip", {"NLE1", "TX", "3", "Title", "", "0", "3"});
    EXPECT_EQ(Script("RightClick NLE1 500 40 1\nClick NLE1 500 40\nKey NLE1 Delete\n"), "");
    EXPECT_EQ(State("[NLE_ClipCount]"), "3");

    int paints = hwPaintCount(window);
    EXPECT_EQ(Script("Click NLE1 152 40\nKey NLE1 Delete\n"), "");
    EXPECT_EQ(State("[NLE_ClipCount]"), "1");  // with its companion
    EXPECT_EQ(Var("[NLE_SelClip]"), "-1");
    EXPECT_GT(hwPaintCount(window), paints);  // repainted at once
    EXPECT_EQ(Capture("NLE1").find("fill 92 26 212 68 "), std::string::npos);

    EXPECT_EQ(Script("RightClick NLE1 62 172 1\n"), "");  // the title, through the menu
    EXPECT_EQ(State("[NLE_ClipCount]"), "0");
    EXPECT_EQ(Var("[NLE_SelTrack]"), "-1");
}

TEST_F(TimelineWindow, TheFollowTimerMovesThePlayheadAndScrollsAfterIt) {
    EXPECT_EQ(hwTimerPeriod(window, 1), 200);
    hmMciSetNextLength(20000);
    host.AddRectangle("Player1", 320, 180);
    ASSERT_TRUE(Run("QMT_PlayerCreate", {"Player1", qt::ClipAV(2.0, 160, 90), "[PlayerState]"}));
    hmMciAdvanceClock(0);
    Run("QMT_PlayerPlay", {"Player1"});
    hmMciAdvanceClock(3500);
    EXPECT_EQ(Script("Tick NLE1 1\n"), "");
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "3.500");
    EXPECT_TRUE(Has(Capture("NLE1"), "line 137 0 137 300 #ff3232 width=2 style=0"));

    // At 100 px/s, 7.5 s is in the last fifth: the view scrolls it half way across.
    Run("QMT_TimelineZoom", {"NLE1", "100"});
    hmMciAdvanceClock(4000);
    EXPECT_EQ(Script("Tick NLE1\n"), "");  // the first running timer
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "7.500");
    EXPECT_TRUE(Has(Capture("NLE1"), "line 432 0 432 300 #ff3232 width=2 style=0"));

    // A click on the ruler seeks the player there (scrolled by 350 pixels).
    Run("QMT_PlayerPause", {"Player1"});
    MciLog();
    EXPECT_EQ(Script("Click NLE1 232 10\n"), "");
    std::vector<std::string> sent = MciLog();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "seek qmt_p0 to 5500");

    // Without its player the timer still repaints.
    Run("QMT_PlayerDestroy", {"Player1"});
    int invalidated = hwInvalidationCount(window);
    EXPECT_EQ(Script("Tick NLE1 1 3\n"), "");
    EXPECT_EQ(hwInvalidationCount(window), invalidated + 3);
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "5.500");
}

TEST_F(TimelineWindow, CreatingAgainRepaintsThroughTheSameHandler) {
    Capture("NLE1");
    int paints = hwPaintCount(window), calls = hwDrawCallCount(window);
    Run("QMT_TimelineCreate", {"nle1", ""});
    EXPECT_EQ(hwPaintCount(window), paints + 1);
    EXPECT_EQ(hwDrawCallCount(window), calls);
}

