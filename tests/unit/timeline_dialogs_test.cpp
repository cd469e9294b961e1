// What the timeline's dialogs make of typed values, how they open on a
// clip's transition, and the native build's refusal of the split pickers.
#include <gtest/gtest.h>
#include "strips/filmstrip_record.h"
#include "strips/split_list.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/window_test.h"
#include "timeline/dialog_values.h"

// The limits and presets the Wine dialog checks show on screen are theirs;
// these are the readings of typed text they do not reach.
TEST(TimelineDialogValues, TextOverlayTypedValues) {
    EXPECT_EQ(TextDialogFontSize("big"), 8);
    EXPECT_EQ(TextDialogFontSize("48"), 48);
    EXPECT_EQ(TextDialogDuration("-3"), 1);
    EXPECT_EQ(TextDialogDuration("7.9"), 7);
    // Custom, or nothing selected, reads the boxes as signed numbers.
    int x = 0, y = 0;
    TextDialogPosition(0, "-7", "abc", x, y);
    EXPECT_EQ(x, -7);
    EXPECT_EQ(y, 0);
    TextDialogPosition(-1, "12", "-2", x, y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, -2);
}

TEST(TimelineDialogValues, TransitionPrimingAndDurations) {
    // An exit transition opens with "End" checked on its entry (the Wine
    // dialog checks show that); a plain one without, and a duration not above
    // 0 shows 1.0. A name the list does not show (zoomin is xfade's, not the
    // list's) opens on the first entry.
    TransitionDialogState s = SharedTransitionDialogState();
    PrimeTransitionDialog(s, "wipeleft", 0);
    EXPECT_FALSE(s.applyEnd);
    EXPECT_STREQ(kTransitionDisplayTable[TransitionPreselection(s)].value, "wipeleft");
    EXPECT_DOUBLE_EQ(s.duration, 1.0);
    PrimeTransitionDialog(s, "zoomin", 1);
    EXPECT_EQ(TransitionPreselection(s), 0);

    // {typed} -> seconds, below 0.1 read as 0.5; only 31 characters are read,
    // so the 1.5 after 31 zeros is never seen.
    const std::pair<std::string, double> durations[] = {
        {"x", 0.5}, {"2.25s", 2.25}, {"0.1", 0.1}, {std::string(31, '0') + "1.5", 0.5}};
    for (auto& d : durations) EXPECT_DOUBLE_EQ(TransitionDialogDuration(d.first), d.second) << d.first;
}

TEST(TimelineDialogValues, NativeBuildRefusesTheSplitPickers) {
    capture::Install();
    int slot = OpenFrameStrip("Strip", "/v.mp4", "Player", kNoWindow, 640, 90);
    ASSERT_GE(slot, 0);
    FrameStripRecord* strip = FrameStripAt(slot);
    strip->duration = 30.0;
    strip->framesReady = 20;

    // With a split selected the picker's own checks pass; the dialog is what is missing.
    ASSERT_TRUE(AddSplitAt(*strip, 10.0).ok);
    wt::Call(189, {"strip"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Dialogs are not available in this build.");
    EXPECT_EQ(capture::Last("[QMT_PickedTransition]"), "");
    EXPECT_STREQ(strip->splits[0].transition, "");
    wt::Call(189, {"Elsewhere"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "FrameStrip not found.");

    CloseFrameStrip(slot, kStripDestroyWaitMs);
    capture::Remove();
}
