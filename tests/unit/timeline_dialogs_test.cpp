// What the timeline's dialogs make of typed values and how they open on a
// clip's transition.
#include <gtest/gtest.h>
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
