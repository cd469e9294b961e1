// The timeline window driven through the host simulator the way a user's
// mouse and keyboard drive it: selecting, dragging and trimming with the
// audio companion following, snapping with its guide, the wheel, header and
// clip double-clicks, the context menu, the Delete key and the follow timer
// on the stand-in player's clock; checked through the published variables
// and the window's draw log.
#include <gtest/gtest.h>
#include <sstream>
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
        ASSERT_TRUE(Run("QMT_TimelineCreate", {"NLE1", "Player1"}));
        ExpectComplete();
        Run("QMT_TimelineAddClip", {"NLE1", "V1", "0", qt::ClipAV(2.0, 160, 90), "Main", "2", "4"});
        ExpectComplete();
        window = hwFindChild(host.Rectangle("NLE1"), "QMT_");
        ASSERT_EQ(State("[NLE_ClipCount]"), "2");
    }
    std::string Script(const std::string& text) {
        std::string out, err;
        host.RunScript(text, &out, &err);
        return err;
    }
    std::string State(const std::string& var) {
        Run("QMT_TimelineGetState", {"NLE1"});
        return Var(var);
    }
    // What is selected: "track/slot start duration".
    std::string Selected() const {
        return Var("[NLE_SelTrack]") + "/" + Var("[NLE_SelClip]") + " " + Var("[NLE_SelStart]") + " " +
               Var("[NLE_SelDuration]");
    }
    // The draw log of a fresh paint, one call per line.
    std::string Paint() {
        EXPECT_EQ(Script("Capture NLE1 \"" + Out("shot.txt") + "\"\n"), "");
        return qt::ReadFile(Out("shot.txt"));
    }
    static bool Has(const std::string& log, const std::string& line) {
        return log.find("\n" + line + "\n") != std::string::npos;
    }
    void ExpectRefused() const {
        EXPECT_EQ(Var("[QMT_Status]"), "Error");
        EXPECT_EQ(Var("[QMT_Error]"), kRefusal);
        EXPECT_EQ(Var("[LastError]"), kRefusal);
    }
    intptr_t window = 0;
};

}  // namespace

TEST_F(TimelineWindow, APressReleasedWithinTwoPixelsSelectsAndDoesNotMove) {
    EXPECT_EQ(Script("Hover NLE1 95 40\n"), "");
    EXPECT_EQ(hwGetCursor(window), 1);  // left-right arrow over an edge
    EXPECT_EQ(Script("Hover NLE1 150 40\n"), "");
    EXPECT_EQ(hwGetCursor(window), 2);  // four-way arrow over the body
    EXPECT_EQ(Script("Hover NLE1 400 40\n"), "");
    EXPECT_EQ(hwGetCursor(window), 0);

    EXPECT_EQ(Script("Click NLE1 152 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 2.000 4.000");
    EXPECT_EQ(Var("[NLE_SelLabel]"), "Main");
    EXPECT_EQ(Script("Drag NLE1 152 40 154 41 2\nDrag NLE1 152 40 150 40 1\n"), "");
    EXPECT_EQ(Selected(), "0/0 2.000 4.000");
    EXPECT_EQ(hwGetCapture(), 0);  // released with the button
    EXPECT_TRUE(Has(Paint(), "frame 92 26 212 68 #ffdc3c width=2 style=0"));

    // A press on empty lane space clears the selection and moves the playhead there.
    EXPECT_EQ(Script("Click NLE1 332 40\n"), "");
    EXPECT_EQ(Var("[NLE_SelTrack]"), "-1");
    EXPECT_EQ(Var("[NLE_SelStart]"), "");
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "10.000");
    EXPECT_TRUE(Has(Paint(), "frame 92 26 212 68 #50505a width=1 style=0"));
}

TEST_F(TimelineWindow, DraggingAV1ClipCarriesItsCompanionAndTrimsBoth) {
    EXPECT_EQ(Script("Drag NLE1 152 40 242 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 5.000 4.000");
    EXPECT_EQ(Script("Click NLE1 242 228\n"), "");
    EXPECT_EQ(Selected(), "4/0 5.000 4.000");
    EXPECT_EQ(Var("[NLE_SelLabel]"), "Main (audio)");

    // The right edge (x 302) one second out, then the left edge (x 182) one second in.
    EXPECT_EQ(Script("Drag NLE1 300 40 330 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 5.000 5.000");
    EXPECT_EQ(Script("Drag NLE1 183 40 213 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 6.000 4.000");
    EXPECT_EQ(Script("Click NLE1 300 228\n"), "");
    EXPECT_EQ(Selected(), "4/0 6.000 4.000");
    EXPECT_EQ(State("[NLE_TotalDuration]"), "15.000");

    // Dragging the companion moves the video back.
    EXPECT_EQ(Script("Drag NLE1 300 228 240 228\nClick NLE1 200 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 4.000 4.000");
}

TEST_F(TimelineWindow, DraggingNearAnEdgeOrThePlayheadSnapsWithAGuideForFivePaints) {
    Run("QMT_TimelineAddClip", {"NLE1", "FX", "2", "hue=s=0", "Grey", "10", "2"});
    // 297 pixels would start the clip at 11.9 s: it lands on the effect's end.
    EXPECT_EQ(Script("Drag NLE1 152 40 449 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 12.000 4.000");
    EXPECT_EQ(Script("Click NLE1 422 228\n"), "");
    EXPECT_EQ(Selected(), "4/0 12.000 4.000");
    const std::string guide = "line 392 24 392 300 #00ff64 width=1 style=1";
    int shown = 0;
    for (int i = 0; i < 6; ++i) shown += Has(Paint(), guide) ? 1 : 0;
    EXPECT_EQ(shown, 5);

    // The playhead at 20 s, then the clip dragged to within a few pixels of it.
    EXPECT_EQ(Script("Click NLE1 632 10\n"), "");
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "20.000");
    EXPECT_EQ(Script("Drag NLE1 450 40 687 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 20.000 4.000");
    EXPECT_TRUE(Has(Paint(), "line 632 24 632 300 #00ff64 width=1 style=1"));

    // With snapping off the same drag lands where the pointer is.
    Run("QMT_TimelineSnap", {"NLE1", "off"});
    EXPECT_EQ(Script("Drag NLE1 662 40 659 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 19.900 4.000");
}

TEST_F(TimelineWindow, ALeftTrimKeepsATenthOfASecondAndStartsNoEarlierThanZero) {
    EXPECT_EQ(Script("Drag NLE1 93 40 1093 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 5.900 0.100");
    EXPECT_EQ(Script("Drag NLE1 210 40 -800 40\n"), "");
    EXPECT_EQ(Selected(), "0/0 0.000 6.000");
    EXPECT_EQ(Script("Click NLE1 100 228\n"), "");
    EXPECT_EQ(Selected(), "4/0 0.000 6.000");
}

TEST_F(TimelineWindow, WheelZoomsAroundTheCentreAndScrolls) {
    Run("QMT_TimelineZoom", {"NLE1", "2"});
    EXPECT_EQ(Script("Wheel NLE1 416 100 -120 Ctrl\n"), "");
    EXPECT_EQ(State("[NLE_Zoom]"), "2.0");
    EXPECT_EQ(Script("Wheel NLE1 416 100 120 Ctrl\n"), "");
    EXPECT_EQ(State("[NLE_Zoom]"), "2.6");

    // At 20 px/s a notch scrolls 300 pixels, held to the 15 s extent less 100 pixels.
    Run("QMT_TimelineZoom", {"NLE1", "20"});
    EXPECT_EQ(Script("Wheel NLE1 416 100 -120\n"), "");
    std::string log = Paint();
    EXPECT_TRUE(Has(log, "text 34 2 832 24 #a0a0aa layout=0 font=\"Consolas 10\" \"0:10\"")) << log;
    EXPECT_EQ(Script("Wheel NLE1 416 100 120\n"), "");
    EXPECT_TRUE(Has(Paint(), "text 34 2 832 24 #a0a0aa layout=0 font=\"Consolas 10\" \"0:00\""));
}

TEST_F(TimelineWindow, HeaderDoubleClicksNameTheTrackOrRefuseTheDialogs) {
    EXPECT_EQ(Script("DoubleClick NLE1 10 40\n"), "");
    EXPECT_EQ(Var("[NLE_TrackAction]"), "V1");
    EXPECT_EQ(Script("DoubleClick NLE1 10 218\n"), "");
    EXPECT_EQ(Var("[NLE_TrackAction]"), "A1");

    // FX and TX open the pickers, which this build does not have.
    Run("QMT_TimelineAddClip", {"NLE1", "FX", "2", "hue=s=0", "Grey", "10", "2"});
    ExpectComplete();
    EXPECT_EQ(Script("DoubleClick NLE1 10 126\n"), "");
    ExpectRefused();
    EXPECT_EQ(Var("[NLE_TrackAction]"), "A1");
    Run("QMT_TimelineGetState", {"NLE1"});
    EXPECT_EQ(Script("DoubleClick NLE1 10 172\n"), "");
    ExpectRefused();
    EXPECT_EQ(State("[NLE_ClipCount]"), "3");

    // So does editing an effect clip or setting a transition; nothing changes.
    Run("QMT_TimelineGetState", {"NLE1"});
    EXPECT_EQ(Script("DoubleClick NLE1 362 126\n"), "");
    ExpectRefused();
    EXPECT_EQ(Var("[NLE_SelFilter]"), "hue=s=0");
    Run("QMT_TimelineAddClip", {"NLE1", "TX", "3", "Title", "", "0", "3"});
    EXPECT_EQ(Script("DoubleClick NLE1 62 180\n"), "");
    ExpectRefused();
    EXPECT_EQ(Var("[NLE_SelText]"), "Title");
    EXPECT_EQ(Var("[NLE_SelDuration]"), "3.000");
    Run("QMT_TimelineGetState", {"NLE1"});
    EXPECT_EQ(Script("RightClick NLE1 152 40 2\nClick NLE1 152 40\n"), "");
    ExpectRefused();
    EXPECT_EQ(Var("[NLE_SelTransition]"), "");
}

TEST_F(TimelineWindow, ContextMenuRemovesTransitionsAndClips) {
    Run("QMT_TimelineSetTransition", {"NLE1", "V1", "0", "out:wipeleft", "1.0"});
    ExpectComplete();
    std::string log = Paint();
    EXPECT_TRUE(Has(log, "triangle 192 26 212 68 #ffc832 points=212,26 212,68 192,47")) << log;
    EXPECT_TRUE(Has(log, "text 132 27 212 68 #ffc832 layout=0 font=\"Segoe UI 10\" \"wipeleft 1.0s <<\"")) << log;

    // Dismissed: the clip is selected all the same.
    EXPECT_EQ(Script("RightClick NLE1 152 40\n"), "");
    EXPECT_STREQ(hwLastMenu(), "1:Delete Clip\n0:\n2:Set Transition...\n3:Remove Transition\n");
    EXPECT_EQ(Selected(), "0/0 2.000 4.000");
    EXPECT_EQ(Var("[NLE_SelTransition]"), "out:wipeleft");

    EXPECT_EQ(Script("RightClick NLE1 152 40 3\n"), "");
    EXPECT_EQ(Var("[NLE_SelTransition]"), "");
    log = Paint();
    EXPECT_EQ(log.find("#ffc832"), std::string::npos) << log;

    // Empty space shows no menu and changes nothing.
    EXPECT_EQ(Script("RightClick NLE1 500 40 1\n"), "");
    EXPECT_EQ(State("[NLE_ClipCount]"), "2");

    EXPECT_EQ(Script("RightClick NLE1 152 228 1\n"), "");
    EXPECT_EQ(State("[NLE_ClipCount]"), "0");
    EXPECT_EQ(Var("[NLE_SelTrack]"), "-1");
}

TEST_F(TimelineWindow, DeleteKeyRemovesTheSelectionWithItsPartner) {
    Run("QMT_TimelineAddClip", {"NLE1", "TX", "3", "Title", "", "0", "3"});
    EXPECT_EQ(Script("Key NLE1 Delete\n"), "");  // nothing selected
    EXPECT_EQ(State("[NLE_ClipCount]"), "3");
    int paints = hwPaintCount(window);
    EXPECT_EQ(Script("Click NLE1 152 40\nKey NLE1 Delete\n"), "");
    EXPECT_EQ(State("[NLE_ClipCount]"), "1");
    EXPECT_EQ(Var("[NLE_SelTrack]"), "-1");
    EXPECT_EQ(Var("[NLE_SelClip]"), "-1");
    EXPECT_GT(hwPaintCount(window), paints);  // repainted at once
    EXPECT_EQ(Paint().find("fill 92 26 212 68 "), std::string::npos);
}

TEST_F(TimelineWindow, TheFollowTimerMovesThePlayheadAndScrollsAfterIt) {
    hmMciSetNextLength(20000);
    host.AddRectangle("Player1", 320, 180);
    ASSERT_TRUE(Run("QMT_PlayerCreate", {"Player1", qt::ClipAV(2.0, 160, 90), "[PlayerState]"}));
    hmMciAdvanceClock(0);
    Run("QMT_PlayerPlay", {"Player1"});
    hmMciAdvanceClock(3500);
    EXPECT_EQ(Script("Tick NLE1 1\n"), "");
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "3.500");
    EXPECT_TRUE(Has(Paint(), "line 137 0 137 300 #ff3232 width=2 style=0"));

    // At 100 px/s, 7.5 s is in the last fifth: the view scrolls it half way across.
    Run("QMT_TimelineZoom", {"NLE1", "100"});
    hmMciAdvanceClock(4000);
    EXPECT_EQ(Script("Tick NLE1 1\n"), "");
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "7.500");
    std::string log = Paint();
    EXPECT_TRUE(Has(log, "line 432 0 432 300 #ff3232 width=2 style=0")) << log;

    // A click on the ruler seeks the player there (scrolled by 350 pixels).
    Run("QMT_PlayerPause", {"Player1"});
    hmMciClearLog();
    EXPECT_EQ(Script("Click NLE1 232 10\n"), "");
    ASSERT_GE(hmMciLogCount(), 1);
    EXPECT_STREQ(hmMciLogEntry(0), "seek qmt_p0 to 5500");
    EXPECT_EQ(Script("Tick NLE1 1\n"), "");
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "5.500");

    // Without its player the timer still repaints.
    Run("QMT_PlayerDestroy", {"Player1"});
    int invalidated = hwInvalidationCount(window);
    EXPECT_EQ(Script("Tick NLE1 1 3\n"), "");
    EXPECT_EQ(hwInvalidationCount(window), invalidated + 3);
    EXPECT_EQ(State("[NLE_PlayheadTime]"), "5.500");
}
