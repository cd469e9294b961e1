// Command assembly: values that share one quoted stretch stay apart, unquoted
// values that would split are refused, ordinary values are untouched, and
// template mistakes are refused. That every quoted value reads back as one
// argument is checked against Windows' own splitter (the Wine quoting group).
#include <gtest/gtest.h>
#include "platform/posix/command_line.h"
#include "toolchain/command_builder.h"

TEST(BuildCommand, NeighbouringValuesInOneStretchStayApart) {
    // A value ending in backslashes followed by one that starts with a quote.
    for (const char* first : {"C:\\frames\\", "C:\\frames\\\\", "a\\\"b", "\\\\\\\"\\", "\"", "", "trailing \\"})
        for (const char* second : {"\"x", "\\\"", "y"}) {
            CommandOutcome c = BuildCommand("-i \"concat:%s|%s\" -c copy \"%s\"", {{"P1", first}, {"P2", second}, {"Out", "o.mp4"}});
            ASSERT_TRUE(c.ok);
            std::vector<std::string> args = plat::SplitCommandLine(c.text);
            ASSERT_EQ(args.size(), 5u) << c.text;
            EXPECT_EQ(args[1], std::string("concat:") + first + "|" + second);
        }
}

TEST(BuildCommand, OrdinaryValuesGiveTodaysCommandLines) {
    CommandOutcome c = BuildCommand("-ss %s -to %s -i \"%s\" -c copy \"%s\"",
                                    {{"StartTime", "00:01:30.5"}, {"EndTime", "2:00"}, {"InputFile", "C:\\in dir\\a.mp4"},
                                     {"OutputFile", "/tmp/o ut.mp4"}});
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.text, "-ss 00:01:30.5 -to 2:00 -i \"C:\\in dir\\a.mp4\" -c copy \"/tmp/o ut.mp4\"");
    c = BuildCommand("-b:v %.0f -maxrate %.0f x=%.2f n=%d %05.1f 100%%", {{"B", 1969152.4}, {"M", 2953728.0}, {"T", -0.255},
                                                                          {"N", 2}, {"W", 3.14159}});
    ASSERT_TRUE(c.ok) << c.error;
    EXPECT_EQ(c.text, "-b:v 1969152 -maxrate 2953728 x=-0.26 n=2 003.1 100%");
}

TEST(BuildCommand, UnquotedValuesThatWouldSplitAreRefusedByName) {
    for (const char* value : {"25 evil2.mp4", "25\tx", "25\"", "", "1\n2", "\"25\""}) {
        CommandOutcome c = BuildCommand("-i \"%s\" -r %s \"%s\"", {{"InputFile", "in.mp4"}, {"Rate", value}, {"OutputFile", "o.mp4"}});
        EXPECT_FALSE(c.ok) << value;
        EXPECT_EQ(c.error, std::string("Invalid value for Rate: ") + value);
        EXPECT_TRUE(c.text.empty());
    }
    // Everything else an unquoted slot may hold stays as typed.
    CommandOutcome c = BuildCommand("-r %s -ss %s", {{"Rate", "30000/1001"}, {"StartTime", "C:\\x'%|&"}});
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.text, "-r 30000/1001 -ss C:\\x'%|&");
}

TEST(BuildCommand, PartsGoInAsBuiltAndCarryTheirRefusal) {
    CommandOutcome audio = BuildCommand("-c:a %s", {{"ACodec", "libopus"}});
    CommandOutcome none = BuildCommand("-an", {});
    CommandOutcome c = BuildCommand("-c:v %s %s %s \"%s\"", {{"VCodec", "h264"}, {"Audio", audio}, {"Rate", none}, {"Out", "o"}});
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.text, "-c:v h264 -c:a libopus -an \"o\"");
    CommandOutcome bad = BuildCommand("-crf %s", {{"Quality", "18 -x"}});
    c = BuildCommand("-c:v %s %s", {{"VCodec", "h264"}, {"Rate", bad}});
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(c.error, "Invalid value for Quality: 18 -x");
}

TEST(BuildCommand, TemplateMistakesAreRefusedNotGuessed) {
    EXPECT_FALSE(BuildCommand("-i \"%s\"", {}).ok);
    EXPECT_FALSE(BuildCommand("-i \"%s\"", {{"A", "a"}, {"B", "b"}}).ok);
    EXPECT_FALSE(BuildCommand("-i \"%s", {{"A", "a"}}).ok);
    EXPECT_FALSE(BuildCommand("-r %d", {{"A", "a"}}).ok);
    EXPECT_FALSE(BuildCommand("-r %s", {{"A", 2.0}}).ok);
    EXPECT_FALSE(BuildCommand("-r %x", {{"A", 2}}).ok);
    EXPECT_FALSE(BuildCommand("\"%s\"", {{"A", BuildCommand("-an", {})}}).ok);
}
