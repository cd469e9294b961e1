// Recent files, output names, version banners, probe answers and the
// Windows command-line splitting the native runner relies on.
#include <gtest/gtest.h>
#include "platform/posix/command_line.h"
#include "tests/unit/capture_host.h"
#include "toolchain/backups.h"
#include "toolchain/probe.h"
#include "toolchain/tool_location.h"

TEST(RecentFiles, NewestFirstDropsTheSixthAndAKnownFileMovesToTheTop) {
    capture::Install();
    for (const char* f : {"C:\\A.mp4", "b.mp4", "c.mp4", "d.mp4", "e.mp4"}) AddRecentFile(f);
    capture::writes.clear();
    AddRecentFile("c:\\a.MP4");  // known, in any case
    AddRecentFile("");            // nothing
    AddRecentFile("f.mp4");
    EXPECT_EQ(g_recent.count, 5);
    // Variables are written 1..5 then the count.
    ASSERT_EQ(capture::writes.size(), 12u);
    std::vector<std::string> values;
    for (size_t i = 6; i < 12; ++i) values.push_back(capture::writes[i].first + "=" + capture::writes[i].second);
    EXPECT_EQ(values, (std::vector<std::string>{"[QMT_Recent1]=f.mp4", "[QMT_Recent2]=c:\\a.MP4", "[QMT_Recent3]=e.mp4",
                                                "[QMT_Recent4]=d.mp4", "[QMT_Recent5]=c.mp4", "[QMT_RecentCount]=5"}));
}

TEST(SmartOutputName, KeepsFolderAndReplacesExtension) {
    EXPECT_EQ(SmartOutputName("C:\\Videos\\clip.final.mp4", "trimmed", "mkv"), "C:\\Videos\\clip.final_trimmed.mkv");
    EXPECT_EQ(SmartOutputName("clip", "x", "mp4"), "clip_x.mp4");
    EXPECT_EQ(SmartOutputName("/home/u/a.b/clip", "s", "webm"), "/home/u/a.b/clip_s.webm");
    EXPECT_EQ(SmartOutputName(std::string(300, 'a'), "s", "mp4").size(), 259u);
}

TEST(VersionBanner, TakesTheWordAfterVersion) {
    EXPECT_EQ(ParseVersionBanner("ffmpeg version 7.1 Copyright (c)"), "7.1");
    EXPECT_EQ(ParseVersionBanner("ffmpeg version 6.0-full_build\r\nbuilt with"), "6.0-full_build");
    EXPECT_EQ(ParseVersionBanner("no banner here"), "Unknown");
    EXPECT_EQ(ParseVersionBanner("ffmpeg version \n"), "Unknown");
    EXPECT_EQ(ParseVersionBanner("version " + std::string(127, 'x')), "Unknown");
    EXPECT_EQ(ParseVersionBanner("version " + std::string(126, 'x')), std::string(126, 'x'));
}

TEST(TrimAnswer, RemovesTrailingLineEndsButNeverTheFirstCharacter) {
    EXPECT_EQ(TrimAnswer("h264\r\n"), "h264");
    EXPECT_EQ(TrimAnswer("0/0 \n"), "0/0");
    EXPECT_EQ(TrimAnswer("\n"), "\n");
    EXPECT_EQ(TrimAnswer(""), "");
}

TEST(CommandLineSplit, FollowsTheWindowsRuntimeQuoting) {
    using V = std::vector<std::string>;
    EXPECT_EQ(plat::SplitCommandLine("\"/usr/bin/ffmpeg\" -y -i \"a b.mp4\" out.mp4"),
              (V{"/usr/bin/ffmpeg", "-y", "-i", "a b.mp4", "out.mp4"}));
    EXPECT_EQ(plat::SplitCommandLine("a\\\\\\\"b \"c\\\\\" d"), (V{"a\\\"b", "c\\", "d"}));
    EXPECT_EQ(plat::SplitCommandLine("x \"\" y"), (V{"x", "", "y"}));
    EXPECT_EQ(plat::SplitCommandLine("-vf \"drawtext=text='It''s':x=1\""), (V{"-vf", "drawtext=text='It''s':x=1"}));
    EXPECT_EQ(plat::SplitCommandLine("C:\\path\\file.mp4"), (V{"C:\\path\\file.mp4"}));
}
