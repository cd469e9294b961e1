#include <gtest/gtest.h>
#include "toolchain/time_values.h"

TEST(ParseTimeValue, AcceptsClockFormsAndPlainSeconds) {
    EXPECT_DOUBLE_EQ(ParseTimeValue("01:02:03.5"), 3723.5);
    EXPECT_DOUBLE_EQ(ParseTimeValue("1:30.25"), 90.25);
    EXPECT_DOUBLE_EQ(ParseTimeValue("90.5"), 90.5);
    EXPECT_DOUBLE_EQ(ParseTimeValue("1:30"), 90.0);
    EXPECT_DOUBLE_EQ(ParseTimeValue("0:75"), 75.0);  // no range check
    EXPECT_DOUBLE_EQ(ParseTimeValue(""), 0.0);
    EXPECT_DOUBLE_EQ(ParseTimeValue(static_cast<const char*>(nullptr)), 0.0);
    EXPECT_DOUBLE_EQ(ParseTimeValue("abc"), 0.0);
}

TEST(FormatTimecode, RoundsSecondsWithoutCarrying) {
    EXPECT_EQ(FormatTimecode(3723.5), "01:02:03.500");
    EXPECT_EQ(FormatTimecode(59.9996), "00:00:60.000");
    EXPECT_EQ(FormatTimecode(0), "00:00:00.000");
    EXPECT_EQ(FormatTimecodeMs(83456), "00:01:23.456");
    EXPECT_EQ(FormatTimecodeMs(3723500), "01:02:03.500");
}
