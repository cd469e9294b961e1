// One-run file operations against the real ffmpeg: what comes out (ffprobe,
// frame colours), and the exact arguments where a word table or computed
// value decides them.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

namespace {

using qt::Quoted;

class SingleOps : public qt::OperationTest {
protected:
    void ExpectArgs(const std::string& line) { EXPECT_EQ(rec->Last(), qt::Argv("-y " + line)); }
    // Runs `action` on the clip with `args` between the clip and an output.
    qt::Probed On(const std::string& action, std::vector<std::string> args, const std::string& out = "o.mp4") {
        args.insert(args.begin(), in);
        args.push_back(Out(out));
        return Do(action, args);
    }
};

}  // namespace

TEST_F(SingleOps, TrimCopiesTheRangeAsTyped) {
    qt::Probed p = Do("QMT_Trim", {in, "0", "00:00:01", Out("t.mp4")});
    ExpectArgs("-ss 0 -to 00:00:01 -i " + Quoted(in) + " -c copy " + Quoted(Out("t.mp4")));
    EXPECT_NEAR(p.duration, 1.0, 0.1);

    // An empty output name still runs; success then leaves the last output alone.
    rec->PassWhen("-to 1 -i");
    host.ClearWrites();
    Completes("QMT_Trim", {in, "0", "1", ""});
    EXPECT_TRUE(host.WritesOf("[QMT_LastOutput]").empty());
    EXPECT_EQ(Var("[QMT_LastOutput]"), Out("t.mp4"));
}

TEST_F(SingleOps, GeometryChangesTheFrame) {
    EXPECT_EQ(On("QMT_Resize", {"80", "60"}).height, 60);
    ExpectArgs("-i " + Quoted(in) + " -vf \"scale=80:60\" -c:v libx264 -preset fast -crf 18 -c:a copy " + Quoted(Out("o.mp4")));
    const struct { const char* action; std::vector<std::string> args; int width, height; } rows[] = {
        {"QMT_Crop", {"100", "80", "10", "20"}, 100, 80},
        {"QMT_Rotate", {"90.5"}, 120, 160},  // read as the integer 90: an exact transpose
        {"QMT_Pad", {"200", "160", "black"}, 200, 160},
        {"QMT_ScaleToFit", {"80", "80"}, 80, 60},
        {"QMT_ScaleToFit", {"81", "1000"}, 80, 60},  // 81x60.75 rounded to even sizes libx264 takes
        {"QMT_ScaleToFit", {"1000", "45"}, 60, 44},
    };
    for (const auto& r : rows) {
        qt::Probed p = On(r.action, r.args);
        EXPECT_EQ(p.width, r.width) << r.action << " " << r.args[0];
        EXPECT_EQ(p.height, r.height) << r.action << " " << r.args[0];
        EXPECT_EQ(p.audioStreams, 1) << r.action;
    }
}

TEST_F(SingleOps, FiltersTakeTheTypedValues) {
    // The filter argument each typed value gives (the one after -vf or -af).
    const struct { const char* action; std::vector<std::string> args; std::string filter; } rows[] = {
        {"QMT_Rotate", {"270"}, "transpose=2"},
        {"QMT_Rotate", {"45"}, "rotate=45*PI/180"},
        {"QMT_Flip", {"VeRtIcAl"}, "vflip"},
        {"QMT_Flip", {"sideways"}, "hflip"},
        {"QMT_ColorBalance", {"0.1", "1.2", "1.5"}, "eq=brightness=0.1:contrast=1.2:saturation=1.5"},
        {"QMT_Sharpen", {"1.5"}, "unsharp=5:5:1.5:5:5:1.5"},
        {"QMT_Denoise", {"LIGHT"}, "hqdn3d=2:2:3:3"},
        {"QMT_Denoise", {""}, "hqdn3d=4:3:6:4.5"},
        {"QMT_CustomFilter", {"negate,hflip"}, "negate,hflip"},
        {"QMT_FadeAudioIn", {"0.5"}, "afade=t=in:st=0:d=0.5"},
        {"QMT_FadeAudioOut", {"0.5"}, "afade=t=out:st=1.50:d=0.5"},  // the clip's probed 2.000 s less the fade
        {"QMT_FadeOut", {"0.5"}, "fade=t=out:st=1.50:d=0.5"},
        // Longer than the file: ffmpeg refuses a negative start, so the fade starts with the file.
        {"QMT_FadeAudioOut", {"3"}, "afade=t=out:st=0.00:d=3"},
        {"QMT_FadeOut", {"5"}, "fade=t=out:st=0.00:d=5"},
    };
    for (const auto& r : rows) {
        qt::Probed p = On(r.action, r.args);
        EXPECT_EQ(Arg(4), r.filter) << r.action << " " << r.args[0];
        EXPECT_NEAR(p.videoDuration, 2.0, 0.1) << r.action;
    }
}

TEST_F(SingleOps, SpeedFactorsAndTiming) {
    qt::Probed p = On("QMT_Speed", {"2"});
    EXPECT_EQ(Arg(4), "[0:v]setpts=0.5000*PTS,fps=25/1,tpad=stop=-1:stop_mode=clone,trim=duration=1.000[v];"
                      "[0:a]atempo=2.0000[a]");
    // atempo takes 0.5 to 100 a stage; slower factors run as a chain. Picture
    // and sound both come out at the new length, in step.
    for (double factor : {0.25, 0.5, 2.0, 4.0}) {
        p = On("QMT_Speed", {qt::Num(factor)});
        EXPECT_NEAR(p.videoDuration, 2.0 / factor, 0.15) << factor;
        EXPECT_NEAR(p.audioDuration, 2.0 / factor, 0.15) << factor;
        EXPECT_NEAR(p.videoDuration, p.audioDuration, 0.06) << factor;  // a frame and an AAC frame
        if (factor == 0.25)
            EXPECT_EQ(Arg(4), "[0:v]setpts=4.0000*PTS,fps=25/1,tpad=stop=-1:stop_mode=clone,trim=duration=8.000[v];"
                              "[0:a]atempo=0.5000,atempo=0.5000[a]");
    }
    for (const char* bad : {"0", "-3", "quick"}) {
        On("QMT_Speed", {bad});
        EXPECT_EQ(Arg(4), "[0:v]setpts=1.0000*PTS[v];[0:a]atempo=1.0000[a]") << bad;
    }
    EXPECT_NEAR(On("QMT_FrameRate", {"10"}).fps, 10.0, 0.01);
    p = On("QMT_Reverse", {});
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    EXPECT_EQ(p.acodec, "aac");
}

TEST_F(SingleOps, AudioTracks) {
    qt::Probed p = On("QMT_Mute", {});
    EXPECT_EQ(p.audioStreams, 0);
    EXPECT_EQ(p.videoStreams, 1);

    p = Do("QMT_ReplaceAudio", {qt::ClipVideoOnly(2.0, 160, 120), qt::ClipAudio(3.0), Out("rep.mp4")});
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);  // -shortest

    p = On("QMT_MixAudio", {qt::ClipAudio(3.0), "0.5"});
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    EXPECT_EQ(Arg(6), "[0:a]volume=1.0[a0];[1:a]volume=0.5[a1];[a0][a1]amix=inputs=2:duration=first[outa]");

    On("QMT_SetVolume", {"0.3"});
    ExpectArgs("-i " + Quoted(in) + " -af \"volume=0.3\" -c:v copy -c:a aac " + Quoted(Out("o.mp4")));
    EXPECT_EQ(On("QMT_Normalize", {}).audioStreams, 1);
}

TEST_F(SingleOps, ColourEffectsChangeThePicture) {
    int rgb[3], before[3];
    On("QMT_Grayscale", {});
    ExpectArgs("-i " + Quoted(in) + " -vf \"hue=s=0\" -c:v libx264 -preset fast -crf 18 -c:a copy " + Quoted(Out("o.mp4")));
    ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 1.0, rgb));
    EXPECT_NEAR(rgb[0], rgb[1], 3);
    EXPECT_NEAR(rgb[1], rgb[2], 3);

    On("QMT_Brightness", {"-1"});
    ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 1.0, rgb));
    EXPECT_LT(rgb[0] + rgb[1] + rgb[2], 30);

    // The vignette darkens the corners (the two right ones are white in the
    // test picture) and leaves the middle as it was.
    On("QMT_Vignette", {"PI/4"});
    for (const char* region : {"16:12:144:0", "16:12:144:108", "20:20:70:50"}) {
        ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 1.0, rgb, region));
        ASSERT_TRUE(qt::FrameColour(in, 1.0, before, region));
        int darker = before[0] + before[1] + before[2] - rgb[0] - rgb[1] - rgb[2];
        if (region[0] == '2') EXPECT_LT(darker, 30) << region;
        else EXPECT_GT(darker, 60) << region;
    }

    // A filled red box where it was asked for, the picture beside it untouched.
    On("QMT_DrawBox", {"10", "10", "50", "40", "red", "fill"});
    ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 1.0, rgb, "30:20:20:20"));
    EXPECT_GT(rgb[0], 200);
    EXPECT_LT(rgb[1] + rgb[2], 80);
    ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 1.0, rgb, "40:40:100:60"));
    ASSERT_TRUE(qt::FrameColour(in, 1.0, before, "40:40:100:60"));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(rgb[i], before[i], 8);
}

TEST_F(SingleOps, OverlaysPlaceTheSecondPicture) {
    std::string white = qt::Media("white_40.png", "-f lavfi -i color=white:size=40x40 -frames:v 1");
    On("QMT_Overlay", {white, "0", "0"});
    ExpectArgs("-i " + Quoted(in) + " -i " + Quoted(white) + " -filter_complex \"overlay=0:0\" -c:v libx264 -preset fast "
               "-crf 18 -c:a copy " + Quoted(Out("o.mp4")));
    qt::Probed p = On("QMT_OverlayAdvanced", {white, "0", "0", "160", "0.5", "1"});
    EXPECT_EQ(Arg(6), "[1:v]scale=160:-1[ov];[0:v][ov]overlay=0:0:enable='between(t,0.5,1)'");
    int rgb[3];
    ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 0.8, rgb));
    EXPECT_GT(rgb[0], 230);  // scaled to cover the whole frame while enabled
    ASSERT_TRUE(qt::FrameColour(Out("o.mp4"), 1.6, rgb));
    EXPECT_LT(rgb[0], 200);
    EXPECT_NEAR(p.duration, 2.0, 0.1);
}

TEST_F(SingleOps, FramesConversionAndBitrates) {
    EXPECT_EQ(On("QMT_ExtractFrame", {"1"}, "f.png").width, 160);
    ExpectArgs("-ss 1 -i " + Quoted(in) + " -frames:v 1 -q:v 2 " + Quoted(Out("f.png")));

    qt::Probed p = On("QMT_Convert", {}, "c.mkv");
    EXPECT_EQ(p.videoStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);

    // The action editor offers "300k"; the k is not doubled.
    On("QMT_SetBitrate", {"300k", "64"});
    ExpectArgs("-i " + Quoted(in) + " -c:v libx264 -b:v 300k -c:a aac -b:a 64k " + Quoted(Out("o.mp4")));
}

TEST_F(SingleOps, FailuresAreReportedAndOverlongArgumentsNeverRun) {
    EXPECT_EQ(After("QMT_Resize", {Out("missing.mp4"), "80", "60", Out("x.mp4")}, "[QMT_Status]"), "Error");
    EXPECT_FALSE(Var("[QMT_Error]").empty());
    EXPECT_EQ(Var("[LastError]"), Var("[QMT_Error]"));
    size_t runs = rec->RunCount();

    EXPECT_EQ(After("QMT_CustomFilter", {in, std::string(5000, 'x'), Out("x.mp4")}, "[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Error]").rfind("Arguments too long", 0), 0u) << Var("[QMT_Error]");
    EXPECT_EQ(rec->RunCount(), runs);
}
