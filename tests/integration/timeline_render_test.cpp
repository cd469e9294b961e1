// Timeline renders against the real ffmpeg, checked the way a demanding
// author would: both streams as long as the join rules say, 4:2:0
// High-profile pictures, any mix of sources, every effect preset over its
// window, titles drawn exactly as typed, progress that only rises, and the
// paths and project files that broke renders before.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include "bench/reference_graph.h"
#include "tests/support/test_support.h"

namespace {

using qt::Num;

// testsrc picture and a sine tone of the given shape; `sampleRate` 0 leaves the sound out.
std::string Source(int fps, int width, int height, double seconds, int sampleRate = 44100, int channels = 2) {
    std::string size = std::to_string(width) + "x" + std::to_string(height);
    std::string args = "-f lavfi -i testsrc=size=" + size + ":rate=" + std::to_string(fps) + ":duration=" + Num(seconds);
    if (sampleRate > 0)
        args += " -f lavfi -i sine=frequency=440:sample_rate=" + std::to_string(sampleRate) + ":duration=" +
                Num(seconds) + " -ac " + std::to_string(channels) + " -c:a aac";
    return qt::Media("rr_" + std::to_string(fps) + "_" + size + "_" + Num(seconds) + "_" + std::to_string(sampleRate) +
                         "_" + std::to_string(channels) + ".mp4",
                     args + " -c:v libx264 -preset ultrafast -pix_fmt yuv420p");
}

// Both streams within `tolerance` of `expected` and within `frame` of each
// other; pictures 4:2:0 in a profile Windows' own decoder plays.
qt::Probed ExpectPlayable(const std::string& path, double expected, double tolerance, double frame) {
    qt::Probed p = qt::Probe(path);
    EXPECT_NEAR(p.videoDuration, expected, tolerance) << path;
    EXPECT_NEAR(p.audioDuration, expected, tolerance) << path;
    EXPECT_NEAR(p.videoDuration, p.audioDuration, frame) << path;
    EXPECT_EQ(p.pixFmt, "yuv420p") << path;
    EXPECT_TRUE(p.profile == "High" || p.profile == "Main" || p.profile == "Constrained Baseline") << p.profile;
    return p;
}

std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// PSNR of two pictures or videos given as ffmpeg input options; 1000 for
// identical ones ("inf"). Inputs opened with -ss compare one frame each.
// The graph comparing input 0 with input 1 taken through `bFilter`.
std::string PsnrGraph(const std::string& bFilter, const std::string& psnrOptions = "") {
    return ShellQuote("[1:v]" + bFilter + ",format=yuv420p[r];[0:v]format=yuv420p[o];[o][r]psnr" + psnrOptions);
}

double Psnr(const std::string& aInput, const std::string& bInput, const std::string& bFilter = "null") {
    std::string out;
    bool frames = aInput.rfind("-ss ", 0) == 0;
    qt::Shell("ffmpeg -hide_banner -nostats " + aInput + " " + bInput + (frames ? " -frames:v 1" : "") +
                  " -filter_complex " + PsnrGraph(bFilter) + " -f null -",
              &out);
    size_t at = out.rfind("average:");
    if (at == std::string::npos) {
        ADD_FAILURE() << "no PSNR: " << out;
        return 0;
    }
    std::string value = out.substr(at + 8, out.find(' ', at) - at - 8);
    return value.rfind("inf", 0) == 0 ? 1000 : atof(value.c_str());
}

// PSNR of every frame of two videos, in order; 1000 for identical frames.
std::vector<double> PsnrPerFrame(const std::string& a, const std::string& b, const std::string& statsFile) {
    std::string out;
    qt::Shell("ffmpeg -v error -i " + ShellQuote(a) + " -i " + ShellQuote(b) + " -filter_complex " +
                  PsnrGraph("null", "=stats_file=" + statsFile) + " -f null -",
              &out);
    std::vector<double> values;
    std::ifstream stats(statsFile);
    for (std::string line; std::getline(stats, line);) {
        size_t at = line.find("psnr_avg:");
        if (at != std::string::npos)
            values.push_back(line.compare(at + 9, 3, "inf") == 0 ? 1000 : atof(line.c_str() + at + 9));
    }
    EXPECT_FALSE(values.empty()) << out;
    return values;
}

std::string Whole(const std::string& path) { return "-i " + ShellQuote(path); }
std::string FrameAt(const std::string& path, double seconds) { return "-ss " + Num(seconds) + " " + Whole(path); }

// Runs recorded ffmpeg arguments again into `output`, with each drawtext text
// read from `textFile` without expansion: the text drawn exactly.
std::string ReferenceRun(const std::vector<std::string>& args, const std::string& textFile, const std::string& output) {
    std::string command = "ffmpeg -v error";
    for (size_t i = 0; i < args.size(); ++i) {
        std::string a = i + 1 == args.size() ? output : args[i];
        size_t at = a.find("drawtext=text='");
        if (at != std::string::npos)
            a = a.substr(0, at) + "drawtext=textfile=" + textFile + ":expansion=none" + a.substr(a.find("':fontsize=", at) + 1);
        command += " " + ShellQuote(a);
    }
    std::string out;
    EXPECT_EQ(qt::Shell(command, &out), 0) << out;
    return output;
}

class TimelineRender : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        host.AddRectangle("NLE1", 640, 240);
        ASSERT_TRUE(Run("QMT_TimelineCreate", {"NLE1", ""}));
    }
    void Add(const std::string& track, const std::string& type, const std::string& what, double start, double duration) {
        Completes("QMT_TimelineAddClip", {"NLE1", track, type, what, "", Num(start), Num(duration)});
    }
    void Transition(int clip, const std::string& name, double duration) {
        Completes("QMT_TimelineSetTransition", {"NLE1", "V1", std::to_string(clip), name, Num(duration)});
    }
    void Render(const std::string& out) {
        Completes("QMT_TimelineRender", {"NLE1", out});
        EXPECT_EQ(Var("[QMT_LastOutput]"), out);
        EXPECT_FALSE(qt::Exists(Temp("qmt_nle")));
    }
};

}  // namespace

TEST_F(TimelineRender, SingleClipWithMusicOnA2TakesTheMix) {
    Add("V1", "0", qt::ClipVideoOnly(2.0, 160, 120), 0, 0);
    Add("A2", "4", qt::ClipAudio(2.0), 0.5, 0);
    Render(Out("mixed.mp4"));
    qt::Probed p = qt::Probe(Out("mixed.mp4"));
    EXPECT_EQ(p.audioStreams, 1);  // the silent clip's sound can only be the mix
    EXPECT_NEAR(p.duration, 2.0, 0.15);
}

TEST_F(TimelineRender, SingleClipPlacesTheOverlayAtTheCorner) {
    Add("V1", "0", qt::ClipAV(2.0, 320, 240), 0, 0);
    Add("V2", "1", qt::Media("white_320.png", "-f lavfi -i color=white:size=320x240 -frames:v 1"), 0, 1);
    Add("FX", "2", "hue=s=0", 0, 2);
    Render(Out("overlay.mp4"));
    EXPECT_NEAR(qt::Probe(Out("overlay.mp4")).duration, 2.0, 0.15);
    int rgb[3] = {};
    ASSERT_TRUE(qt::FrameColour(Out("overlay.mp4"), 0.5, rgb));
    EXPECT_GT(rgb[0], 235);  // the white overlay covers the frame while enabled
    ASSERT_TRUE(qt::FrameColour(Out("overlay.mp4"), 1.6, rgb));
    EXPECT_LT(rgb[0], 220);
}

TEST_F(TimelineRender, NothingOnV1) {
    Add("TX", "3", "Hi", 0, 1);
    EXPECT_EQ(After("QMT_TimelineRender", {"NLE1", Out("x.mp4")}), "No video clips on V1.");
}

TEST_F(TimelineRender, TwelveClipsWithEveryJoinRuleAnEffectATitleAndMusic) {
    // A Windows user called O'Brien: the temporary folder has a quote in it.
    tmp = dir + "/O'Brien/";
    mkdir(tmp.c_str(), 0777);
    setenv("TMPDIR", tmp.c_str(), 1);
    std::string av = Source(25, 160, 90, 2.0), silent = Source(25, 160, 90, 2.0, 0);
    const double lengths[12] = {1.0, 1.0, 1.0, 1.2, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.6, 1.0};
    double start = 0;
    for (int i = 0; i < 12; ++i) {
        Add("V1", "0", i == 6 ? silent : av, start, lengths[i]);
        start += lengths[i];
    }
    Transition(0, "out:fade", 0.5);     // exit fade of the clip before
    Transition(2, "wipeleft", 2);       // entry wipe, then reused by the next join
    Transition(5, "dissolve", 9);       // far longer than the clip it fades into
    Transition(8, "out:SlideLeft", 0.3);
    Transition(10, "fade", 0.05);       // too short: 0.5 s
    Add("FX", "2", "hue=s=0", 2.5, 2.0);  // over clips 2, 3 and 4
    Add("TX", "3", "It's 100% C:\\x 12\" vinyl, [a];b", 0.2, 1.5);
    Add("A2", "4", qt::ClipAudio(2.0), 1.0, 0);
    host.ClearWrites();
    Render(Out("twelve.mp4"));
    // 12.8 s of clips less the joins, each held to 0.4 of what was joined
    // before it and cut back to 0.4 of a piece it would all but cover, in
    // whole frames: 0.4 (1-2 s x 0.4), 0.64 (1.6 x 0.4), 0.8 (1.96 x 0.4 =
    // 0.784), cut, 0.4 and 0.4 (9 s into 1 s pieces), cuts, 0.32 (0.3 in
    // frames), 0.5 and 0.5 (0.05 s is too short): 12.8 - 3.96.
    ExpectPlayable(Out("twelve.mp4"), 8.84, 0.05, 0.04);

    // 0, what ffmpeg reported on the way (twice a second; how often depends on
    // the machine's speed), then 100.
    std::vector<std::string> progress = host.WritesOf("[QMT_Progress]");
    ASSERT_GE(progress.size(), 3u);
    for (size_t i = 1; i < progress.size(); ++i)
        EXPECT_GE(atoi(progress[i].c_str()), atoi(progress[i - 1].c_str())) << "step " << i;
    EXPECT_EQ(progress.back(), "100");

    int rgb[3] = {};
    ASSERT_TRUE(qt::FrameColour(Out("twelve.mp4"), 2.5, rgb));  // clip 3, all inside the grey window
    EXPECT_NEAR(rgb[0], rgb[1], 6);
    EXPECT_NEAR(rgb[1], rgb[2], 6);
}

TEST_F(TimelineRender, TwelveClipsAreEncodedOnceLikeOneFilterGraph) {
    std::string a = qt::Media("once_a.mp4", "-f lavfi -i testsrc2=size=320x180:rate=25:duration=2 -f lavfi -i "
                                            "sine=frequency=440:duration=2 -ac 2 -c:v libx264 -preset ultrafast "
                                            "-pix_fmt yuv420p -c:a aac");
    std::string b = Source(25, 320, 180, 2.0);
    std::vector<bench::ReferenceClip> clips;
    for (int i = 0; i < 12; ++i) {
        const std::string& file = i % 2 == 0 || i == 11 ? a : b;  // the first and the last clip show the same source
        Add("V1", "0", file, 2.0 * i, 2.0);
        clips.push_back({file, 2.0, i % 2 && i < 11 ? 1.0 : 0.0});
    }
    for (int i = 0; i < 10; i += 2) Transition(i, "out:fade", 1);  // a fade out of every second clip but the last
    Render(Out("twelve_once.mp4"));
    std::string command = "ffmpeg -v error -y";
    for (const std::string& arg : bench::ReferenceArgs(clips, 25, Out("reference.mp4"))) command += " " + ShellQuote(arg);
    ASSERT_EQ(qt::Shell(command), 0);
    EXPECT_GE(Psnr(Whole(Out("twelve_once.mp4")), Whole(Out("reference.mp4"))), 40);

    // The first fade takes 0.4 of the first 2 s, the four later ones 1 s
    // each; the first clip's first second and the last clip, which a cut
    // joins, show the same stretch of the source.
    ExpectPlayable(Out("twelve_once.mp4"), 19.2, 0.05, 0.04);
    double first = Psnr("-t 1 " + Whole(Out("twelve_once.mp4")), "-t 1 " + Whole(a));
    double last = Psnr("-t 1 -ss 17.2 " + Whole(Out("twelve_once.mp4")), "-t 1 " + Whole(a));
    EXPECT_NEAR(first, last, 0.5) << "the first clip must not lose more to the render than the last";
}

TEST_F(TimelineRender, AGraphTooLongForACommandLineGoesInAFile) {
    // 32 clips under two long titles: more than a Windows command line holds.
    qt::ToolRecorder& rec = Record();
    std::string clip = Source(25, 64, 36, 0.2);
    for (int i = 0; i < 32; ++i) Add("V1", "0", clip, 0.2 * i, 0.2);
    for (char c : {'x', 'y'}) Add("TX", "3", std::string(500, c), 0, 6.4);
    Render(Out("long.mp4"));
    std::vector<std::string> run = rec.Last();
    auto at = std::find(run.begin(), run.end(), "-filter_complex_script");
    ASSERT_NE(at, run.end());
    EXPECT_EQ(*(at + 1), Temp("qmt_nle/graph.txt"));
    ExpectPlayable(Out("long.mp4"), 6.4, 0.05, 0.04);
}

TEST_F(TimelineRender, SourcesOfOtherFrameRatesSizesAndSoundJoin) {
    Add("V1", "0", Source(30, 160, 90, 2.0), 0, 0);
    Add("V1", "0", Source(24, 320, 180, 2.0, 48000, 1), 2, 0);
    Add("V1", "0", Source(15, 120, 90, 2.0, 0), 4, 0);
    Transition(2, "CircleOpen", 0.5);  // plain cut to the 24 fps clip, transition into the silent 15 fps one
    Render(Out("mixed.mp4"));
    qt::Probed p = ExpectPlayable(Out("mixed.mp4"), 6.0 - 0.5, 0.05, 1.0 / 30);
    EXPECT_EQ(p.width, 160);
    EXPECT_EQ(p.height, 90);
    EXPECT_EQ(p.frameRate, "30/1");
}

TEST_F(TimelineRender, EveryEffectPresetWorksOverItsWindow) {
    // The effect list's filters, each over its own second of one 20 s clip.
    const char* presets[20] = {"hue=s=0", "colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131",
                               "boxblur=5:1", "unsharp=5:5:1.5", "negate", "vignette", "edgedetect", "curves=vintage",
                               "nlmeans", "eq=brightness=0.1", "eq=brightness=-0.1", "eq=contrast=1.3",
                               "eq=contrast=0.7", "eq=saturation=1.5", "eq=saturation=0.5",
                               "convolution=0 -1 0 -1 5 -1 0 -1 0", "noise=alls=20:allf=t", "hflip", "vflip",
                               "setpts=2.0*PTS"};
    std::string src = Source(10, 160, 90, 20.0);
    Add("V1", "0", src, 0, 0);
    for (int k = 0; k < 20; ++k) Add("FX", "2", presets[k], k, 1);
    Render(Out("fx.mp4"));
    ExpectPlayable(Out("fx.mp4"), 20.0, 0.05, 0.1);

    // Against the untouched source, all frames in one run: frame 10 k + 5 is k + 0.5 s.
    std::vector<double> untouched = PsnrPerFrame(Out("fx.mp4"), src, Out("psnr.txt"));
    ASSERT_GE(untouched.size(), 200u);
    for (int k = 0; k < 19; ++k) {
        if (k == 16) continue;  // noise is random from run to run
        double withEffect = Psnr(FrameAt(Out("fx.mp4"), k + 0.5), FrameAt(src, k + 0.5), presets[k]);
        double without = untouched[10 * k + 5];
        // The window looks like ffmpeg's own rendering of the effect: close to
        // it, or at least much closer than to the untouched source.
        EXPECT_TRUE(withEffect > 30 || withEffect > without + 6) << presets[k] << ": " << withEffect << " / " << without;
        EXPECT_GE(withEffect, without - 0.5) << presets[k];
    }
    // Slow motion: 19.6 s of the result shows the source at 19.3 s.
    double slowed = Psnr(FrameAt(Out("fx.mp4"), 19.6), FrameAt(src, 19.3));
    EXPECT_GT(slowed, 30);
    EXPECT_GT(slowed, Psnr(FrameAt(Out("fx.mp4"), 19.6), FrameAt(src, 19.6)) + 3);
}

TEST_F(TimelineRender, TitlesAndTextOverlaysDrawExactlyWhatWasTyped) {
    qt::ToolRecorder& rec = Record();
    std::string src = Source(5, 1280, 64, 1.0);  // wide enough for the whole title at 48 px
    const std::string title = "It's 100% C:\\x 12\" vinyl, [a];b {c} %{n}";
    Add("V1", "0", src, 0, 0);
    Add("TX", "3", title, 0, 1);
    Render(Out("title.mp4"));
    std::ofstream(Out("title.txt")) << title;
    std::string reference = ReferenceRun(rec.Last(), Out("title.txt"), Out("title_ref.mp4"));
    EXPECT_GT(Psnr(Whole(Out("title.mp4")), Whole(reference)), 40);
    EXPECT_LT(Psnr(Whole(Out("title.mp4")), Whole(src)), 40);  // the text is there at all

    const std::string overlay = "It's 100% C:\\x 12\" vinyl, [a];b";
    Completes("QMT_TextOverlay", {src, overlay, "12", "yellow", "2", "20", Out("overlay.mp4")});
    std::ofstream(Out("overlay.txt")) << overlay;
    reference = ReferenceRun(rec.Last(), Out("overlay.txt"), Out("overlay_ref.mp4"));
    EXPECT_GT(Psnr(Whole(Out("overlay.mp4")), Whole(reference)), 40);
}

TEST_F(TimelineRender, OneClipRendersOnlyItsStretchAndFailuresAreNotComplete) {
    // srcIn comes from a saved project, as after a split.
    std::string src = Source(10, 160, 90, 3.0);
    Add("V1", "0", src, 0, 0);
    Completes("QMT_TimelineSave", {"NLE1", Out("p.qmtp")});
    std::string text = qt::ReadFile(Out("p.qmtp"));
    for (const std::string line : {"  srcIn=1.000000", "  duration=1.500000"}) {
        size_t at = text.find(line.substr(0, line.find('=') + 1));  // the V1 clip comes first
        ASSERT_NE(at, std::string::npos);
        text.replace(at, text.find('\n', at) - at, line);
    }
    std::ofstream(Out("p.qmtp")) << text;
    Completes("QMT_TimelineLoad", {"NLE1", Out("p.qmtp")});
    Render(Out("one.mp4"));
    ExpectPlayable(Out("one.mp4"), 1.5, 0.05, 0.1);
    EXPECT_GT(Psnr(FrameAt(Out("one.mp4"), 0), FrameAt(src, 1.0)), 30);  // starts at the in-point

    // A second clip takes the segment path, whose last step writes the output.
    Add("V1", "0", src, 1.5, 1.0);
    EXPECT_EQ(After("QMT_TimelineRender", {"NLE1", Out("no/such/folder/x.mp4")}, "[QMT_Status]"), "Error");
    EXPECT_NE(Var("[QMT_LastOutput]"), Out("no/such/folder/x.mp4"));
    EXPECT_FALSE(qt::Exists(Temp("qmt_nle")));

    EXPECT_EQ(After("QMT_TimelineLoad", {"NLE1", dir}), "Cannot open project file.");
}
