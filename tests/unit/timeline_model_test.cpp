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

TEST(TimelineModel, SplitNeedsThePlayheadWellInsideTheClip) {
    // {start, duration, playhead}: 0.05 s from either edge is refused; 1.1 + 2
    // - 0.05 rounds below 3.05, so that right edge is refused too.
    const double cases[][3] = {{2, 4, 2.05}, {2, 4, 5.95}, {1.1, 2, 3.05}};
    for (auto& c : cases) {
        Fresh f;
        f.Add(0, kClipVideo, c[0], c[1]);
        f.tl.playhead = c[2];
        f.tl.selTrack = f.tl.selClip = 0;
        EXPECT_EQ(SplitAtPlayhead(f.tl).message, "Playhead must be inside the clip to split.") << c[2];
        EXPECT_EQ(f.tl.tracks[0].clipCount, 1);
    }
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
    EXPECT_DOUBLE_EQ(left.srcOut, 2.0);
    EXPECT_STREQ(left.label, "clip (L)");
    EXPECT_STREQ(left.transIn, "fade");
    EXPECT_DOUBLE_EQ(right.start, 2.5);
    EXPECT_DOUBLE_EQ(right.srcIn, 2.0);
    EXPECT_STREQ(right.transIn, "");
    EXPECT_EQ(f.tl.tracks[4].clipCount, 2);
    EXPECT_EQ(right.linkedClip, 1);
    EXPECT_EQ(f.tl.tracks[4].clips[1].linkedClip, 1);
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

// The one exact check of the title's drawtext: the default size and each
// escape level. The effects' windows and the join rule are shown by the real
// renders.
TEST(TimelineFragments, DrawTextEscapesEveryLevel) {
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
    EXPECT_EQ(EscapeDrawText(std::string(600, '\'')).size(), 505u);  // whole escapes only, at most 508
}

TEST(TimelineRenderPlan, SegmentSizeAndFrameRate) {
    // Size rounded down to even, then both fallbacks.
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

    // Read back, every field saved comes back as it was (the saved text itself
    // is the integration tests'); colours come from the track, not the file.
    std::string text = ProjectText(f.tl);
    Fresh g;
    EXPECT_TRUE(LoadText(g.tl, text));
    EXPECT_EQ(ProjectText(g.tl), text);
    EXPECT_DOUBLE_EQ(g.tl.tracks[0].clips[0].transInDur, 0.75);
    EXPECT_EQ(g.tl.tracks[4].clips[0].linkedTrack, 0);
    EXPECT_EQ(g.tl.tracks[3].clips[0].color, NleRgb(30, 180, 180));

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
