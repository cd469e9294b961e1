// The worked example of the install guide: the guide shows docs/example.qmt
// unchanged, and that script, run by qmthost against the real ffmpeg, writes
// the files the guide describes.
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include "tests/support/test_support.h"

using qt::PluginTest;

namespace {

std::string Source(const std::string& relative) { return qt::ReadFile(std::string(QMT_SOURCE_DIR) + "/" + relative); }

}  // namespace

TEST(InstallGuide, ShowsTheExampleScriptUnchanged) {
    const std::string open = "<!-- example.qmt -->\n```\n", close = "```\n<!-- /example.qmt -->";
    std::string guide = Source("docs/install.md"), script = Source("docs/example.qmt");
    ASSERT_FALSE(script.empty()) << "docs/example.qmt is missing";
    size_t start = guide.find(open), end = guide.find(close);
    ASSERT_NE(start, std::string::npos) << "docs/install.md has no example block";
    ASSERT_NE(end, std::string::npos) << "docs/install.md has no end of the example block";
    start += open.size();
    ASSERT_GE(end, start);
    EXPECT_EQ(guide.substr(start, end - start), script) << "docs/install.md must show docs/example.qmt as it is";
}

TEST_F(PluginTest, InstallGuideExampleTrimsJoinsAndRendersATimeline) {
    // The two clips the script expects beside the publication: 2 s, 160x90, with sound.
    std::string pub = dir + "/";
    std::string clip2 = qt::Media("docs_clip2_2s_160x90.mp4",
                                  "-f lavfi -i testsrc2=size=160x90:rate=25:duration=2 -f lavfi -i "
                                  "sine=frequency=660:duration=2 -c:v libx264 -preset ultrafast -pix_fmt yuv420p "
                                  "-c:a aac -shortest");
    ASSERT_EQ(qt::Shell("cp '" + qt::ClipAV(2.0, 160, 90) + "' '" + pub + "clip1.mp4' && cp '" + clip2 + "' '" + pub +
                        "clip2.mp4'"),
              0);

    // The page's Rectangle comes first, and the variables the guide mentions are printed last.
    std::string script = Out("session.qmt");
    std::ofstream(script, std::ios::binary) << "Rectangle Timeline1 800 300\n" + Source("docs/example.qmt") +
                                                   "Print [JoinedLength] [QMT_DurationSec] [QMT_LastOutput] [QMT_Status]\n";
    std::string plugin = qt::PluginPath();
    std::string tool = plugin.substr(0, plugin.find_last_of('/')) + "/qmthost";
    std::string out;
    ASSERT_EQ(qt::Shell("'" + tool + "' --trace --var '[PubDir]=" + pub + "' '" + script + "'", &out), 0) << out;
    EXPECT_EQ(out.find("[QMT_Status] = Error"), std::string::npos) << out;
    EXPECT_NE(out.find("  [QMT_Status] = Processing"), std::string::npos) << out;  // traced as it is written
    EXPECT_NE(out.find("[QMT_LastOutput] = " + pub + "final.mp4\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n[QMT_Status] = Complete\n"), std::string::npos) << out;
    EXPECT_NE(qt::Shell("'" + tool + "' '" + script + ".missing'"), 0);

    // Trim 0.5 s to 2 s; join with a 0.5 s fade (1.5 + 2 - 0.5); the timeline
    // puts the 2 s clip after the joined 3 s with a 0.5 s wipe (3 + 2 - 0.5).
    for (const auto& e : {std::make_pair("clip1_cut.mp4", 1.5), std::make_pair("joined.mp4", 3.0),
                          std::make_pair("final.mp4", 4.5)}) {
        qt::Probed p = qt::Probe(pub + e.first);
        ASSERT_TRUE(p.ok) << e.first;
        EXPECT_NEAR(p.duration, e.second, 0.15) << e.first;
        EXPECT_EQ(p.width, 160) << e.first;
        EXPECT_EQ(p.height, 90) << e.first;
        EXPECT_EQ(p.vcodec, "h264") << e.first;
        EXPECT_EQ(p.audioStreams, 1) << e.first;
    }
    // [JoinedLength] and [QMT_DurationSec] are the joined file's length.
    size_t at = out.find("[QMT_DurationSec] = ");
    ASSERT_NE(at, std::string::npos) << out;
    EXPECT_NEAR(atof(out.c_str() + at + 20), qt::Probe(pub + "joined.mp4").duration, 0.01) << out;
    EXPECT_NE(out.find("[JoinedLength] = 00:00:0"), std::string::npos) << out;

    // The render opens with the joined video as it is: compare one frame.
    int rendered[3], source[3];
    ASSERT_TRUE(qt::FrameColour(pub + "final.mp4", 1.0, rendered));
    ASSERT_TRUE(qt::FrameColour(pub + "joined.mp4", 1.0, source));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(rendered[i], source[i], 12) << "channel " << i;
}
