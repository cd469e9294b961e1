// Timeline renders against the real ffmpeg: joins, effects, the A2 mix and
// the single-clip path with an overlay.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

namespace {

class TimelineRender : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        host.AddRectangle("NLE1", 640, 240);
        ASSERT_TRUE(Run("QMT_TimelineCreate", {"NLE1", ""}));
    }
    void Add(const std::string& track, const std::string& type, const std::string& what, const std::string& start,
             const std::string& duration) {
        Run("QMT_TimelineAddClip", {"NLE1", track, type, what, "", start, duration});
        ExpectComplete();
    }
    void Render(const std::string& out) {
        ASSERT_TRUE(Run("QMT_TimelineRender", {"NLE1", out}));
        ExpectComplete();
        EXPECT_EQ(Var("[QMT_LastOutput]"), out);
        EXPECT_FALSE(qt::Exists(Temp("qmt_nle")));
    }
};

}  // namespace

TEST_F(TimelineRender, TwoClipsJoinWithTheSecondClipsWipe) {
    std::string clip = qt::ClipAV(2.0, 160, 120);
    Add("V1", "0", clip, "0", "0");
    Add("V1", "0", clip, "2", "0");
    Run("QMT_TimelineSetTransition", {"NLE1", "V1", "1", "wipeleft", "1.0"});
    Add("FX", "2", "negate", "0.5", "1");
    Render(Out("joined.mp4"));
    qt::Probed p = qt::Probe(Out("joined.mp4"));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.width, 160);
    EXPECT_EQ(p.height, 120);
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.0 + 2.0 - 0.8, 0.1);  // the wipe takes 0.4 x 2 s
}

TEST_F(TimelineRender, PlainCutsConcatenateAndSilentSourcesStillJoin) {
    Add("V1", "0", qt::ClipAV(2.0, 160, 120), "0", "0");
    Add("V1", "0", qt::ClipVideoOnly(1.0, 160, 120), "2", "0");
    Add("TX", "3", "Title", "0", "1");
    Render(Out("cut.mp4"));
    qt::Probed p = qt::Probe(Out("cut.mp4"));
    ASSERT_TRUE(p.ok);
    EXPECT_NEAR(p.duration, 3.0, 0.15);
    EXPECT_EQ(p.audioStreams, 1);
}

TEST_F(TimelineRender, SingleClipWithMusicOnA2TakesTheMix) {
    Add("V1", "0", qt::ClipVideoOnly(2.0, 160, 120), "0", "0");
    Add("A2", "4", qt::ClipAudio(2.0), "0.5", "0");
    Render(Out("mixed.mp4"));
    qt::Probed p = qt::Probe(Out("mixed.mp4"));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_EQ(p.videoStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.15);
}

TEST_F(TimelineRender, SingleClipPlacesTheOverlayAtTheCorner) {
    std::string clip = qt::ClipAV(2.0, 320, 240);
    Add("V1", "0", clip, "0", "0");
    Add("V2", "1", qt::Media("white_320.png", "-f lavfi -i color=white:size=320x240 -frames:v 1"), "0", "1");
    Add("FX", "2", "hue=s=0", "0", "2");
    Render(Out("overlay.mp4"));
    qt::Probed p = qt::Probe(Out("overlay.mp4"));
    ASSERT_TRUE(p.ok);
    EXPECT_NEAR(p.duration, 2.0, 0.15);
    int rgb[3] = {};
    ASSERT_TRUE(qt::FrameColour(Out("overlay.mp4"), 0.5, rgb));
    EXPECT_GT(rgb[0], 235);  // the white overlay covers the frame while enabled
    ASSERT_TRUE(qt::FrameColour(Out("overlay.mp4"), 1.6, rgb));
    EXPECT_LT(rgb[0], 220);
}

TEST_F(TimelineRender, NothingOnV1) {
    Add("TX", "3", "Hi", "0", "1");
    Run("QMT_TimelineRender", {"NLE1", Out("x.mp4")});
    EXPECT_EQ(Var("[QMT_Error]"), "No video clips on V1.");
    Run("QMT_TimelineRender", {"NLE9", Out("x.mp4")});
    EXPECT_EQ(Var("[QMT_Error]"), "NLE Timeline not found.");
}
