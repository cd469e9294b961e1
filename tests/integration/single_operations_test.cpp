// One-run file operations against the real ffmpeg: what comes out (ffprobe),
// and the exact arguments where a word table or computed value decides them.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

namespace {

using qt::Quoted;

class SingleOps : public qt::OperationTest {
protected:
    // The fade-out start the plug-in computes from the probed length of `in`.
    std::string Start(double seconds) {
        char buf[32];
        snprintf(buf, sizeof buf, "%.2f", qt::Probe(in).duration - seconds);
        return buf;
    }
    void ExpectArgs(const std::string& line) { EXPECT_EQ(rec->Last(), qt::Argv("-y " + line)); }
};

}  // namespace

TEST_F(SingleOps, TrimCopiesTheRangeAsTyped) {
    qt::Probed p = Do("QMT_Trim", {in, "0", "00:00:01", Out("t.mp4")});
    ExpectArgs("-ss 0 -to 00:00:01 -i " + Quoted(in) + " -c copy " + Quoted(Out("t.mp4")));
    EXPECT_NEAR(p.duration, 1.0, 0.1);

    // An empty output name still runs; success then leaves the last output alone.
    rec->PassWhen("-to 1 -i");
    host.ClearWrites();
    ASSERT_TRUE(Run("QMT_Trim", {in, "0", "1", ""}));
    ExpectComplete();
    EXPECT_TRUE(host.WritesOf("[QMT_LastOutput]").empty());
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("t.mp4"));
}

TEST_F(SingleOps, GeometryChangesTheFrame) {
    qt::Probed p = Do("QMT_Resize", {in, "80", "60", Out("r.mp4")});
    EXPECT_EQ(p.width, 80);
    EXPECT_EQ(p.audioStreams, 1);
    ExpectArgs("-i " + Quoted(in) + " -vf \"scale=80:60\" -c:v libx264 -preset fast -crf 18 -c:a copy " + Quoted(Out("r.mp4")));

    p = Do("QMT_Crop", {in, "100", "80", "10", "20", Out("c.mp4")});
    EXPECT_EQ(p.width, 100);
    EXPECT_EQ(p.height, 80);

    // 90.5 reads as the integer 90: an exact transpose, the frame turns upright.
    p = Do("QMT_Rotate", {in, "90.5", Out("q.mp4")});
    EXPECT_EQ(p.width, 120);
    EXPECT_EQ(p.height, 160);
    EXPECT_EQ(Arg(4), "transpose=1");
    Do("QMT_Rotate", {in, "270", Out("q.mp4")});
    EXPECT_EQ(Arg(4), "transpose=2");
    Do("QMT_Rotate", {in, "45", Out("q.mp4")});
    EXPECT_EQ(Arg(4), "rotate=45*PI/180");

    Do("QMT_Flip", {in, "VeRtIcAl", Out("f.mp4")});
    EXPECT_EQ(Arg(4), "vflip");
    Do("QMT_Flip", {in, "sideways", Out("f.mp4")});
    EXPECT_EQ(Arg(4), "hflip");

    p = Do("QMT_Pad", {in, "200", "160", "black", Out("p.mp4")});
    EXPECT_EQ(p.width, 200);
    EXPECT_EQ(p.height, 160);
    p = Do("QMT_ScaleToFit", {in, "80", "80", Out("s.mp4")});
    EXPECT_EQ(p.width, 80);
    EXPECT_EQ(p.height, 60);
    // 81 wide keeps 4:3 at 81x60.75: rounded to even sizes libx264 takes.
    p = Do("QMT_ScaleToFit", {in, "81", "1000", Out("s2.mp4")});
    EXPECT_EQ(p.width, 80);
    EXPECT_EQ(p.height, 60);
    p = Do("QMT_ScaleToFit", {in, "1000", "45", Out("s3.mp4")});
    EXPECT_EQ(p.width, 60);
    EXPECT_EQ(p.height, 44);
}

TEST_F(SingleOps, SpeedFactorsAndTiming) {
    qt::Probed p = Do("QMT_Speed", {in, "2", Out("fast.mp4")});
    EXPECT_NEAR(p.duration, 1.0, 0.1);
    EXPECT_EQ(Arg(4), "[0:v]setpts=0.5000*PTS,fps=25/1,tpad=stop=-1:stop_mode=clone,trim=duration=1.000[v];"
                      "[0:a]atempo=2.0000[a]");
    // atempo takes 0.5 to 100 a stage; slower factors run as a chain. Picture
    // and sound both come out at the new length, in step.
    for (double factor : {0.25, 0.5, 2.0, 4.0}) {
        char text[16];
        snprintf(text, sizeof text, "%g", factor);
        p = Do("QMT_Speed", {in, text, Out("speed.mp4")});
        EXPECT_NEAR(p.videoDuration, 2.0 / factor, 0.15) << factor;
        EXPECT_NEAR(p.audioDuration, 2.0 / factor, 0.15) << factor;
        EXPECT_NEAR(p.videoDuration, p.audioDuration, 0.06) << factor;  // a frame and an AAC frame
        if (factor == 0.25)
            EXPECT_EQ(Arg(4), "[0:v]setpts=4.0000*PTS,fps=25/1,tpad=stop=-1:stop_mode=clone,trim=duration=8.000[v];"
                              "[0:a]atempo=0.5000,atempo=0.5000[a]");
    }
    for (const char* bad : {"0", "-3", "quick"}) {
        Do("QMT_Speed", {in, bad, Out("same.mp4")});
        EXPECT_EQ(Arg(4), "[0:v]setpts=1.0000*PTS[v];[0:a]atempo=1.0000[a]") << bad;
    }
    p = Do("QMT_FrameRate", {in, "10", Out("r10.mp4")});
    EXPECT_NEAR(p.fps, 10.0, 0.01);
    p = Do("QMT_Reverse", {in, Out("rev.mp4")});
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    EXPECT_EQ(p.acodec, "aac");
}

TEST_F(SingleOps, AudioTracks) {
    qt::Probed p = Do("QMT_Mute", {in, Out("mute.mp4")});
    EXPECT_EQ(p.audioStreams, 0);
    EXPECT_EQ(p.videoStreams, 1);

    p = Do("QMT_ReplaceAudio", {qt::ClipVideoOnly(2.0, 160, 120), qt::ClipAudio(3.0), Out("rep.mp4")});
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);  // -shortest

    p = Do("QMT_MixAudio", {in, qt::ClipAudio(3.0), "0.5", Out("mix.mp4")});
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    EXPECT_EQ(Arg(6), "[0:a]volume=1.0[a0];[1:a]volume=0.5[a1];[a0][a1]amix=inputs=2:duration=first[outa]");

    Do("QMT_SetVolume", {in, "0.3", Out("v.mp4")});
    ExpectArgs("-i " + Quoted(in) + " -af \"volume=0.3\" -c:v copy -c:a aac " + Quoted(Out("v.mp4")));
    Do("QMT_FadeAudioIn", {in, "0.5", Out("ai.mp4")});
    EXPECT_EQ(Arg(4), "afade=t=in:st=0:d=0.5");
    Do("QMT_FadeAudioOut", {in, "0.5", Out("ao.mp4")});
    EXPECT_EQ(Arg(4), "afade=t=out:st=" + Start(0.5) + ":d=0.5");
    // Longer than the file: ffmpeg refuses a negative start, so the fade
    // starts with the file.
    p = Do("QMT_FadeAudioOut", {in, "3", Out("ao2.mp4")});
    EXPECT_EQ(Arg(4), "afade=t=out:st=0.00:d=3");
    EXPECT_NEAR(p.audioDuration, 2.0, 0.1);
    p = Do("QMT_Normalize", {in, Out("n.mp4")});
    EXPECT_EQ(p.audioStreams, 1);
}

TEST_F(SingleOps, ColourEffectsGoThroughTheVideoFilter) {
    Do("QMT_Grayscale", {in, Out("g.mp4")});
    int rgb[3];
    ASSERT_TRUE(qt::FrameColour(Out("g.mp4"), 1.0, rgb));
    EXPECT_NEAR(rgb[0], rgb[1], 3);
    EXPECT_NEAR(rgb[1], rgb[2], 3);
    ExpectArgs("-i " + Quoted(in) + " -vf \"hue=s=0\" -c:v libx264 -preset fast -crf 18 -c:a copy " + Quoted(Out("g.mp4")));

    Do("QMT_Brightness", {in, "-1", Out("dark.mp4")});
    ASSERT_TRUE(qt::FrameColour(Out("dark.mp4"), 1.0, rgb));
    EXPECT_LT(rgb[0] + rgb[1] + rgb[2], 30);

    Do("QMT_ColorBalance", {in, "0.1", "1.2", "1.5", Out("cb.mp4")});
    EXPECT_EQ(Arg(4), "eq=brightness=0.1:contrast=1.2:saturation=1.5");
    Do("QMT_Sharpen", {in, "1.5", Out("sh.mp4")});
    EXPECT_EQ(Arg(4), "unsharp=5:5:1.5:5:5:1.5");
    Do("QMT_Denoise", {in, "LIGHT", Out("dn.mp4")});
    EXPECT_EQ(Arg(4), "hqdn3d=2:2:3:3");
    Do("QMT_Denoise", {in, "", Out("dn.mp4")});
    EXPECT_EQ(Arg(4), "hqdn3d=4:3:6:4.5");
    Do("QMT_Vignette", {in, "PI/4", Out("vg.mp4")});
    Do("QMT_FadeOut", {in, "0.5", Out("fo.mp4")});
    EXPECT_EQ(Arg(4), "fade=t=out:st=" + Start(0.5) + ":d=0.5");
    qt::Probed p = Do("QMT_FadeOut", {in, "5", Out("fo2.mp4")});
    EXPECT_EQ(Arg(4), "fade=t=out:st=0.00:d=5");
    EXPECT_NEAR(p.videoDuration, 2.0, 0.1);
    Do("QMT_DrawBox", {in, "10", "10", "50", "40", "red", "fill", Out("box.mp4")});
    ASSERT_TRUE(qt::FrameColour(Out("box.mp4"), 1.0, rgb));
    Do("QMT_CustomFilter", {in, "negate,hflip", Out("cf.mp4")});
    EXPECT_EQ(Arg(4), "negate,hflip");
    Do("QMT_TextOverlay", {in, "Hello", "20", "white", "10", "10", Out("tx.mp4")});
    EXPECT_EQ(Arg(4), "drawtext=text='Hello':fontsize=20:fontcolor=white:x=10:y=10");
}

TEST_F(SingleOps, OverlaysPlaceTheSecondPicture) {
    std::string white = qt::Media("white_40.png", "-f lavfi -i color=white:size=40x40 -frames:v 1");
    Do("QMT_Overlay", {in, white, "0", "0", Out("o.mp4")});
    ExpectArgs("-i " + Quoted(in) + " -i " + Quoted(white) + " -filter_complex \"overlay=0:0\" -c:v libx264 -preset fast -crf 18 "
               "-c:a copy " + Quoted(Out("o.mp4")));
    qt::Probed p = Do("QMT_OverlayAdvanced", {in, white, "0", "0", "160", "0.5", "1", Out("oa.mp4")});
    EXPECT_EQ(Arg(6), "[1:v]scale=160:-1[ov];[0:v][ov]overlay=0:0:enable='between(t,0.5,1)'");
    int rgb[3];
    ASSERT_TRUE(qt::FrameColour(Out("oa.mp4"), 0.8, rgb));
    EXPECT_GT(rgb[0], 230);  // scaled to cover the whole frame while enabled
    ASSERT_TRUE(qt::FrameColour(Out("oa.mp4"), 1.6, rgb));
    EXPECT_LT(rgb[0], 200);
    EXPECT_NEAR(p.duration, 2.0, 0.1);
}

TEST_F(SingleOps, FramesConversionAndBitrates) {
    Do("QMT_ExtractFrame", {in, "1", Out("f.png")});
    ExpectArgs("-ss 1 -i " + Quoted(in) + " -frames:v 1 -q:v 2 " + Quoted(Out("f.png")));
    EXPECT_EQ(qt::Probe(Out("f.png")).width, 160);

    qt::Probed p = Do("QMT_Convert", {in, Out("c.mkv")});
    EXPECT_EQ(p.videoStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);

    // The action editor offers "300k"; the k is not doubled.
    Do("QMT_SetBitrate", {in, "300k", "64", Out("b.mp4")});
    ExpectArgs("-i " + Quoted(in) + " -c:v libx264 -b:v 300k -c:a aac -b:a 64k " + Quoted(Out("b.mp4")));
}

TEST_F(SingleOps, FailuresAreReportedAndOverlongArgumentsNeverRun) {
    Run("QMT_Resize", {Out("missing.mp4"), "80", "60", Out("x.mp4")});
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    EXPECT_FALSE(Var("[QMT_Error]").empty());
    EXPECT_EQ(Var("[LastError]"), Var("[QMT_Error]"));
    size_t runs = rec->RunCount();

    Run("QMT_CustomFilter", {in, std::string(5000, 'x'), Out("x.mp4")});
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Error]").rfind("Arguments too long", 0), 0u) << Var("[QMT_Error]");
    EXPECT_EQ(rec->RunCount(), runs);
}
