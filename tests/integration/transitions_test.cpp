// The transition list's rules and the split-and-join render against the real ffmpeg.
#include <gtest/gtest.h>
#include <algorithm>
#include "tests/support/test_support.h"

namespace {

class Transitions : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        Run("QMT_TransitionClear", {});  // the list lives as long as the library stays loaded
    }
    void Add(const std::string& time, const std::string& type, const std::string& duration) {
        Completes("QMT_TransitionAdd", {time, type, duration, "[I]"});
    }
    std::string List() { return After("QMT_TransitionList", {"[L]"}, "[L]"); }
};

}  // namespace

TEST_F(Transitions, EntriesAreClampedSortedAndKeepTheTypeAsTyped) {
    Add("20", "fade", "0");
    EXPECT_EQ(Var("[I]"), "0");
    Add("10", "Dissolve", "7");
    EXPECT_EQ(Var("[I]"), "1");  // the slot it was appended to, not where it sorted
    Add("00:00:30", "WipeLeft", "abc");
    Add("30", "radial", "0.05");
    Add("", "zoomin", "0.1");
    EXPECT_EQ(Var("[QMT_TransCount]"), "5");
    // The exchange sort carries the last-added entry forward, so the two at
    // 30 s end up in the opposite order of their adding.
    EXPECT_EQ(List(), "0.000,zoomin,0.10;10.000,Dissolve,5.00;20.000,fade,0.50;30.000,radial,0.50;30.000,WipeLeft,0.50");

    EXPECT_EQ(After("QMT_TransitionAdd", {"5", "crossfade", "1", "[I]"}, "[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Error]"), "Invalid transition type. Use: fade, dissolve, wipeleft, etc.");
    EXPECT_EQ(Var("[QMT_TransCount]"), "5");
}

TEST_F(Transitions, RemoveClearAndTheLimitOfThirtyTwo) {
    Add("3", "WipeLeft", "1");
    Add("2", "dissolve", "1");
    Add("1", "Radial", "1");
    for (const char* bad : {"3", "32", "-1"}) {
        Run("QMT_TransitionRemove", {bad, "[R]"});
        EXPECT_EQ(Var("[QMT_Error]"), "Invalid transition index.") << bad;
    }
    EXPECT_EQ(After("QMT_TransitionRemove", {"1", "[R]"}, "[R]"), "True");
    EXPECT_EQ(List(), "1.000,Radial,1.00;3.000,WipeLeft,1.00");
    Completes("QMT_TransitionClear", {});
    EXPECT_EQ(Var("[QMT_TransCount]"), "0");
    EXPECT_EQ(List(), "");

    for (int i = 0; i < 32; ++i) Add(std::to_string(40 - i), "fade", "1");
    EXPECT_EQ(After("QMT_TransitionAdd", {"1", "fade", "1", "[I]"}), "Max 32 transitions reached.");
    EXPECT_EQ(Var("[QMT_TransCount]"), "32");
    EXPECT_EQ(List().substr(0, 17), "9.000,fade,1.00;1");

    ASSERT_TRUE(Run("QMT_TransitionTypes", {"[T]"}));
    std::string t = Var("[T]");
    EXPECT_EQ(t.rfind("fade,fadeblack,fadewhite,fadegrays,distance,", 0), 0u);
    EXPECT_EQ(std::count(t.begin(), t.end(), ','), 34);
    EXPECT_EQ(t.substr(t.size() - 30), "hrslice,pixelize,radial,zoomin");
}

TEST_F(Transitions, RenderRefusesAnEmptyListBeforeRunningAnything) {
    qt::ToolRecorder& rec = Record();
    Run("QMT_TransitionRender", {qt::ClipAV(3.0, 160, 120), "1", Out("o.mp4")});
    EXPECT_EQ(Var("[QMT_Error]"), "No transitions defined. Use QMT_TransitionAdd first.");
    Add("1", "fade", "1");
    Run("QMT_TransitionRender", {Out("missing.mp4"), "1", Out("o.mp4")});
    EXPECT_EQ(Var("[QMT_Error]"), "Cannot determine video duration.");
    EXPECT_EQ(rec.RunCount(), 0u);
}

TEST_F(Transitions, OneSplitUsesTheFirstEntryAndHalvesAnOverlongTransition) {
    qt::ToolRecorder& rec = Record();
    std::string in = qt::ClipAV(3.0, 160, 120);
    Add("7", "WipeLeft", "2");  // its time plays no part; 2 s is more than the 1 s before the cut
    Add("8", "fade", "1");
    Completes("QMT_TransitionRender", {in, "1", Out("one.mp4")});
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("one.mp4"));
    auto runs = rec.Runs();
    ASSERT_EQ(runs.size(), 3u);
    std::string a = Temp("qmt_seg_a.mov"), b = Temp("qmt_seg_b.mov");
    EXPECT_EQ(runs[0], qt::Argv("-y -i \"" + in + "\" -t 1.000 -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p "
                                "-c:a pcm_s16le \"" + a + "\""));
    EXPECT_EQ(runs[1], qt::Argv("-y -i \"" + in + "\" -ss 1.000 -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p "
                                "-c:a pcm_s16le \"" + b + "\""));
    EXPECT_EQ(runs[2], qt::Argv("-y -i \"" + a + "\" -i \"" + b +
                                "\" -filter_complex \"[0:v][1:v]xfade=transition=wipeleft:duration=0.50:offset=0.50,"
                                "format=yuv420p[outv];[1:a]apad=pad_len=1[a1];[0:a][a1]acrossfade=d=0.50[outa]\" "
                                "-map \"[outv]\" -map \"[outa]\" -c:v libx264 -preset fast -crf 18 -c:a aac \"" +
                                Out("one.mp4") + "\""));
    EXPECT_FALSE(qt::Exists(a));
    EXPECT_FALSE(qt::Exists(b));
    qt::Probed p = qt::Probe(Out("one.mp4"));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.5, 0.1);
}

TEST_F(Transitions, ListTimesCutAndEveryJoinOverlapsWhatWasJoinedSoFar) {
    Add("2", "Dissolve", "0.3");
    Add("1", "SlideLeft", "0.4");
    Completes("QMT_TransitionRender", {qt::ClipAV(3.0, 160, 120), "", Out("chain.mp4")});
    EXPECT_FALSE(qt::Exists(Temp("qmt_trans")));
    qt::Probed p = qt::Probe(Out("chain.mp4"));
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.width, 160);
    EXPECT_NEAR(p.duration, 3.0 - 0.4 - 0.3, 0.12);
}

TEST_F(Transitions, ExplicitSplitsBeyondTheListLeaveTheLaterSegmentsOut) {
    qt::ToolRecorder& rec = Record();
    Add("50", "fade", "0.2");
    Completes("QMT_TransitionRender", {qt::ClipAV(3.0, 160, 120), ";1;;2", Out("short.mp4")});
    auto runs = rec.Runs();
    ASSERT_EQ(runs.size(), 4u);  // three cuts, one join
    EXPECT_EQ(runs[2].at(runs[2].size() - 1), Temp("qmt_trans/seg_2.mov"));
    EXPECT_NE(runs[3].at(6).find("xfade=transition=fade:duration=0.20:offset=0.80"), std::string::npos) << runs[3].at(6);
    EXPECT_NEAR(qt::Probe(Out("short.mp4")).duration, 1.8, 0.12);
    EXPECT_FALSE(qt::Exists(Temp("qmt_trans")));
}

TEST_F(Transitions, FailuresNameTheStepAndCleanUp) {
    qt::ToolRecorder& rec = Record();
    std::string in = qt::ClipAV(3.0, 160, 120);
    Add("1", "fade", "0.2");
    Add("2", "fade", "0.2");
    rec.FailWhen("chain_1.mp4");
    EXPECT_EQ(After("QMT_TransitionRender", {in, "", Out("x.mp4")}), "Transition render failed at segment.");
    EXPECT_FALSE(qt::Exists(Temp("qmt_trans/seg_0.mov")));
    EXPECT_FALSE(qt::Exists(Temp("qmt_trans/chain_0.mov")));
    EXPECT_FALSE(qt::Exists(Out("x.mp4")));

    rec.FailWhen("seg_2.mov");
    EXPECT_EQ(After("QMT_TransitionRender", {in, "", Out("x.mp4")}), "Failed to split segments.");
    EXPECT_FALSE(qt::Exists(Temp("qmt_trans")));

    rec.FailWhen("qmt_seg_b.mov");
    EXPECT_EQ(After("QMT_TransitionRender", {in, "1", Out("x.mp4")}), "Failed to split segment B.");
    EXPECT_FALSE(qt::Exists(Temp("qmt_seg_a.mov")));
    EXPECT_FALSE(qt::Exists(Out("x.mp4")));
}
