// Rendering the split points of a strip with the real ffmpeg: the plain join
// of re-encoded segments and the chain with cross-fades and inserted clips.
#include <gtest/gtest.h>
#include <cstring>
#include "platform/platform.h"
#include "strips/split_render.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/recorded_tools.h"

namespace {

SplitRecord Split(double time, const char* transition = "", double duration = 1.0, const std::string& clip = "",
                  const char* exitTransition = "", double exitDuration = 1.0) {
    SplitRecord s;
    memset(&s, 0, sizeof s);
    s.time = time;
    strcpy(s.transition, transition);
    s.transitionDuration = duration;
    strcpy(s.insertClip, clip.c_str());
    strcpy(s.exitTransition, exitTransition);
    s.exitDuration = exitDuration;
    s.inUse = 1;
    return s;
}

class SplitRender : public RecordedToolsTest {
protected:
    // Renders, expects success, and probes the output: 4:2:0 pictures, each
    // stream `seconds` long within `tolerance` (left unchecked below 0).
    qt::Probed Render(const std::vector<SplitRecord>& splits, const std::string& in, double seconds,
                      double tolerance = 0.1) {
        std::string out = dir + "/out.mp4";
        RenderSplits(splits, in, out);
        EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << capture::Last("[QMT_Error]");
        EXPECT_EQ(capture::Last("[QMT_LastOutput]"), out);
        qt::Probed p = qt::Probe(out);
        EXPECT_EQ(p.pixFmt, "yuv420p");
        if (seconds >= 0) EXPECT_NEAR(p.videoDuration, seconds, tolerance);
        if (seconds >= 0 && p.audioStreams) EXPECT_NEAR(p.audioDuration, seconds, tolerance);
        ExpectClean();
        return p;
    }
    // The work folders are gone, and nothing else of the plug-in's is left.
    void ExpectClean() {
        EXPECT_FALSE(plat::PathExists(tmp + "qmt_split"));
        EXPECT_FALSE(plat::PathExists(tmp + "qmt_splitr"));
        for (const std::string& name : plat::FindFiles(tmp, "qmt_*"))
            EXPECT_EQ(name, "qmt_ffmpeg_fail.txt");  // the failure log stays for the author to read
    }
    bool RanWith(const std::string& word) {
        for (auto& run : rec->Runs())
            for (auto& arg : run)
                if (arg.find(word) != std::string::npos) return true;
        return false;
    }
};

}  // namespace

TEST_F(SplitRender, WithoutTransitionsTheReencodedSegmentsAreJoinedAsTheyAre) {
    std::string in = qt::ClipAV(3.0, 160, 90), folder = tmp + "qmt_split/";
    Render({Split(1.0), Split(2.0)}, in, 3.0);
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[1], qt::Argv("-y -i \"" + in + "\" -ss 1.000 -t 1.000 -c:v libx264 -preset fast -crf 18 -c:a aac \"" +
                                folder + "seg_1.mp4\""));
    EXPECT_EQ(runs[3], qt::Argv("-y -f concat -safe 0 -i \"" + folder + "concat.txt\" -c copy \"" + dir + "/out.mp4\""));
    EXPECT_EQ(capture::Values("[QMT_Progress]"), (std::vector<std::string>{"0", "16", "33", "80", "100"}));
}

TEST_F(SplitRender, AnInsertedClipOfAnotherSizeRateAndSoundIsFittedToTheVideo) {
    std::string in = qt::ClipAV(3.0, 160, 90);
    std::string clip = qt::Media("insert_320x240_30fps_22k.mp4",
                                 "-f lavfi -i testsrc=size=320x240:rate=30:duration=1 -f lavfi -i "
                                 "sine=frequency=880:sample_rate=22050:duration=1 -c:v libx264 -preset ultrafast "
                                 "-pix_fmt yuv420p -c:a aac -shortest");
    // Typed in any case. Into the clip: min(1.0, 0.4 x 1.5) = 0.6; back out: min(1.0, 0.4 x 1.9) = 0.76;
    // whole frames and AAC frames round each piece a little.
    qt::Probed p = Render({Split(1.5, "Fade", 1.0, clip, "wipeleft", 1.0)}, in, 3.0 + 1.0 - 0.6 - 0.76, 0.15);
    EXPECT_TRUE(RanWith("fade:duration=0.600000"));
    EXPECT_TRUE(RanWith("wipeleft:duration=0.760000"));
    EXPECT_EQ(p.width, 160);
    EXPECT_EQ(p.height, 90);
    EXPECT_NEAR(p.fps, 25, 0.01);
    EXPECT_EQ(p.sampleRate, qt::Probe(in).sampleRate);
    EXPECT_NEAR(p.videoDuration, p.audioDuration, 0.12);
}

TEST_F(SplitRender, AnInsertedClipWithoutSoundGetsSilenceAndPlainCutsJoinIt) {
    qt::Probed p = Render({Split(1.5, "", 1.0, qt::ClipVideoOnly(1.0, 320, 240))}, qt::ClipAV(3.0, 160, 90), 4.0, 0.15);
    EXPECT_EQ(p.audioStreams, 1);
    EXPECT_EQ(p.width, 160);
}

TEST_F(SplitRender, ASourceWithoutSoundIsCrossfadedPictureOnly) {
    EXPECT_EQ(Render({Split(2.0, "wipeleft", 1.0)}, qt::ClipVideoOnly(3.0, 160, 90), 2.0).audioStreams, 0);
}

TEST_F(SplitRender, AStreamCopyJoinedSourceKeepsItsFrameRate) {
    // Two copies of a clip whose sound runs past its picture, joined by stream
    // copy: the gap makes ffprobe's r_frame_rate 100/1 for 25 fps pictures.
    std::string clip = qt::Media("longer_sound.mp4", "-f lavfi -i testsrc=size=160x90:rate=25:duration=2 -f lavfi -i "
                                                     "sine=duration=2.05 -c:v libx264 -preset ultrafast -pix_fmt yuv420p "
                                                     "-c:a aac");
    std::string list = dir + "/twice.txt", in = dir + "/twice.mp4";
    qt::Shell("printf \"file '%s'\\nfile '%s'\\n\" '" + clip + "' '" + clip + "' > '" + list +
              "' && ffmpeg -v error -f concat -safe 0 -i '" + list + "' -c copy '" + in + "'");
    qt::Probed p = Render({Split(1.0, "fade", 0.5)}, in, -1);
    EXPECT_EQ(p.frameRate, "25/1");
    EXPECT_NEAR(p.videoDuration, p.audioDuration, 0.05);
}

TEST_F(SplitRender, FailuresReportAndLeaveNoWorkFiles) {
    std::string in = qt::ClipAV(3.0, 160, 90), out = dir + "/never.mp4";
    RenderSplits({}, in, out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "No splits defined. Use Split Here to add cut points.");
    RenderSplits({Split(1.0)}, dir + "/missing.mp4", out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Cannot determine video duration.");
    EXPECT_EQ(rec->RunCount(), 0u);

    rec->FailWhen("xfade");
    RenderSplits({Split(1.0), Split(2.0, "fade", 0.5)}, in, out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Render failed during chain processing.");
    ExpectClean();

    rec->FailWhen("seg_1");
    RenderSplits({Split(1.0), Split(2.0)}, in, out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Failed to split segment.");
    RenderSplits({Split(1.0, "fade", 0.5, dir + "/no-such-clip.mp4")}, in, out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Failed to encode insert clip.");
    EXPECT_FALSE(qt::Exists(out));
    ExpectClean();
}
