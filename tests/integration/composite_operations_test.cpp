// Operations that choose arguments from word tables or compute numbers,
// against the real ffmpeg.
#include <gtest/gtest.h>
#include "tests/support/test_support.h"

namespace {

using qt::Quoted;
using Composite = qt::OperationTest;

}  // namespace

TEST_F(Composite, AudioExtractionFollowsTheFormatWord) {
    // Every format word gives a file ffprobe reads as that format, with the
    // whole sound in it; an unknown word falls back to mp3.
    const struct { const char* word; const char* file; const char* format; const char* codec; } rows[] = {
        {"wav", "a.wav", "wav", "pcm_s16le"}, {"FLAC", "a.flac", "flac", "flac"}, {"aac", "a.aac", "aac", "aac"},
        {"Ogg", "a.ogg", "ogg", "vorbis"},    {"", "b.mp3", "mp3", "mp3"},         {"MP3", "a.mp3", "mp3", "mp3"},
    };
    for (const auto& row : rows) {
        qt::Probed p = Do("QMT_ExtractAudio", {in, row.word, Out(row.file)});
        EXPECT_EQ(p.formatName, row.format) << row.word;
        EXPECT_EQ(p.acodec, row.codec) << row.word;
        EXPECT_EQ(p.videoStreams, 0) << row.word;
        EXPECT_NEAR(p.duration, 2.0, 0.15) << row.word;
    }
    EXPECT_EQ(rec->Last(), qt::Argv("-y -i " + Quoted(in) + " -vn -acodec libmp3lame -b:a 192k " + Quoted(Out("a.mp3"))));
}

TEST_F(Composite, AddAudioDelaysInMilliseconds) {
    std::string music = qt::ClipAudio(3.0);
    qt::Probed p = Do("QMT_AddAudio", {in, music, "2.5", Out("d.mp4")});
    EXPECT_EQ(Arg(6), "[1:a]adelay=2500|2500[a1];[0:a][a1]amix=2:duration=first[outa]");
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    Do("QMT_AddAudio", {in, music, "0", Out("m.mp4")});
    EXPECT_EQ(Arg(6), "[0:a][1:a]amix=2:duration=first[outa]");
}

TEST_F(Composite, WatermarkOpacityAndPosition) {
    std::string white = qt::Media("white_40.png", "-f lavfi -i color=white:size=40x40 -frames:v 1");
    Do("QMT_Watermark", {in, white, "BottomRight", "0.5", Out("w.mp4")});
    EXPECT_EQ(Arg(6), "[1:v]format=rgba,colorchannelmixer=aa=0.50[wm];[0:v][wm]overlay=main_w-overlay_w-10:main_h-overlay_h-10");
    for (const char* opaque : {"1", "0", "100"}) {
        Do("QMT_Watermark", {in, white, "somewhere", opaque, Out("w.mp4")});
        EXPECT_EQ(Arg(6), "overlay=10:10") << opaque;
    }
    EXPECT_EQ(qt::Probe(Out("w.mp4")).width, 160);
}

TEST_F(Composite, StillsSheetsAndGifs) {
    std::string longer = qt::ClipAV(3.0, 160, 120);
    Do("QMT_Thumbnail", {longer, Out("t.jpg")});  // a third into the clip's probed 3.000 s
    EXPECT_EQ(rec->Last(), qt::Argv("-y -ss 1.00 -i " + Quoted(longer) + " -frames:v 1 -q:v 2 " + Quoted(Out("t.jpg"))));

    qt::Probed p = Do("QMT_ContactSheet", {longer, "2", "2", Out("sheet.jpg")});
    EXPECT_EQ(p.width, 640);  // two cells of 320
    EXPECT_EQ(p.height, 480);
    size_t runs = rec->RunCount();
    EXPECT_EQ(After("QMT_ContactSheet", {longer, "0", "3", Out("none.jpg")}), "Invalid cols/rows.");
    EXPECT_EQ(rec->RunCount(), runs);

    p = Do("QMT_ExtractGIF", {longer, "1", "1", "80", "10", Out("clip.gif")});
    EXPECT_EQ(p.vcodec, "gif");
    EXPECT_EQ(p.width, 80);
    EXPECT_NEAR(p.duration, 1.0, 0.15);
    p = Do("QMT_ToGIF", {in, "64", "5", Out("all.gif")});
    EXPECT_EQ(p.width, 64);
    EXPECT_NEAR(p.duration, 2.0, 0.25);
}

TEST_F(Composite, CodecWordsPickEncodersAndOptions) {
    qt::Probed p = Do("QMT_ConvertAdvanced", {in, "HEVC", "none", "", Out("h.mp4")});
    EXPECT_EQ(p.vcodec, "hevc");
    EXPECT_EQ(p.audioStreams, 0);
    EXPECT_EQ(rec->Last(), qt::Argv("-y -i " + Quoted(in) + " -c:v libx265 -an -crf 23 -preset fast " + Quoted(Out("h.mp4"))));

    p = Do("QMT_ToWebM", {in, "slow", Out("w.webm")});
    EXPECT_EQ(rec->Last(), qt::Argv("-y -i " + Quoted(in) + " -c:v libvpx-vp9 -c:a libopus -crf 23 -b:v 0 -speed 1 -row-mt 1 " +
                                    Quoted(Out("w.webm"))));
    EXPECT_EQ(p.vcodec, "vp9");
    EXPECT_EQ(p.acodec, "opus");

    p = Do("QMT_ToMP4", {in, "High", Out("m.mp4")});
    EXPECT_EQ(rec->Last(), qt::Argv("-y -i " + Quoted(in) + " -c:v h264 -c:a aac -crf 18 -preset fast " + Quoted(Out("m.mp4"))));
    EXPECT_EQ(p.vcodec, "h264");

    size_t runs = rec->RunCount();
    Run("QMT_ConvertAdvanced", {in, std::string(64, 'x'), "aac", "", Out("x.mp4")});
    EXPECT_EQ(Var("[QMT_Status]"), "Error");
    EXPECT_EQ(rec->RunCount(), runs);
}

TEST_F(Composite, CompressSpreadsTheTargetOverTheDuration) {
    // 0.1 MB (838,860.8 bits) over the clip's probed 2.000 s, less 128 kb/s of sound.
    qt::Probed p = Do("QMT_Compress", {in, "0.1", Out("c.mp4")});
    EXPECT_EQ(Arg(6), "291430");
    EXPECT_EQ(p.vcodec, "h264");
    EXPECT_NEAR(p.duration, 2.0, 0.1);
    // Far less than the sound takes: the floors hold.
    Do("QMT_Compress", {in, "0.001", Out("floor.mp4")});
    EXPECT_EQ(std::vector<std::string>({Arg(6), Arg(8), Arg(10)}), std::vector<std::string>({"100000", "150000", "200000"}));

    size_t runs = rec->RunCount();
    EXPECT_EQ(After("QMT_Compress", {Out("missing.mp4"), "25", Out("x.mp4")}), "Cannot determine video duration.");
    EXPECT_EQ(rec->RunCount(), runs);
}

TEST_F(Composite, ChromaKeyShowsTheBackgroundThroughTheKeyColour) {
    std::string green = qt::Media("green_2s_160x120.mp4",
                                  "-f lavfi -i color=0x00FF00:size=160x120:rate=25:duration=2 -c:v libx264 -pix_fmt yuv420p");
    std::string red = qt::Media("red_2s_160x120.mp4",
                                "-f lavfi -i color=red:size=160x120:rate=25:duration=2 -c:v libx264 -pix_fmt yuv420p");
    Do("QMT_ChromaKey", {green, red, "#00FF00", "0.3", Out("k.mp4")});
    EXPECT_EQ(Arg(6), "[0:v]chromakey=0x00FF00:0.3:0.1[fg];[1:v][fg]overlay[outv]");
    int rgb[3];
    ASSERT_TRUE(qt::FrameColour(Out("k.mp4"), 1.0, rgb));
    EXPECT_GT(rgb[0], 180);
    EXPECT_LT(rgb[1], 80);
}

// The output and the motion data removed after success: CommandSafety.FilterFilePathsSurviveTheGraphAndOptionSyntax.
TEST_F(Composite, StabilizeRunsBothPassesAndRemovesTheMotionData) {
    Do("QMT_Stabilize", {in, "High", Out("s.mp4")});
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 2u);
    std::string trf = Temp("qmt_trf.trf");
    EXPECT_EQ(runs[0], qt::Argv("-y -i " + Quoted(in) + " -vf \"vidstabdetect=shakiness=8:result='" + trf + "'\" -f null /dev/null"));
    EXPECT_EQ(runs[1].at(4), "vidstabtransform=input='" + trf + "':smoothing=10,unsharp=5:5:0.8:3:3:0.4");

    rec->FailWhen("vidstabtransform");
    EXPECT_EQ(After("QMT_Stabilize", {in, "low", Out("s2.mp4")}, "[QMT_Status]"), "Error");
    EXPECT_EQ(Var("[QMT_Progress]"), "50");
    EXPECT_FALSE(qt::Exists(trf));
}

TEST_F(Composite, LoopAndPicturesIntoVideo) {
    qt::Probed p = Do("QMT_Loop", {in, "3", Out("l.mp4")});
    EXPECT_EQ(rec->Last(), qt::Argv("-y -stream_loop 2 -i " + Quoted(in) + " -c copy " + Quoted(Out("l.mp4"))));
    EXPECT_NEAR(p.duration, 6.0, 0.2);
    Do("QMT_Loop", {in, "", Out("l1.mp4")});
    EXPECT_EQ(Arg(2), "0");

    Do("QMT_ExtractFrames", {in, "0", "1", "0.25", Out("f_%03d.png")});
    EXPECT_EQ(Arg(8), "fps=4.0000");
    ASSERT_TRUE(qt::Exists(Out("f_004.png")));
    p = Do("QMT_FromImages", {Out("f_%03d.png"), "4", "1", Out("seq.mp4")});
    EXPECT_NEAR(p.duration, 1.0, 0.15);
    EXPECT_EQ(p.width, 160);

    p = Do("QMT_FromImage", {qt::ImagePng(160, 120), "1.5", "", Out("still.mp4")});
    EXPECT_EQ(p.audioStreams, 0);
    EXPECT_NEAR(p.duration, 1.5, 0.1);
    p = Do("QMT_FromImage", {qt::ImagePng(160, 120), "1", qt::ClipAudio(2.0), Out("still_a.mp4")});
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_NEAR(p.duration, 1.0, 0.15);
}
