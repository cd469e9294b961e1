// Editing rules, filter fragments and the project text of the timeline,
// exercised on records without a host.
#include <gtest/gtest.h>
#include <sstream>
#include <vector>
#include "host/text_util.h"
#include "timeline/filter_fragments.h"
#include "timeline/project_file.h"
#include "timeline/timeline_model.h"
#include "timeline/timeline_render.h"
#include "toolchain/probe.h"

namespace {

struct Fresh {
    NleTimeline tl;
    Fresh() { InitTimelineRecord(tl, "NLE", ""); }
    // Places a clip the way action 202 does, without any probing.
    int Add(int track, int type, double start, double duration, const char* file = "a.mp4") {
        int slot = FirstFreeSlot(tl.tracks[track]);
        NleClip& c = tl.tracks[track].clips[slot];
        ResetClip(c, type, start, duration);
        SetField(c.file, file);
        SetField(c.label, "clip");
        ++tl.tracks[track].clipCount;
        return slot;
    }
    void Link(int t1, int c1, int t2, int c2) {
        tl.tracks[t1].clips[c1].linkedTrack = t2;
        tl.tracks[t1].clips[c1].linkedClip = c2;
        tl.tracks[t2].clips[c2].linkedTrack = t1;
        tl.tracks[t2].clips[c2].linkedClip = c1;
    }
};

// Reads a project text the way a load does after its magic line; true when "END" was reached.
bool LoadText(NleTimeline& tl, const std::string& text) {
    int track = -1, clip = -1;
    bool ended = false;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    EXPECT_TRUE(IsProjectMagic(line));
    while (!ended && std::getline(in, line)) ApplyProjectLine(tl, line, track, clip, ended);
    return ended;
}

}  // namespace

// The zoom limits and the view's extent are the integration tests' (through
// the zoom and state actions); these are the lookups they do not reach.
TEST(TimelineModel, TracksNumbersAndFileNames) {
    Fresh f;
    EXPECT_EQ(FindTrack(f.tl, "v1"), 0);
    EXPECT_EQ(FindTrack(f.tl, "a2"), 5);
    EXPECT_EQ(FindTrack(f.tl, "V3"), -1);
    EXPECT_EQ(f.tl.tracks[2].color, NleRgb(200, 120, 30));
    EXPECT_DOUBLE_EQ(ParamNumber("12.5px"), 12.5);
    EXPECT_EQ(FileNameOfPath("C:\\media\\a.mp4"), "a.mp4");
    EXPECT_EQ(FileNameOfPath("/m/b.mp4"), "b.mp4");
}

TEST(TimelineModel, SplitNeedsThePlayheadWellInsideTheClip) {
    Fresh f;
    f.Add(0, kClipVideo, 2, 4);
    f.tl.playhead = 2.05;
    f.tl.selTrack = 0;
    f.tl.selClip = 0;
    EXPECT_EQ(SplitAtPlayhead(f.tl).message, "Playhead must be inside the clip to split.");
    f.tl.playhead = 5.95;
    EXPECT_EQ(SplitAtPlayhead(f.tl).message, "Playhead must be inside the clip to split.");
    // 1.1 + 2 - 0.05 rounds below 3.05: the right edge is still refused.
    f.tl.tracks[0].clips[0].start = 1.1;
    f.tl.tracks[0].clips[0].duration = 2;
    f.tl.playhead = 3.05;
    EXPECT_EQ(SplitAtPlayhead(f.tl).message, "Playhead must be inside the clip to split.");
    f.tl.tracks[0].clips[0].duration = 4;
    EXPECT_EQ(f.tl.tracks[0].clipCount, 1);
    EXPECT_DOUBLE_EQ(f.tl.tracks[0].clips[0].duration, 4);
}

TEST(TimelineModel, SplitCarriesThePartnerAndRelinksThePieces) {
    Fresh f;
    int v = f.Add(0, kClipVideo, 1, 4);
    int a = f.Add(4, kClipAudio, 1, 4);
    f.Link(0, v, 4, a);
    SetField(f.tl.tracks[0].clips[v].transIn, "fade");
    f.tl.tracks[0].clips[v].srcIn = 0.5;
    f.tl.playhead = 2.5;
    ASSERT_TRUE(SplitAtPlayhead(f.tl).ok);
    const NleClip& left = f.tl.tracks[0].clips[0];
    const NleClip& right = f.tl.tracks[0].clips[1];
    EXPECT_DOUBLE_EQ(left.duration, 1.5);
    EXPECT_DOUBLE_EQ(left.srcOut, 2.0);
    EXPECT_STREQ(left.label, "clip (L)");
    EXPECT_STREQ(left.transIn, "fade");
    EXPECT_DOUBLE_EQ(right.start, 2.5);
    EXPECT_DOUBLE_EQ(right.duration, 2.5);
    EXPECT_DOUBLE_EQ(right.srcIn, 2.0);
    EXPECT_STREQ(right.label, "clip (R)");
    EXPECT_STREQ(right.transIn, "");
    EXPECT_EQ(f.tl.tracks[4].clipCount, 2);
    EXPECT_EQ(left.linkedTrack, 4);
    EXPECT_EQ(left.linkedClip, 0);
    EXPECT_EQ(right.linkedClip, 1);
    EXPECT_EQ(f.tl.tracks[4].clips[1].linkedClip, 1);
    EXPECT_EQ(f.tl.tracks[4].clips[1].linkedTrack, 0);
    EXPECT_EQ(f.tl.selClip, 1);

    // Removing with the partner clears both; the copy made by duplicate has no link.
    int copy = -1;
    ASSERT_TRUE(DuplicateSelected(f.tl, copy).ok);
    EXPECT_EQ(copy, 2);
    EXPECT_DOUBLE_EQ(f.tl.tracks[0].clips[2].start, 5.1);
    EXPECT_EQ(f.tl.tracks[0].clips[2].linkedTrack, -1);
    RemoveClipWithPartner(f.tl, 0, 1);
    EXPECT_EQ(f.tl.tracks[0].clipCount, 2);
    EXPECT_EQ(f.tl.tracks[4].clipCount, 1);
    EXPECT_FALSE(f.tl.tracks[4].clips[1].inUse);
}

TEST(TimelineFragments, EffectJoinAndDrawText) {
    EXPECT_EQ(TimedEffect("hue=s=0", 2, 4), "hue=s=0:enable='between(t,2.00,4.00)'");
    EXPECT_EQ(TimedEffect("negate", 2, 4), "negate=enable='between(t,2.00,4.00)'");
    // setpts cannot be enabled: the window is written into its expression.
    EXPECT_EQ(TimedEffect("setpts=2.0*PTS", 1, 3),
              "setpts='if(lt(T,1.000),PTS,if(lt(T,2.000),(1.000+2*(T-1.000))/TB,PTS+1.000/TB))'");
    // edgedetect takes grey pictures only: a copy is laid over the window.
    EXPECT_EQ(TimedEffect("edgedetect", 6, 7),
              "split[fx6000_7000a][fx6000_7000b];[fx6000_7000b]edgedetect,format=yuv420p[fx6000_7000c];"
              "[fx6000_7000a][fx6000_7000c]overlay=enable='between(t,6.00,7.00)'");
    NleClip c;
    ResetClip(c, kClipText, 0, 3);
    SetField(c.text, "It's 5:00 \\ 100%");
    c.fontSize = 0;
    c.textColor = NleRgb(255, 0, 0);
    c.textX = -1;
    c.textY = -2;
    // Graph, option and expansion levels: ' -> '\\\'' , : -> \: , \ -> \\\\ , % -> \\%
    EXPECT_EQ(BuildDrawText(c, 0, 3),
              "drawtext=text='It\\'\\''s 5\\:00 \\\\\\\\ 100\\\\%':fontsize=48:fontcolor=#ff0000:x=(w-tw)/2:"
              "y=h-th-20:enable='between(t,0.00,3.00)'");
    c.textX = 12;
    c.textY = -1;
    EXPECT_EQ(BuildDrawText(c, -1, 3).find("x=12:y=(h-th)/2"), BuildDrawText(c, -1, 3).size() - 15);
    EXPECT_EQ(BuildDrawText(c, -1, 3).find("enable"), std::string::npos);
    EXPECT_EQ(EscapeDrawText(std::string(600, '\'')).size(), 505u);  // whole escapes only, at most 508
    EXPECT_EQ(EscapeDrawText(" a "), "\\ a\\ ");  // blanks at the ends survive the option parser
}

TEST(TimelineRenderPlan, SizeTransitionsAndOrder) {
    // Size rounded down to even and the frame rate, then both fallbacks.
    int w = 0, h = 0, num = 0, den = 0;
    ParseFrameSize("1279x719\n", w, h);
    ParseFrameRate("30000/1001\n", num, den);
    EXPECT_EQ(std::vector<int>({w, h, num, den}), std::vector<int>({1278, 718, 30000, 1001}));
    ParseFrameSize("", w, h);
    ParseFrameRate("0/0", num, den);
    EXPECT_EQ(std::vector<int>({w, h, num, den}), std::vector<int>({1920, 1080, 25, 1}));
    // A stream-copy join with a gap drives r_frame_rate up; the average holds then.
    const char* const rates[][3] = {{"30000/1001", "30000/1001", "30000/1001"}, {"100/1", "2000/81", "25/1"},
                                    {"90000/1", "617/50", "617/50"}, {"0/0", "0/0", "25/1"}};
    for (auto& r : rates) EXPECT_EQ(ChooseFrameRate(r[0], r[1]), r[2]) << r[0] << " " << r[1];
    NleClip m;
    ResetClip(m, kClipVideo, 0, 1.01);
    SegmentFormat slow = {160, 90, 15, 1};
    EXPECT_DOUBLE_EQ(SegmentLength(m, slow), 1.0);  // 15 whole frames
    EXPECT_DOUBLE_EQ(JoinLength(1.0, 2.0, 2.0), 0.8);
    EXPECT_DOUBLE_EQ(JoinLength(0.0, 2.0, 2.0), 0.5);
    EXPECT_DOUBLE_EQ(JoinLength(9.0, 6.0, 1.0), 0.4);  // would swallow the clip it fades into
    EXPECT_DOUBLE_EQ(JoinLength(1.0, 5.2, 2.0), 1.0);  // fits the clip it fades into: kept whole

    NleClip a, b;
    ResetClip(a, 0, 0, 4);
    ResetClip(b, 0, 4, 4);
    std::string name;
    double d = 0;
    EXPECT_FALSE(ChooseJoinTransition(a, b, name, d));
    SetField(a.transIn, "out:fade");
    a.transInDur = 0.7;
    ASSERT_TRUE(ChooseJoinTransition(a, b, name, d));
    EXPECT_EQ(name, "fade");
    EXPECT_DOUBLE_EQ(d, 0.7);
    SetField(b.transIn, "wipeleft");
    b.transInDur = 1.0;
    ASSERT_TRUE(ChooseJoinTransition(a, b, name, d));
    EXPECT_EQ(name, "wipeleft");

    Fresh f;
    f.Add(0, kClipVideo, 8, 2, "late.mp4");
    f.Add(0, kClipVideo, 0, 2, "early.mp4");
    f.Add(1, kClipImage, 0, 2, "");  // no file: not an overlay
    int fx = f.Add(2, kClipEffect, 9, 5, "");
    SetField(f.tl.tracks[2].clips[fx].filter, "negate");
    RenderLists lists;
    GatherRenderLists(f.tl, lists);
    ASSERT_EQ(lists.mainCount, 2);
    EXPECT_STREQ(RefClip(f.tl, lists.main[0]).file, "early.mp4");
    EXPECT_EQ(lists.overlayCount, 0);
    SegmentFormat format = {320, 240, 25, 1};
    std::string chain;
    ASSERT_TRUE(SegmentChain(f.tl, lists, 0, format, chain).ok);
    EXPECT_EQ(chain, "scale=320:240:flags=bicubic,setsar=1");
    ASSERT_TRUE(SegmentChain(f.tl, lists, 1, format, chain).ok);
    EXPECT_EQ(chain, "scale=320:240:flags=bicubic,setsar=1,negate=enable='between(t,1.00,2.00)'");

    // A chain that would pass 4096 bytes fails naming the clip left out.
    for (int i = 0; i < 10; ++i) {
        int t = f.Add(3, kClipText, 8, 2, "");
        SetField(f.tl.tracks[3].clips[t].text, std::string(255, ':'));  // 508 bytes escaped
        SetField(f.tl.tracks[3].clips[t].label, Fmt("Title %d", i));
    }
    GatherRenderLists(f.tl, lists);
    Outcome full = SegmentChain(f.tl, lists, 1, format, chain);
    EXPECT_FALSE(full.ok);
    EXPECT_EQ(full.message, "Cannot include clip \"Title 6\": the filter chain of \"clip\" is full.");
}


TEST(TimelineProject, TextRoundTripAndMalformedLines) {
    Fresh f;
    f.tl.zoom = 42.5;
    int v = f.Add(0, kClipVideo, 1.25, 3.5, "C:\\m\\a.mp4");
    int a = f.Add(4, kClipAudio, 1.25, 3.5, "C:\\m\\a.mp4");
    f.Link(0, v, 4, a);
    NleClip& c = f.tl.tracks[0].clips[v];
    c.srcIn = 0.5;
    c.srcOut = 4.0;
    SetField(c.transIn, "circleopen");
    c.transInDur = 0.75;
    int t = f.Add(3, kClipText, 2, 1, "");
    NleClip& tx = f.tl.tracks[3].clips[t];
    SetField(tx.text, "Hello");
    tx.textX = -1;
    tx.textY = 30;
    tx.fontSize = 20;
    tx.textColor = NleRgb(1, 2, 3);
    tx.opacity = 0.5f;
    tx.color = NleRgb(9, 9, 9);
    int e = f.Add(2, kClipEffect, 0, 2, "");
    SetField(f.tl.tracks[2].clips[e].filter, "hue=s=0");

    std::string text = ProjectText(f.tl);
    EXPECT_EQ(text.rfind("QMT_PROJECT 1.0\nzoom=42.50\ntracks=6\nTRACK V1 0 1\nCLIP 0\n  start=1.250000\n", 0), 0u);
    EXPECT_NE(text.find("  textColor=16777215\n"), std::string::npos);
    EXPECT_NE(text.find("TRACK A2 4 0\nENDTRACK\nEND\n"), std::string::npos);

    Fresh g;
    EXPECT_TRUE(LoadText(g.tl, text));
    EXPECT_DOUBLE_EQ(g.tl.zoom, 42.5);
    const NleClip& lc = g.tl.tracks[0].clips[0];
    EXPECT_DOUBLE_EQ(lc.start, 1.25);
    EXPECT_DOUBLE_EQ(lc.srcIn, 0.5);
    EXPECT_DOUBLE_EQ(lc.srcOut, 4.0);
    EXPECT_STREQ(lc.file, "C:\\m\\a.mp4");
    EXPECT_STREQ(lc.transIn, "circleopen");
    EXPECT_DOUBLE_EQ(lc.transInDur, 0.75);
    EXPECT_EQ(lc.linkedTrack, 4);
    EXPECT_EQ(g.tl.tracks[4].clips[0].linkedTrack, 0);
    const NleClip& lt = g.tl.tracks[3].clips[0];
    EXPECT_STREQ(lt.text, "Hello");
    EXPECT_EQ(lt.textX, -1);
    EXPECT_EQ(lt.textY, 30);
    EXPECT_EQ(lt.fontSize, 20);
    EXPECT_EQ(lt.textColor, NleRgb(1, 2, 3));
    EXPECT_FLOAT_EQ(lt.opacity, 0.5f);
    EXPECT_EQ(lt.color, NleRgb(30, 180, 180));  // colours come from the track
    EXPECT_STREQ(g.tl.tracks[2].clips[0].filter, "hue=s=0");
    EXPECT_EQ(CountClips(g.tl), 4);

    // Loose indentation and an unknown track.
    Fresh h;
    int track = -1, clip = -1;
    bool ended = false;
    const char* lines[] = {"TRACK V3 0 1", "CLIP 0", "  start=7", "ENDCLIP", "ENDTRACK", "TRACK v2 1 1", "CLIP 1",
                           " start=3",     "\tduration=4", "  label=kept", "  file=x=y.png"};
    for (const char* l : lines) ApplyProjectLine(h.tl, l, track, clip, ended);
    EXPECT_EQ(CountClips(h.tl), 1);
    const NleClip& o = h.tl.tracks[1].clips[0];
    EXPECT_DOUBLE_EQ(o.start, 0);
    EXPECT_DOUBLE_EQ(o.duration, 0);
    EXPECT_STREQ(o.label, "kept");
    EXPECT_STREQ(o.file, "x=y.png");
}

TEST(TimelineRenderPlan, OneCommandLines) {
    Fresh f;
    int m = f.Add(0, kClipVideo, 2, 4, "in.mp4");
    RenderLists lists;
    GatherRenderLists(f.tl, lists);
    CommandOutcome command = OneCommandArguments(f.tl, lists, "out.mp4");
    ASSERT_TRUE(command.ok);
    EXPECT_EQ(command.text,
              "-ss 0.000 -t 4.000 -i \"in.mp4\" -filter_complex \"[0:v]format=yuv420p[outv]\" -map \"[outv]\" "
              "-map 0:a? -c:v libx264 -preset fast -crf 18 -c:a aac \"out.mp4\"");

    NleClip& main = f.tl.tracks[0].clips[m];
    main.srcIn = 1;
    main.srcOut = 4;
    SetField(main.transIn, "out:fade");
    main.transInDur = 0;
    int t = f.Add(3, kClipText, 1, 2, "");
    SetField(f.tl.tracks[3].clips[t].text, "Hi \"there\"");
    GatherRenderLists(f.tl, lists);
    command = OneCommandArguments(f.tl, lists, "out.mp4");
    ASSERT_TRUE(command.ok);
    EXPECT_EQ(command.text,
              "-ss 1.000 -t 4.000 -i \"in.mp4\" -filter_complex \"[0:v]"
              "drawtext=text='Hi \\\"there\\\"':fontsize=48:fontcolor=#ffffff:x=0:y=0:enable='between(t,0.00,1.00)',"
              "fade=t=out:st=2.00:d=1.00,format=yuv420p[outv]\" -map \"[outv]\" -map 0:a? -c:v libx264 -preset fast "
              "-crf 18 -c:a aac \"out.mp4\"");
    EXPECT_FALSE(NeedsSegmentPath(f.tl, lists));
    int fx = f.Add(2, kClipEffect, 2, 1, "");
    SetField(f.tl.tracks[2].clips[fx].filter, "setpts=2.0*PTS");
    GatherRenderLists(f.tl, lists);
    EXPECT_TRUE(NeedsSegmentPath(f.tl, lists));  // the sound must slow down too
    f.tl.tracks[2].clips[fx].inUse = 0;

    main.transIn[0] = '\0';
    main.srcIn = 0;
    f.tl.tracks[3].clips[t].inUse = 0;
    int o1 = f.Add(1, kClipImage, 3, 1, "logo.png");
    f.tl.tracks[1].clips[o1].opacity = 0.5f;
    f.Add(1, kClipVideo, 0, 10, "pip.mp4");
    GatherRenderLists(f.tl, lists);
    command = OneCommandArguments(f.tl, lists, "out.mp4");
    ASSERT_TRUE(command.ok);
    EXPECT_EQ(command.text,
              "-ss 0.000 -t 4.000 -i \"in.mp4\" -i \"logo.png\" -i \"pip.mp4\" -filter_complex \"[0:v]format=yuv420p[base];"
              "[1:v]format=rgba,colorchannelmixer=aa=0.50[ovr0];[base][ovr0]overlay=0:0:enable='between(t,1.00,2.00)'[ov0];"
              "[2:v]format=rgba,colorchannelmixer=aa=1.00[ovr1];[ov0][ovr1]overlay=0:0:enable='between(t,0.00,8.00)',"
              "format=yuv420p[outv]\" -map \"[outv]\" -map 0:a? -c:v libx264 -preset fast -crf 18 -c:a aac \"out.mp4\"");
}

TEST(TimelineProject, LinksSurviveGapsInTheSlots) {
    Fresh f;
    f.Add(0, kClipVideo, 0, 2, "gone.mp4");
    int v = f.Add(0, kClipVideo, 2, 2, "b.mp4");
    f.Add(4, kClipAudio, 0, 2, "gone.mp4");
    f.Add(4, kClipAudio, 0, 2, "other.wav");
    int a = f.Add(4, kClipAudio, 2, 2, "b.mp4");
    f.Link(0, v, 4, a);
    f.tl.tracks[0].clips[0].inUse = 0;  // gaps before both partners
    f.tl.tracks[4].clips[0].inUse = 0;
    Fresh g;
    EXPECT_TRUE(LoadText(g.tl, ProjectText(f.tl)));
    const NleClip& video = g.tl.tracks[0].clips[0];
    ASSERT_STREQ(video.file, "b.mp4");
    ASSERT_EQ(video.linkedTrack, 4);
    EXPECT_STREQ(g.tl.tracks[4].clips[video.linkedClip].file, "b.mp4");
    const NleClip& audio = g.tl.tracks[4].clips[1];
    EXPECT_EQ(audio.linkedTrack, 0);
    EXPECT_EQ(audio.linkedClip, 0);
}
