// Split points on a filmstrip: the adding rules, transitions and clips, the
// list text and the actions' messages and variables. Selecting one with the
// mouse is in filmstrip_window_test.
#include <gtest/gtest.h>
#include "strips/filmstrip_record.h"
#include "strips/split_actions.h"
#include "strips/split_list.h"
#include "strips/split_render.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/window_test.h"

namespace {

class Splits : public ::testing::Test {
protected:
    void SetUp() override {
        capture::Install();
        strip = FrameStripAt(OpenFrameStrip("Strip", "/v.mp4", "Player", kNoWindow, 640, 90));
        ASSERT_NE(strip, nullptr);
        strip->duration = 30.0;
        strip->framesReady = 20;
    }
    std::string Error() const { return capture::Last("[QMT_Error]"); }
    std::string List() {
        wt::Call(184, {"strip", "[L]"});
        return capture::Last("[L]");
    }

    FrameStripRecord* strip = nullptr;
};

}  // namespace

TEST_F(Splits, AddingKeepsHalfASecondFromEdgesAndNeighboursAndSorts) {
    EXPECT_EQ(AddSplitAt(*strip, 0.4).message, "Split too close to start.");
    EXPECT_EQ(AddSplitAt(*strip, 30.0 - 0.4).message, "Split too close to end.");
    EXPECT_TRUE(AddSplitAt(*strip, 0.5).ok);
    EXPECT_TRUE(AddSplitAt(*strip, 12.3).ok);
    EXPECT_EQ(AddSplitAt(*strip, 12.0).message, "Split already exists near this position.");
    EXPECT_TRUE(AddSplitAt(*strip, 12.9).ok);
    EXPECT_TRUE(AddSplitAt(*strip, 5.0).ok);
    EXPECT_EQ(strip->selectedSplit, 1);  // the new split, where it sorted to
    EXPECT_EQ(List(), "0.500,none,1.00;5.000,none,1.00;12.300,none,1.00;12.900,none,1.00");
    wt::Call(187, {"Strip", "[C]"});
    EXPECT_EQ(capture::Last("[C]"), "4");
    wt::Call(187, {"Nowhere", "[C]"});
    EXPECT_EQ(capture::Last("[C]"), "0");
    wt::Call(184, {"Nowhere", "[L]"});
    EXPECT_EQ(capture::Last("[L]"), "");

    for (int i = 4; i < 20; ++i) ASSERT_TRUE(AddSplitAt(*strip, 14.0 + i * 0.6).ok) << i;
    EXPECT_EQ(SplitAddRefusal(*strip).message, "Max 20 splits reached.");
    ClearSplits(*strip);
    strip->duration = 0;
    EXPECT_EQ(SplitAddRefusal(*strip).message, "No video loaded.");
}

TEST_F(Splits, AddActionNeedsTheStripAndItsPlayer) {
    wt::Call(181, {"Unknown"});
    EXPECT_EQ(Error(), "FrameStrip not found.");
    wt::Call(181, {"Strip"});
    EXPECT_EQ(Error(), "Player not found.");
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
}

TEST_F(Splits, TransitionsAreCheckedClampedAndPublished) {
    wt::Call(185, {"Strip", "fade", "1"});
    EXPECT_EQ(Error(), "No split selected. Click a split line first.");
    ASSERT_TRUE(AddSplitAt(*strip, 10).ok);
    ASSERT_TRUE(AddSplitAt(*strip, 25).ok);
    SelectSplit(*strip, 0);
    wt::Call(185, {"Strip", "Fade", "0.05"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Transition assigned to split");
    EXPECT_EQ(capture::Last("[QMT_SplitTransition]"), "Fade");
    EXPECT_EQ(capture::Last("[QMT_SplitDuration]"), "1.00");
    EXPECT_STREQ(strip->splits[0].transition, "Fade");  // as typed
    wt::Call(185, {"Strip", "fades", "1"});
    EXPECT_EQ(Error(), "Invalid transition type.");
    wt::Call(185, {"Strip", "fade", "9"});
    EXPECT_EQ(capture::Last("[QMT_SplitDuration]"), "5.00");
    wt::Call(185, {"Strip", "fade", "1"});
    EXPECT_EQ(List(), "10.000,fade,1.00;25.000,none,1.00");
    wt::Call(186, {"Strip", "[T]", "[Y]", "[D]"});
    EXPECT_EQ(capture::Last("[T]") + " " + capture::Last("[Y]") + " " + capture::Last("[D]"), "00:00:10.000 fade 1.00");
    wt::Call(185, {"Strip", "NONE", "2"});
    EXPECT_EQ(List(), "10.000,none,2.00;25.000,none,1.00");

    // The exit transition needs an inserted clip.
    wt::Call(191, {"Strip", "fade", "1"});
    EXPECT_EQ(Error(), "No clip inserted at this split. Use Insert Clip first.");
    wt::Call(190, {"Strip", "/no/such/clip.mp4"});
    EXPECT_EQ(Error(), "Insert clip file not found.");
    std::string clip = qt::ClipAV(1.0, 160, 90);
    wt::Call(190, {"Strip", clip});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Clip inserted at split");
    EXPECT_EQ(capture::Last("[QMT_SplitInsertClip]"), clip);
    wt::Call(191, {"Strip", "wipeleft", "0.01"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Exit transition set on insert");
    EXPECT_EQ(capture::Last("[QMT_SplitTransitionOut]"), "wipeleft");
    EXPECT_EQ(capture::Last("[QMT_SplitDurationOut]"), "1.00");
    wt::Call(190, {"Strip", ""});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Insert clip removed");
    EXPECT_STREQ(strip->splits[0].exitTransition, "");

    // What the pickers refuse before they open (their answers: the Wine timeline dialog group).
    EXPECT_EQ(PickTransitionRefusal("Strip", true).message, "No clip inserted at this split. Insert a clip first.");
    EXPECT_TRUE(PickTransitionRefusal("Strip", false).ok);

    wt::Call(182, {"Strip"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Split removed");
    EXPECT_EQ(capture::Last("[QMT_SplitCount]"), "1");
    EXPECT_EQ(capture::Last("[QMT_SplitIndex]"), "-1");
    wt::Call(182, {"Strip"});
    EXPECT_EQ(Error(), "No split selected.");
    EXPECT_EQ(PickTransitionRefusal("Strip", false).message,
              "No split selected. Click a split line on the filmstrip first.");
    wt::Call(186, {"Strip", "[T]", "[Y]", "[D]"});
    EXPECT_EQ(capture::Last("[T]"), "");
    wt::Call(183, {"Strip"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "All splits cleared");
    EXPECT_EQ(List(), "");
}

TEST(SplitRules, TransitionCapsIntoClipsAndBetweenSegments) {
    EXPECT_DOUBLE_EQ(CappedTransition(1.5, 2.0, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(CappedTransition(1.5, 2.0, 0.4), 0.8);
    EXPECT_DOUBLE_EQ(CappedTransition(0.3, 2.0, 0.5), 0.3);
    EXPECT_DOUBLE_EQ(CappedTransition(1.0, 0.1, 0.4), 0.5);  // below 0.1 gives 0.5
    EXPECT_DOUBLE_EQ(ClampSplitDuration("0.1"), 0.1);
    EXPECT_DOUBLE_EQ(ClampSplitDuration("x"), 1.0);
}
