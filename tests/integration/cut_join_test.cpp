// Exact trim, split, segment removal, concat and the two-file transition,
// against the real ffmpeg, with their temporary files.
#include <gtest/gtest.h>
#include <fstream>
#include "tests/support/test_support.h"

namespace {

using qt::Quoted;

// Stream-copy cuts land on key frames; a key frame every 0.2 s keeps them near the times asked for.
std::string KeyframeClip() {
    return qt::Media("av_kf_3s_160x120.mp4",
                     "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -f lavfi -i sine=frequency=440:duration=3 "
                     "-c:v libx264 -preset ultrafast -g 5 -pix_fmt yuv420p -c:a aac -shortest");
}

class CutJoin : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        rec = &Record();
    }
    qt::ToolRecorder* rec = nullptr;
};

}  // namespace

TEST_F(CutJoin, TrimExactReencodesTheRange) {
    std::string in = qt::ClipAV(3.0, 160, 120);
    Completes("QMT_TrimExact", {in, "0.5", "00:00:01.700", Out("x.mp4")});
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("x.mp4"));
    EXPECT_EQ(rec->Last(), qt::Argv("-y -i " + Quoted(in) + " -ss 0.5 -to 00:00:01.700 -c:v libx264 -preset fast -crf 18 "
                                    "-c:a aac -b:a 192k " + Quoted(Out("x.mp4"))));
    qt::Probed p = qt::Probe(Out("x.mp4"));
    EXPECT_NEAR(p.duration, 1.2, 0.1);
    EXPECT_EQ(p.audioStreams, 1);
}

TEST_F(CutJoin, SplitWritesBothHalvesAndKeepsTheFirstWhenTheSecondFails) {
    std::string in = KeyframeClip();
    Completes("QMT_Split", {in, "1", Out("a.mp4"), Out("b.mp4")});
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("b.mp4"));
    EXPECT_NEAR(qt::Probe(Out("a.mp4")).duration, 1.0, 0.15);
    EXPECT_NEAR(qt::Probe(Out("b.mp4")).duration, 2.0, 0.15);
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], qt::Argv("-y -i " + Quoted(in) + " -to 1 -c copy " + Quoted(Out("a.mp4"))));
    EXPECT_EQ(runs[1], qt::Argv("-y -ss 1 -i " + Quoted(in) + " -c copy " + Quoted(Out("b.mp4"))));

    rec->FailWhen("b2.mp4");
    EXPECT_EQ(After("QMT_Split", {in, "1", Out("a2.mp4"), Out("b2.mp4")}, "[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Progress]"), "50");
    EXPECT_TRUE(qt::Exists(Out("a2.mp4")));
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("b.mp4"));
}

TEST_F(CutJoin, RemoveSegmentJoinsTheOutsidePartsAndCleansUp) {
    std::string in = KeyframeClip();
    Completes("QMT_RemoveSegment", {in, "1", "2", Out("cut.mp4")});
    qt::Probed p = qt::Probe(Out("cut.mp4"));
    EXPECT_NEAR(p.duration, 2.0, 0.2);
    EXPECT_EQ(p.videoStreams, 1);
    EXPECT_EQ(p.audioStreams, 1);
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2], qt::Argv("-y -i \"concat:" + Temp("qmt_s1.ts") + "|" + Temp("qmt_s2.ts") +
                                "\" -c copy -bsf:a aac_adtstoasc " + Quoted(Out("cut.mp4"))));
    EXPECT_FALSE(qt::Exists(Temp("qmt_s1.ts")));
    EXPECT_FALSE(qt::Exists(Temp("qmt_s2.ts")));

    for (const char* failing : {"concat:", "qmt_s2.ts"}) {
        rec->FailWhen(failing);
        Run("QMT_RemoveSegment", {in, "1", "2", Out("cut2.mp4")});
        EXPECT_EQ(Var("[QMT_Status]"), "Error") << failing;
        EXPECT_FALSE(qt::Exists(Temp("qmt_s1.ts"))) << failing;
        EXPECT_FALSE(qt::Exists(Temp("qmt_s2.ts"))) << failing;
    }
}

TEST_F(CutJoin, ConcatWritesOneListLinePerNameAndDeletesTheList) {
    std::string clip = qt::ClipAV(1.0, 160, 120);
    // A quote in a name is written the way the concat demuxer reads it back.
    std::string quoted = Out("it's.mp4");
    qt::Shell("cp '" + clip + "' \"" + quoted + "\"");
    rec->Snapshot(Temp("qmt_concat.txt"));
    Completes("QMT_Concat", {"  " + clip + " ,, " + quoted + "," + clip + " ,", Out("all.mp4")});
    EXPECT_EQ(rec->SnapshotText(),
              "file '" + clip + "'\nfile '" + Out("it'\\''s.mp4") + "'\nfile '" + clip + "'\n");
    EXPECT_EQ(rec->Last(), qt::Argv("-y -f concat -safe 0 -i " + Quoted(Temp("qmt_concat.txt")) + " -c copy " +
                                    Quoted(Out("all.mp4"))));
    EXPECT_NEAR(qt::Probe(Out("all.mp4")).duration, 3.0, 0.15);
    EXPECT_FALSE(qt::Exists(Temp("qmt_concat.txt")));

    EXPECT_EQ(After("QMT_Concat", {"", Out("none.mp4")}, "[QMT_Status]"), "Error");
    EXPECT_EQ(rec->SnapshotText(), "");
    EXPECT_FALSE(qt::Exists(Temp("qmt_concat.txt")));
}

TEST_F(CutJoin, ConcatTransitionOverlapsTheEndOfTheFirstFile) {
    std::string a = qt::ClipAV(2.0, 160, 120), b = qt::ClipAV(1.0, 160, 120);
    Completes("QMT_ConcatTransition", {a, b, "circleopen", "0.5", Out("j.mp4")});
    // The first file's 2 s (as probed: 2.00 to 2.02 with its sound's last frame) less the half second.
    EXPECT_NE(rec->Last().at(6).find("xfade=transition=circleopen:duration=0.50:offset=1.5"), std::string::npos)
        << rec->Last().at(6);
    qt::Probed p = qt::Probe(Out("j.mp4"));
    EXPECT_NEAR(p.duration, 2.5, 0.12);
    EXPECT_EQ(p.audioStreams, 1);
}
