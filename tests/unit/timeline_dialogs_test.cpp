// What the timeline's dialogs make of typed values, how they open on a
// clip's transition, and the refusal of every dialog action in the native
// build, which has no dialogs.
#include <gtest/gtest.h>
#include "host/dispatch.h"
#include "strips/filmstrip_record.h"
#include "strips/split_list.h"
#include "tests/unit/capture_host.h"
#include "timeline/dialog_values.h"

TEST(TimelineDialogValues, TextOverlayLimitsAndPositions) {
    EXPECT_EQ(TextDialogFontSize("4"), 8);
    EXPECT_EQ(TextDialogFontSize("500"), 200);
    EXPECT_EQ(TextDialogFontSize("48"), 48);
    EXPECT_EQ(TextDialogFontSize("big"), 8);
    EXPECT_EQ(TextDialogDuration("0"), 1);
    EXPECT_EQ(TextDialogDuration("-3"), 1);
    EXPECT_EQ(TextDialogDuration("7.9"), 7);

    // Each preset's position on OK, in list order, and the hints its choice shows.
    const int expected[kTextPositionCount][2] = {{0, 0},  {20, 20}, {-1, 20}, {-2, 20},
                                                 {-1, -1}, {20, -2}, {-1, -2}, {-2, -2}};
    for (int item = 1; item < kTextPositionCount; ++item) {
        int x = 99, y = 99;
        TextDialogPosition(item, "5", "6", x, y);
        EXPECT_EQ(x, expected[item][0]) << kTextPositions[item].item;
        EXPECT_EQ(y, expected[item][1]) << kTextPositions[item].item;
    }
    EXPECT_STREQ(kTextPositions[7].item, "Bottom Right");
    EXPECT_STREQ(kTextPositions[1].hintX, "20");
    EXPECT_STREQ(kTextPositions[3].hintX, "0");
    EXPECT_STREQ(kTextPositions[3].hintY, "20");
    EXPECT_STREQ(kTextPositions[5].hintY, "0");
    // Custom, or nothing selected, reads the boxes as signed numbers.
    int x = 0, y = 0;
    TextDialogPosition(0, "-7", "abc", x, y);
    EXPECT_EQ(x, -7);
    EXPECT_EQ(y, 0);
    TextDialogPosition(-1, "12", "-2", x, y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, -2);

    TextOverlayDialogState s = NewTextOverlayState();
    EXPECT_STREQ(s.text, "");
    EXPECT_EQ(s.fontSize, 48);
    EXPECT_EQ(s.x, 50);
    EXPECT_EQ(s.y, 50);
    EXPECT_EQ(s.colour, 0xFFFFFFu);
    EXPECT_DOUBLE_EQ(s.duration, 5);
}

TEST(TimelineDialogValues, TransitionPrimingAndDurations) {
    TransitionDialogState s = SharedTransitionDialogState();
    PrimeTransitionDialog(s, "out:CircleOpen", 0);
    EXPECT_TRUE(s.applyEnd);
    EXPECT_STREQ(s.currentName, "CircleOpen");
    EXPECT_STREQ(kTransitionDisplayTable[TransitionPreselection(s)].name, "Circle Open");
    EXPECT_DOUBLE_EQ(s.duration, 1.0);
    PrimeTransitionDialog(s, "wipeleft", 2.5);
    EXPECT_FALSE(s.applyEnd);
    EXPECT_STREQ(kTransitionDisplayTable[TransitionPreselection(s)].name, "Wipe Left");
    EXPECT_DOUBLE_EQ(s.duration, 2.5);
    // A name the list does not show (zoomin is xfade's, not the list's) opens on the first entry.
    PrimeTransitionDialog(s, "zoomin", 1);
    EXPECT_EQ(TransitionPreselection(s), 0);

    s.chosen = 20;
    s.applyEnd = true;
    EXPECT_EQ(PickedTransIn(s), "out:wipeleft");
    s.applyEnd = false;
    EXPECT_EQ(PickedTransIn(s), "wipeleft");
    s.chosen = -1;
    EXPECT_EQ(PickedTransIn(s), "");

    EXPECT_DOUBLE_EQ(TransitionDialogDuration("0.05"), 0.5);
    EXPECT_DOUBLE_EQ(TransitionDialogDuration("x"), 0.5);
    EXPECT_DOUBLE_EQ(TransitionDialogDuration("2.25s"), 2.25);
    // Only 31 characters are read: the 1.5 after 31 zeros is never seen.
    EXPECT_DOUBLE_EQ(TransitionDialogDuration(std::string(31, '0') + "1.5"), 0.5);
    // 0.1 passes the dialog but is too short for a clip, which stores 0.5.
    s.duration = TransitionDialogDuration("0.1");
    EXPECT_DOUBLE_EQ(s.duration, 0.1);
    EXPECT_DOUBLE_EQ(PickedTransInDuration(s), 0.5);
    s.duration = 0.2;
    EXPECT_DOUBLE_EQ(PickedTransInDuration(s), 0.2);
}

namespace {

void Dispatch(int id, std::string rect) {
    char* params[2] = {&rect[0], nullptr};
    DispatchAction(id, params);
}

}  // namespace

TEST(TimelineDialogValues, NativeBuildRefusesTheSplitPickers) {
    capture::Install();
    int slot = OpenFrameStrip("Strip", "/v.mp4", "Player", kNoWindow, 640, 90);
    ASSERT_GE(slot, 0);
    FrameStripRecord* strip = FrameStripAt(slot);
    strip->duration = 30.0;
    strip->framesReady = 20;

    Dispatch(189, "Strip");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "No split selected. Click a split line on the filmstrip first.");
    ASSERT_TRUE(AddSplitAt(*strip, 10.0).ok);
    Dispatch(192, "Strip");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "No clip inserted at this split. Insert a clip first.");
    capture::writes.clear();
    Dispatch(189, "strip");
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Dialogs are not available in this build.");
    EXPECT_EQ(capture::Last("[QMT_PickedTransition]"), "");
    EXPECT_STREQ(strip->splits[0].transition, "");
    Dispatch(189, "Elsewhere");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "FrameStrip not found.");

    CloseFrameStrip(slot, kStripDestroyWaitMs);
    capture::Remove();
}
