// The timeline window's pure layers on plain records: geometry and hit zones,
// the ruler, wheel and follow arithmetic, snapping, the press-drag-release
// machine with the linked partner, and the calls one paint makes.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "host/text_util.h"
#include "host/window_frame.h"
#include "timeline/timeline_clip_dialogs.h"
#include "timeline/timeline_drag.h"
#include "timeline/timeline_layout.h"
#include "timeline/timeline_paint.h"
#include "tests/unit/window_test.h"

namespace {

const int kV1 = 0, kV2 = 1, kFX = 2, kA1 = 4;

// A timeline as an 832 x 300 window shows it: 800 pixels of time, lanes 46 high.
struct Board {
    NleTimeline tl;
    Board() { InitTimelineRecord(tl, "NLE", ""); }
    TimelineView View() const { return ViewOf(tl, 832, 300); }
    int Add(int track, double start, double duration) {
        int slot = FirstFreeSlot(tl.tracks[track]);
        NleClip& c = tl.tracks[track].clips[slot];
        ResetClip(c, track == kA1 ? kClipAudio : kClipVideo, start, duration);
        SetField(c.label, Fmt("clip %d", slot));
        c.color = tl.tracks[track].color;
        ++tl.tracks[track].clipCount;
        return slot;
    }
    // A V1 clip with its A1 companion, linked both ways.
    int AddLinked(double start, double duration) {
        int v = Add(kV1, start, duration), a = Add(kA1, start, duration);
        NleClip &video = tl.tracks[kV1].clips[v], &audio = tl.tracks[kA1].clips[a];
        video.linkedTrack = kA1;
        video.linkedClip = a;
        audio.linkedTrack = kV1;
        audio.linkedClip = v;
        return v;
    }
    NleClip& Clip(int track, int slot) { return tl.tracks[track].clips[slot]; }
    int X(double t) const { return TimelineX(View(), t); }
    PressResult Press(int x, int y) { return PressTimeline(tl, View(), x, y); }
    DragResult DragTo(int x) { return DragTimeline(tl, View(), x); }
    // Press, move in one step, release.
    void Drag(int x1, int y, int x2) {
        Press(x1, y);
        DragTo(x2);
        EndDrag(tl);
    }
};

const int kLaneV1 = 40;   // a y inside lane 0
const int kLaneA1 = 228;  // inside lane 4

// The record painted through a window of the frame, so that a paint reads
// as the same draw log every other window test reads.
NleTimeline* g_painted = nullptr;
void PaintPainted(const FrameTarget&, Painter& p, int w, int h) { PaintTimelineRecord(*g_painted, p, w, h); }
const WindowKind kBoardKind = {"QMT_BoardWnd", kCursorArrow, false, PaintPainted};

std::vector<std::string> PaintOf(NleTimeline& tl) {
    g_painted = &tl;
    intptr_t rect = hwCreateWindow(0, "Rectangle", 0, 0, 832, 300);
    WindowHandle window = CreateFrameWindow(kBoardKind, 0, WindowHandle{rect});
    std::vector<std::string> log = wt::Paint(HandleBits(window));
    DestroyFrameWindow(window);
    hwDestroyWindow(rect);
    return log;
}

}  // namespace

TEST(TimelineLayout, AxisLanesAndHitZones) {
    Board b;
    TimelineView v = b.View();
    EXPECT_EQ(TimelineX(v, 2.0), 92);
    EXPECT_DOUBLE_EQ(TimelineTime(v, 10), 0.0);  // left of time 0
    v.scrollX = 45;
    EXPECT_EQ(TimelineX(v, 2.0), 47);
    EXPECT_DOUBLE_EQ(TimelineTime(v, 47), 2.0);
    EXPECT_EQ(LanesOf(b.tl, 300).height, 46);
    EXPECT_EQ(LanesOf(b.tl, 100).height, 20);  // never thinner than 20

    b.AddLinked(2, 4);  // x 92 to 212
    const struct {
        int x, y;
        ClipZone zone;
        int track;
    } hits[] = {{92, kLaneV1, kZoneLeftEdge, kV1},  {98, kLaneV1, kZoneLeftEdge, kV1}, {99, kLaneV1, kZoneBody, kV1},
                {205, kLaneV1, kZoneBody, kV1},     {206, kLaneV1, kZoneRightEdge, kV1},
                {212, kLaneV1, kZoneRightEdge, kV1}, {213, kLaneV1, kZoneNone, -1},
                {150, 80, kZoneNone, -1},  // V2's lane is empty
                {150, kLaneA1, kZoneBody, kA1},     {150, 10, kZoneNone, -1}};  // the ruler
    for (const auto& h : hits) {
        TimelineHit hit = HitTestTimeline(b.tl, b.View(), h.x, h.y);
        EXPECT_EQ(hit.zone, h.zone) << h.x << "," << h.y;
        EXPECT_EQ(hit.track, h.track) << h.x << "," << h.y;
    }

    // A hidden track gives up its lane: the companion's lane moves up.
    b.tl.tracks[kV2].visible = 0;
    EXPECT_EQ(LanesOf(b.tl, 300).count, 5);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 150, 200).track, kA1);  // lanes of 55

    // Header rows count every track, whatever is shown: {client height, y, track}.
    const int rows[][3] = {{300, 24, 0}, {300, 69, 0}, {300, 70, 1}, {300, 299, 5}, {300, 10, -1},
                           {331, 330, -1},  // below the six rows
                           {28, 26, -1}};   // too low for a row: no division by zero
    for (auto& r : rows) EXPECT_EQ(HeaderTrackAt(b.tl, r[0], r[1]), r[2]) << r[0] << " " << r[1];
}

TEST(TimelineLayout, RulerIntervalsLabelsAndTicks) {
    // Half a second per pixel is not above 0.5.
    const double intervals[][2] = {{1.9, 30}, {2, 10}, {9.9, 10}, {10, 5}, {19.9, 5}, {20, 1}, {99, 1}, {100, 0.5}};
    for (auto& i : intervals) EXPECT_EQ(RulerInterval(i[0]), i[1]) << i[0];
    EXPECT_EQ(RulerLabel(9.5), "0:09");
    EXPECT_EQ(RulerLabel(65), "1:05");
    EXPECT_EQ(RulerLabel(600), "10:00");

    // Each ruler as "x:label" ticks, a half tick with an empty label.
    auto ticks = [](TimelineView v) {
        std::string s;
        for (const RulerTick& t : RulerTicks(v)) s += Fmt("%d:%s%s ", t.x, t.half ? "h" : "", t.label.c_str());
        return s;
    };
    EXPECT_EQ(ticks({200, 100, 30, 0}), "32:0:00 62:0:01 92:0:02 122:0:03 152:0:04 182:0:05 ");
    EXPECT_EQ(ticks({120, 100, 10, 0}), "32:0:00 57:h 82:0:05 107:h ");
    // Scrolled: the ticks left of the header column are not drawn.
    EXPECT_EQ(ticks({120, 100, 10, 130}), "52:0:15 77:h 102:0:20 ");
    EXPECT_EQ(ticks({132, 100, 100, 0}), "32:0:00 82:0:00 132:0:01 ");  // half seconds, labelled
}

TEST(TimelineLayout, WheelZoomKeepsTheCentreAndScrollStaysInside) {
    // {zoom, scroll, delta} -> {zoom, scroll}
    const double zooms[][5] = {
        {2, 50, -120, 2, 50},     // zooming out at the lowest zoom stays there
        {500, 0, 120, 500, 0},    // and in at the highest
        {30, 0, 120, 39, 115},    // the time under x 416 stays there
        {30, 0, -120, 23.0769230769230766, 0},  // the centre would need a scroll below 0
    };
    for (auto& z : zooms) {
        TimelineView v{832, 300, z[0], static_cast<int>(z[1])};
        WheelZoom(v, static_cast<int>(z[2]));
        EXPECT_NEAR(v.zoom, z[3], 1e-9) << z[0] << " " << z[2];
        EXPECT_EQ(v.scrollX, z[4]) << z[0] << " " << z[2];
    }
    // Steps: 300 px at 20 px/s, at least 30, at most 400; within 0 and the
    // extent less 100. {zoom, scroll, view length, delta} -> scroll
    const double scrolls[][5] = {{20, 0, 60, -120, 300},   {20, 300, 60, 120, 0},   {20, 0, 60, 120, 0},
                                 {20, 1000, 60, -120, 1100}, {500, 0, 60, -120, 30}, {2, 0, 600, -120, 400},
                                 {2, 0, 15, -120, 0}};  // the whole extent fits: no scrolling
    for (auto& s : scrolls) {
        TimelineView v{832, 300, s[0], static_cast<int>(s[1])};
        WheelScroll(v, s[2], static_cast<int>(s[3]));
        EXPECT_EQ(v.scrollX, s[4]) << s[0] << " " << s[1] << " " << s[3];
    }
}

TEST(TimelineLayout, FollowScrollBringsARunningPlayheadBack) {
    // At 30 px/s: {scroll, playhead} -> scroll.
    const double cases[][3] = {
        {0, 5, 0},       // x 182: inside
        {0, 21, 0},      // x 662: still left of the last fifth
        {0, 25, 350},    // x 782: half way across
        {350, 20, 350},  // x 282
        {350, 12, 0},    // x 42, left of the first fifth, scrolled: back to 0
        {0, 0.5, 0},     // left, but nothing to scroll back
    };
    for (auto& c : cases)
        EXPECT_EQ(FollowScroll(TimelineView{832, 300, 30, static_cast<int>(c[0])}, c[1]), c[2]) << c[0] << " " << c[1];
}

TEST(TimelineSnap, NearestCandidateInOrderAndTheGuide) {
    Board b;  // 30 px/s: 8 px is 0.2667 s
    int held = b.AddLinked(0, 4);
    b.Add(kV2, 6, 3);
    b.tl.dragTrack = kV1;
    b.tl.dragClip = held;
    b.tl.playhead = 10;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 5.9), 6);
    EXPECT_DOUBLE_EQ(b.tl.snapGuideTime, 6);
    EXPECT_EQ(b.tl.snapGuideTicks, 5);
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 8.95), 9);
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 9.8), 10);   // the playhead
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 0.2), 0);    // time 0
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 7.5), 7.5);  // nothing near
    b.tl.snapGuideTicks = 0;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 6.0005), 6);
    EXPECT_EQ(b.tl.snapGuideTicks, 0);  // no visible move, no guide

    // Equal distances keep the earlier candidate: the playhead comes first.
    b.tl.playhead = 6.125;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 6.0625), 6.125);
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 6.05), 6);

    // The held clip and its companion, which moves with it, are no candidates.
    b.tl.playhead = 20;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 4.1), 4.1);
    b.tl.dragTrack = b.tl.dragClip = -1;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 4.1), 4);

    b.tl.snap = false;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 5.9), 5.9);
}

TEST(TimelineDrag, PressWithinTwoPixelsSelectsWithoutMoving) {
    Board b;
    b.AddLinked(2, 4);  // x 92 to 212
    EXPECT_EQ(b.Press(152, kLaneV1), kPressClip);
    EXPECT_EQ(b.DragTo(154), kDragIdle);
    EXPECT_EQ(b.DragTo(150), kDragIdle);
    EndDrag(b.tl);
    EXPECT_EQ(b.tl.dragMode, kDragNone);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 2);
    EXPECT_EQ(b.tl.selClip, 0);  // selected by the press (the window's Click), and still

    // Three pixels is a drag; coming back keeps it one.
    b.Press(152, kLaneV1);
    EXPECT_EQ(b.DragTo(155), kDragClipEdited);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 2.1);
    EXPECT_EQ(b.DragTo(152), kDragClipEdited);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 2);
    EndDrag(b.tl);
}

TEST(TimelineDrag, MovesAndTrimsCarryTheCompanionWithinTheFloors) {
    Board b;
    b.AddLinked(2, 4);
    // One press-move-release after another: {press x, lane, release x} ->
    // start and duration of the V1 clip and of its A1 companion alike.
    const struct {
        int x1, y, x2;
        double start, duration;
        const char* what;
    } drags[] = {
        {152, kLaneV1, 242, 5, 4, "3 s later"},
        {212, kLaneA1, 152, 3, 4, "the companion moves the video"},
        {182, kLaneV1, 2, 0, 4, "a move stops at 0"},
        {150, kLaneV1, 180, 0, 5, "the right edge one second out"},
        {33, kLaneV1, 63, 1, 4, "the left edge one second in"},
        {63, kLaneV1, 1063, 4.9, 0.1, "the left edge keeps 0.1 s"},
        {180, kLaneV1, -820, 0, 5, "and starts no earlier than 0"},
        {181, kLaneV1, -819, 0, 0.1, "the right edge keeps 0.1 s"},
    };
    for (const auto& d : drags) {
        b.Drag(d.x1, d.y, d.x2);
        for (int track : {kV1, kA1}) {
            EXPECT_NEAR(b.Clip(track, 0).start, d.start, 1e-9) << d.what;
            EXPECT_NEAR(b.Clip(track, 0).duration, d.duration, 1e-9) << d.what;
        }
        if (d.x1 == 33) {  // the left trim moved the in-point; the right trim left the out-point
            EXPECT_DOUBLE_EQ(b.Clip(kA1, 0).srcIn, 1);
            EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).srcOut, 4);
        }
    }
}

TEST(TimelineDrag, EdgesAndMovesSnap) {
    Board b;
    b.AddLinked(0, 4);
    b.Add(kFX, 10, 2);
    // Near another clip's end the start lands on it exactly.
    b.Drag(92, kLaneV1, 92 + 357);  // would start at 11.9
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 12);
    EXPECT_DOUBLE_EQ(b.Clip(kA1, 0).start, 12);
    // The right edge snaps to the playhead.
    b.tl.playhead = 18;
    b.Drag(b.X(16) - 1, kLaneV1, b.X(17.9) - 1);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).duration, 6);
    // A left trim that would snap past the floor stays at the floor.
    b.tl.playhead = 17.95;
    b.Drag(b.X(12) + 1, kLaneV1, b.X(17.85) + 1);
    EXPECT_NEAR(b.Clip(kV1, 0).duration, 0.1, 1e-9);
}

TEST(TimelineDrag, RulerHeaderAndEmptySpace) {
    Board b;
    b.AddLinked(2, 4);
    b.tl.selTrack = kV1;
    b.tl.selClip = 0;
    EXPECT_EQ(b.Press(10, kLaneV1), kPressIgnored);
    EXPECT_EQ(b.tl.selClip, 0);
    EXPECT_EQ(b.Press(92, 10), kPressRuler);  // the playhead set there: the window's ruler Click
    EXPECT_EQ(b.DragTo(0), kDragPlayheadSet);
    EXPECT_DOUBLE_EQ(b.tl.playhead, 0);
    EndDrag(b.tl);
    EXPECT_EQ(b.Press(b.X(9), kLaneV1), kPressEmpty);
    EXPECT_EQ(b.tl.selClip, -1);
    EXPECT_DOUBLE_EQ(b.tl.playhead, 9);
    EXPECT_EQ(b.tl.dragMode, kDragNone);
    EXPECT_EQ(b.DragTo(400), kDragIdle);
}

// What the transition dialog's answer does to a clip (the dialog itself, and
// the effect and text dialogs with their clips, are the Wine checks').
TEST(TimelineClipDialogs, TransitionAnswerOnTheClip) {
    NleClip c;
    ResetClip(c, kClipVideo, 0, 4);
    SetField(c.transIn, "fade");
    TransitionDialogState st = {FindEntryByValue(kTransitionDisplayTable, "wipeleft"), false, 0.1, false, ""};
    EXPECT_FALSE(ApplyTransitionDialog(c, st));  // not OK: nothing changes
    EXPECT_STREQ(c.transIn, "fade");
    st.ok = true;
    EXPECT_TRUE(ApplyTransitionDialog(c, st));
    EXPECT_STREQ(c.transIn, "wipeleft");  // from the start ("out:" for the end: the Wine dialog group)
    EXPECT_DOUBLE_EQ(c.transInDur, 0.5);  // 0.1 s is too short
    st.chosen = -1;
    EXPECT_FALSE(ApplyTransitionDialog(c, st));
}

TEST(TimelinePaint, ClipsMarkersPlayheadGuideAndHeaders) {
    Board b;
    b.AddLinked(2, 4);  // x 92 to 212 on lane 0 (y 24 to 70)
    b.tl.selTrack = kV1;
    b.tl.selClip = 0;
    SetField(b.Clip(kV1, 0).transIn, "out:wipeleft");
    b.Clip(kV1, 0).transInDur = 1.0;
    SetField(b.Clip(kA1, 0).transIn, "fade");
    b.Clip(kA1, 0).transInDur = 0.5;
    b.tl.snapGuideTime = 4;
    b.tl.snapGuideTicks = 5;
    std::vector<std::string> p = PaintOf(b.tl);

    // Landmarks: the ruler's last label, the selected clip's yellow outline and
    // handle, each marker with its caption, the guide and the header column's
    // cells (the background and the playhead: the window's integration tests).
    const char* const landmarks[] = {
        "text 814 2 832 24 #a0a0aa layout=0 font=\"Consolas 10\" \"0:26\"",
        "fill 92 26 212 68 #5a8cdc",
        "frame 92 26 212 68 #ffdc3c width=2 style=0",
        "fill 209 26 212 68 #ffdc3c",
        "text 97 26 207 68 #ffffff layout=2 font=\"Segoe UI 11\" \"clip 0\"",
        "triangle 192 26 212 68 #ffc832 points=212,26 212,68 192,47",
        "text 132 27 212 68 #ffc832 layout=0 font=\"Segoe UI 10\" \"wipeleft 1.0s <<\"",
        "frame 92 210 212 252 #50505a width=1 style=0",
        "triangle 92 210 112 252 #ffc832 points=92,210 92,252 112,231",
        "text 114 211 212 252 #ffc832 layout=0 font=\"Segoe UI 10\" \">> fade 0.5s\"",
        "line 152 24 152 300 #00ff64 width=1 style=1",
        "text 0 24 32 70 #ffffff layout=1 font=\"Segoe UI 10 bold\" \"V1\"",
    };
    for (const char* line : landmarks) EXPECT_TRUE(wt::Has(p, line)) << line;
    EXPECT_EQ(wt::Count(p, "text 0 "), 6);  // one named cell per track

    // The guide shows on five paints in all.
    int shown = 1;
    for (int i = 0; i < 6; ++i) shown += wt::Count(PaintOf(b.tl), "line 152 24");
    EXPECT_EQ(shown, 5);
    EXPECT_EQ(b.tl.snapGuideTicks, 0);
}

TEST(TimelinePaint, NarrowAndScrolledClips) {
    Board b;
    b.Add(kV1, 2, 0.25);   // 7 px: no handles, caption or marker
    b.Add(kV1, 5, 0.625);  // 18 px: handles and marker, no caption
    b.Add(kV1, 40, 2);    // right of the window
    b.Add(kV1, 0, 1);     // partly under the header column once scrolled
    SetField(b.Clip(kV1, 0).transIn, "fade");
    SetField(b.Clip(kV1, 1).transIn, "fade");
    b.tl.scrollX = 15;
    b.tl.playhead = 0.2;  // x 23: behind the header, not drawn
    std::vector<std::string> p = PaintOf(b.tl);
    EXPECT_TRUE(wt::Has(p, "fill 77 26 84 68 #3264b4"));
    EXPECT_FALSE(wt::Has(p, "fill 77 26 80 68 #787882"));
    EXPECT_TRUE(wt::Has(p, "fill 167 26 170 68 #787882"));
    EXPECT_TRUE(wt::Has(p, "triangle 167 26 171 68 #ffc832 points=167,26 167,68 171,47"));
    EXPECT_EQ(wt::Count(p, "text 172 "), 0);
    EXPECT_EQ(wt::Count(p, "triangle 77 "), 0);
    EXPECT_EQ(wt::Count(p, "fill 1217 "), 0);
    EXPECT_TRUE(wt::Has(p, "fill 32 26 47 68 #3264b4"));  // 0 to 1 s, cut at the header column
    EXPECT_EQ(wt::Count(p, "line 23 "), 0);
}
