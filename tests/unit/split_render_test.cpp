// Rendering the split points of a strip with the real ffmpeg: the plain join
// of re-encoded segments and the chain with cross-fades and inserted clips.
#include <gtest/gtest.h>
#include <cstdlib>
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

// One stream's entry as ffprobe gives it ("" when there is no such stream).
std::string StreamEntry(const std::string& path, const char* stream, const char* entry) {
    std::string out;
    qt::Shell(std::string("ffprobe -v error -select_streams ") + stream + " -show_entries stream=" + entry +
                  " -of default=noprint_wrappers=1:nokey=1 '" + path + "'",
              &out);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

double StreamSeconds(const std::string& path, const char* stream) {
    return atof(StreamEntry(path, stream, "duration").c_str());
}

class SplitRender : public RecordedToolsTest {
protected:
    void ExpectComplete(const std::string& output) {
        EXPECT_EQ(capture::Last("[QMT_Status]"), "Complete") << capture::Last("[QMT_Error]");
        EXPECT_EQ(capture::Last("[QMT_LastOutput]"), output);
        EXPECT_EQ(capture::Last("[QMT_Progress]"), "100");
    }
    // The work folders are gone, and nothing else of the plug-in's is left.
    void ExpectClean() {
        EXPECT_FALSE(plat::PathExists(tmp + "qmt_split"));
        EXPECT_FALSE(plat::PathExists(tmp + "qmt_splitr"));
        for (const std::string& name : plat::FindFiles(tmp, "qmt_*"))
            EXPECT_EQ(name, "qmt_ffmpeg_fail.txt");  // the failure log stays for the author to read
    }
    std::vector<std::string> RunWith(const std::string& word) {
        for (auto& run : rec->Runs())
            for (auto& arg : run)
                if (arg.find(word) != std::string::npos) return run;
        return {};
    }
};

}  // namespace

TEST_F(SplitRender, WithoutTransitionsTheReencodedSegmentsAreJoinedAsTheyAre) {
    std::string in = qt::ClipAV(3.0, 160, 90), out = dir + "/plain.mp4";
    RenderSplits({Split(1.0), Split(2.0)}, in, out);
    ExpectComplete(out);
    auto runs = rec->Runs();
    ASSERT_EQ(runs.size(), 4u);
    std::string folder = tmp + "qmt_split/";
    EXPECT_EQ(runs[1], (std::vector<std::string>{"-y", "-i", in, "-ss", "1.000", "-t", "1.000", "-c:v", "libx264",
                                                 "-preset", "fast", "-crf", "18", "-c:a", "aac",
                                                 folder + "seg_1.mp4"}));
    EXPECT_EQ(runs[3], (std::vector<std::string>{"-y", "-f", "concat", "-safe", "0", "-i", folder + "concat.txt", "-c",
                                                 "copy", out}));
    EXPECT_NEAR(StreamSeconds(out, "v:0"), 3.0, 0.1);
    EXPECT_NEAR(StreamSeconds(out, "a:0"), 3.0, 0.1);
    EXPECT_EQ(StreamEntry(out, "v:0", "pix_fmt"), "yuv420p");
    EXPECT_EQ(capture::Values("[QMT_Progress]"), (std::vector<std::string>{"0", "16", "33", "80", "100"}));
    ExpectClean();
}

TEST_F(SplitRender, AOneSecondCrossfadeShortensBothStreamsByOneSecond) {
    std::string in = qt::ClipAV(4.0, 160, 90), out = dir + "/fade.mp4";
    // The cross-fade's piece is then joined plainly to the last segment.
    RenderSplits({Split(2.0, "fade", 1.0), Split(3.5)}, in, out);
    ExpectComplete(out);
    std::vector<std::string> xfade = RunWith("xfade");
    ASSERT_FALSE(xfade.empty());
    std::string folder = tmp + "qmt_splitr/";
    EXPECT_EQ(xfade, (std::vector<std::string>{
                         "-y", "-i", folder + "seg_0.mp4", "-i", folder + "seg_1.mp4", "-filter_complex",
                         "[0:v][1:v]xfade=transition=fade:duration=1.00:offset=1.00,format=yuv420p[outv];"
                         "[1:a]apad=pad_len=1[a1];[0:a][a1]acrossfade=d=1.00[outa]",
                         "-map", "[outv]", "-map", "[outa]", "-c:v", "libx264", "-preset", "fast", "-crf", "18",
                         "-c:a", "aac", folder + "chain_0.mp4"}));
    EXPECT_NEAR(StreamSeconds(out, "v:0"), 3.0, 0.1);
    EXPECT_NEAR(StreamSeconds(out, "a:0"), 3.0, 0.1);
    EXPECT_EQ(StreamEntry(out, "v:0", "pix_fmt"), "yuv420p");
    ExpectClean();
}

TEST_F(SplitRender, AnInsertedClipOfAnotherSizeRateAndSoundIsFittedToTheVideo) {
    std::string in = qt::ClipAV(3.0, 160, 90), out = dir + "/insert.mp4";
    std::string clip = qt::Media("insert_320x240_30fps_22k.mp4",
                                 "-f lavfi -i testsrc=size=320x240:rate=30:duration=1 -f lavfi -i "
                                 "sine=frequency=880:sample_rate=22050:duration=1 -c:v libx264 -preset ultrafast "
                                 "-pix_fmt yuv420p -c:a aac -shortest");
    // Into the clip: min(1.0, 0.4 x 1.5) = 0.6; back out: min(1.0, 0.4 x 1.9) = 0.76.
    RenderSplits({Split(1.5, "fade", 1.0, clip, "wipeleft", 1.0)}, in, out);
    ExpectComplete(out);
    // Lengths are probed, so the AAC tail of the 1.5 s segment counts too.
    EXPECT_NE(RunWith("fade:duration=0.61:offset=0.91").size(), 0u);
    EXPECT_NE(RunWith("wipeleft:duration=0.7").size(), 0u);
    qt::Probed p = qt::Probe(out);
    EXPECT_EQ(p.width, 160);
    EXPECT_EQ(p.height, 90);
    EXPECT_NEAR(p.fps, 25, 0.01);
    EXPECT_EQ(p.sampleRate, qt::Probe(in).sampleRate);
    EXPECT_EQ(StreamEntry(out, "v:0", "pix_fmt"), "yuv420p");
    // Whole frames and AAC frames round each piece a little.
    double expected = 3.0 + 1.0 - 0.6 - 0.76;
    EXPECT_NEAR(StreamSeconds(out, "v:0"), expected, 0.15);
    EXPECT_NEAR(StreamSeconds(out, "a:0"), expected, 0.15);
    EXPECT_NEAR(StreamSeconds(out, "v:0"), StreamSeconds(out, "a:0"), 0.12);
    ExpectClean();
}

TEST_F(SplitRender, AnInsertedClipWithoutSoundGetsSilenceAndPlainCutsJoinIt) {
    std::string in = qt::ClipAV(3.0, 160, 90), out = dir + "/silent.mp4";
    std::string clip = qt::ClipVideoOnly(1.0, 320, 240);
    RenderSplits({Split(1.5, "", 1.0, clip)}, in, out);
    ExpectComplete(out);
    EXPECT_NEAR(StreamSeconds(out, "v:0"), 4.0, 0.1);
    EXPECT_NEAR(StreamSeconds(out, "a:0"), 4.0, 0.15);
    EXPECT_EQ(qt::Probe(out).width, 160);
    ExpectClean();
}

TEST_F(SplitRender, ASourceWithoutSoundIsCrossfadedPictureOnly) {
    std::string in = qt::ClipVideoOnly(3.0, 160, 90), out = dir + "/video.mp4";
    RenderSplits({Split(2.0, "wipeleft", 1.0)}, in, out);
    ExpectComplete(out);
    qt::Probed p = qt::Probe(out);
    EXPECT_EQ(p.audioStreams, 0);
    EXPECT_NEAR(StreamSeconds(out, "v:0"), 2.0, 0.1);
    EXPECT_EQ(StreamEntry(out, "v:0", "pix_fmt"), "yuv420p");
    ExpectClean();
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
    EXPECT_FALSE(qt::Exists(out));
    ExpectClean();

    rec->FailWhen("seg_1");
    RenderSplits({Split(1.0), Split(2.0)}, in, out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Failed to split segment.");
    RenderSplits({Split(1.0, "fade", 0.5)}, in, out);
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Failed to split segments.");
    EXPECT_FALSE(qt::Exists(out));
    ExpectClean();
}
