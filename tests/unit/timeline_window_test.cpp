// The timeline window's pure layers on plain records: geometry and hit zones,
// the ruler, wheel and follow arithmetic, snapping, the press-drag-release
// machine with the linked partner, what the dialogs read and write, and the
// calls one paint makes.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "host/text_util.h"
#include "timeline/timeline_clip_dialogs.h"
#include "timeline/timeline_drag.h"
#include "timeline/timeline_layout.h"
#include "timeline/timeline_paint.h"

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

// Every painter call as one line of text.
struct ListPainter : Painter {
    std::vector<std::string> calls;
    static std::string B(const Box& b) { return Fmt("%d %d %d %d", b.left, b.top, b.right, b.bottom); }
    static std::string C(Colour c) { return Fmt("#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c)); }
    void Fill(const Box& b, Colour c) override { calls.push_back("fill " + B(b) + " " + C(c)); }
    void Frame(const Box& b, int w, Colour c, LineStyle) override {
        calls.push_back("frame " + B(b) + " " + C(c) + Fmt(" w%d", w));
    }
    void Line(Point a, Point b, int w, Colour c, LineStyle s) override {
        calls.push_back(Fmt("line %d %d %d %d ", a.x, a.y, b.x, b.y) + C(c) + Fmt(" w%d", w) +
                        (s == kDashedLine ? " dashed" : ""));
    }
    void Hatch(const Box& b, Colour c) override { calls.push_back("hatch " + B(b) + " " + C(c)); }
    void Triangle(Point a, Point b, Point p, Colour c) override {
        calls.push_back(Fmt("triangle %d,%d %d,%d %d,%d ", a.x, a.y, b.x, b.y, p.x, p.y) + C(c));
    }
    void Text(const Box& b, const std::string& t, const FontSpec& f, Colour c, TextLayout l) override {
        calls.push_back(Fmt("text %d %d ", b.left, b.top) + C(c) + Fmt(" %s %d%s l%d \"", f.face, f.height,
                                                                         f.bold ? " bold" : "", l) + t + "\"");
    }
    void Bitmap(const Box&, BitmapHandle, BitmapMode) override { calls.push_back("bitmap"); }
    bool Has(const std::string& call) const {
        for (const std::string& c : calls)
            if (c == call) return true;
        return false;
    }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& c : calls) n += c.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST(TimelineLayout, AxisLanesAndHitZones) {
    Board b;
    TimelineView v = b.View();
    EXPECT_EQ(TimelineX(v, 2.0), 92);
    EXPECT_DOUBLE_EQ(TimelineTime(v, 92), 2.0);
    EXPECT_DOUBLE_EQ(TimelineTime(v, 10), 0.0);  // left of time 0
    v.scrollX = 45;
    EXPECT_EQ(TimelineX(v, 2.0), 47);
    EXPECT_DOUBLE_EQ(TimelineTime(v, 47), 2.0);

    TimelineLanes lanes = LanesOf(b.tl, 300);
    EXPECT_EQ(lanes.count, 6);
    EXPECT_EQ(lanes.height, 46);
    EXPECT_EQ(LanesOf(b.tl, 100).height, 20);  // never thinner than 20

    b.AddLinked(2, 4);  // x 92 to 212
    TimelineHit hit = HitTestTimeline(b.tl, b.View(), 98, kLaneV1);
    EXPECT_EQ(hit.zone, kZoneLeftEdge);
    EXPECT_EQ(hit.track, kV1);
    EXPECT_EQ(hit.clip, 0);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 92, kLaneV1).zone, kZoneLeftEdge);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 99, kLaneV1).zone, kZoneBody);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 205, kLaneV1).zone, kZoneBody);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 206, kLaneV1).zone, kZoneRightEdge);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 212, kLaneV1).zone, kZoneRightEdge);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 213, kLaneV1).zone, kZoneNone);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 150, 80).zone, kZoneNone);  // V2's lane is empty
    hit = HitTestTimeline(b.tl, b.View(), 150, kLaneA1);
    EXPECT_EQ(hit.track, kA1);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 150, 10).zone, kZoneNone);  // the ruler

    // A hidden track gives up its lane: the companion's lane moves up.
    b.tl.tracks[kV2].visible = 0;
    EXPECT_EQ(LanesOf(b.tl, 300).count, 5);
    EXPECT_EQ(HitTestTimeline(b.tl, b.View(), 150, 200).track, kA1);  // lanes of 55

    // Header rows count every track, whatever is shown.
    EXPECT_EQ(HeaderTrackAt(b.tl, 300, 24), 0);
    EXPECT_EQ(HeaderTrackAt(b.tl, 300, 69), 0);
    EXPECT_EQ(HeaderTrackAt(b.tl, 300, 70), 1);
    EXPECT_EQ(HeaderTrackAt(b.tl, 300, 299), 5);
    EXPECT_EQ(HeaderTrackAt(b.tl, 300, 10), -1);
    EXPECT_EQ(HeaderTrackAt(b.tl, 331, 330), -1);  // below the six rows
    EXPECT_EQ(HeaderTrackAt(b.tl, 28, 26), -1);    // too low for a row: no division by zero
}

TEST(TimelineLayout, RulerIntervalsLabelsAndTicks) {
    EXPECT_EQ(RulerInterval(1.9), 30);
    EXPECT_EQ(RulerInterval(2), 10);  // half a second per pixel is not above 0.5
    EXPECT_EQ(RulerInterval(9.9), 10);
    EXPECT_EQ(RulerInterval(10), 5);
    EXPECT_EQ(RulerInterval(19.9), 5);
    EXPECT_EQ(RulerInterval(20), 1);
    EXPECT_EQ(RulerInterval(99), 1);
    EXPECT_EQ(RulerInterval(100), 0.5);
    EXPECT_EQ(RulerLabel(0), "0:00");
    EXPECT_EQ(RulerLabel(9.5), "0:09");
    EXPECT_EQ(RulerLabel(65), "1:05");
    EXPECT_EQ(RulerLabel(600), "10:00");

    // 1 s ticks at 30 px/s over 200 pixels: 0 to 5 s, no half ticks.
    std::vector<RulerTick> ticks = RulerTicks(TimelineView{200, 100, 30, 0});
    ASSERT_EQ(ticks.size(), 6u);
    EXPECT_EQ(ticks[0].x, 32);
    EXPECT_EQ(ticks[0].label, "0:00");
    EXPECT_EQ(ticks[5].x, 182);
    EXPECT_EQ(ticks[5].label, "0:05");

    // 5 s ticks with half ticks between them.
    ticks = RulerTicks(TimelineView{300, 100, 10, 0});
    ASSERT_EQ(ticks.size(), 11u);
    EXPECT_FALSE(ticks[0].half);
    EXPECT_TRUE(ticks[1].half);
    EXPECT_EQ(ticks[1].x, 57);
    EXPECT_EQ(ticks[1].label, "");
    EXPECT_EQ(ticks[10].x, 282);
    EXPECT_EQ(ticks[10].label, "0:25");

    // Scrolled: the ticks left of the header column are not drawn.
    ticks = RulerTicks(TimelineView{300, 100, 10, 130});
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks[0].x, 52);
    EXPECT_EQ(ticks[0].label, "0:15");

    // Half-second ticks when zoomed far in.
    ticks = RulerTicks(TimelineView{132, 100, 100, 0});
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[1].x, 82);
    EXPECT_EQ(ticks[1].label, "0:00");
}

TEST(TimelineLayout, WheelZoomKeepsTheCentreAndScrollStaysInside) {
    TimelineView v{832, 300, 2, 50};
    WheelZoom(v, -120);
    EXPECT_EQ(v.zoom, 2);  // zooming out at the lowest zoom stays there
    EXPECT_EQ(v.scrollX, 50);
    v = TimelineView{832, 300, 500, 0};
    WheelZoom(v, 120);
    EXPECT_EQ(v.zoom, 500);

    v = TimelineView{832, 300, 30, 0};
    double centre = TimelineTime(v, 416);
    WheelZoom(v, 120);
    EXPECT_DOUBLE_EQ(v.zoom, 39);
    EXPECT_EQ(v.scrollX, 115);
    EXPECT_NEAR(TimelineTime(v, 416), centre, 1 / v.zoom);
    WheelZoom(v, -120);
    EXPECT_DOUBLE_EQ(v.zoom, 30);
    EXPECT_NEAR(TimelineTime(v, 416), centre, 2 / v.zoom);
    v = TimelineView{832, 300, 30, 0};
    WheelZoom(v, -120);  // the centre would need a scroll below 0
    EXPECT_EQ(v.scrollX, 0);

    // Steps: 300 px at 20 px/s, at least 30, at most 400; within 0 and the extent less 100.
    v = TimelineView{832, 300, 20, 0};
    WheelScroll(v, 60, -120);
    EXPECT_EQ(v.scrollX, 300);
    WheelScroll(v, 60, 120);
    EXPECT_EQ(v.scrollX, 0);
    WheelScroll(v, 60, 120);
    EXPECT_EQ(v.scrollX, 0);
    v.scrollX = 1000;
    WheelScroll(v, 60, -120);
    EXPECT_EQ(v.scrollX, 1100);
    v = TimelineView{832, 300, 500, 0};
    WheelScroll(v, 60, -120);
    EXPECT_EQ(v.scrollX, 30);
    v = TimelineView{832, 300, 2, 0};
    WheelScroll(v, 600, -120);
    EXPECT_EQ(v.scrollX, 400);
    v = TimelineView{832, 300, 2, 0};
    WheelScroll(v, 15, -120);  // the whole extent fits: no scrolling
    EXPECT_EQ(v.scrollX, 0);
}

TEST(TimelineLayout, FollowScrollBringsARunningPlayheadBack) {
    TimelineView v{832, 300, 30, 0};
    EXPECT_EQ(FollowScroll(v, 5), 0);      // x 182: inside
    EXPECT_EQ(FollowScroll(v, 21), 0);     // x 662: still left of the last fifth
    EXPECT_EQ(FollowScroll(v, 25), 350);   // x 782: half way across
    v.scrollX = 350;
    EXPECT_EQ(FollowScroll(v, 20), 350);   // x 282
    EXPECT_EQ(FollowScroll(v, 12), 0);     // x 42, left of the first fifth, scrolled: back to 0
    v.scrollX = 0;
    EXPECT_EQ(FollowScroll(v, 0.5), 0);    // left, but nothing to scroll back
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
    b.tl.snapGuideTicks = 0;
    EXPECT_DOUBLE_EQ(SnapTime(b.tl, 5.9), 5.9);
    EXPECT_EQ(b.tl.snapGuideTicks, 0);
}

TEST(TimelineDrag, PressWithinTwoPixelsSelectsWithoutMoving) {
    Board b;
    b.AddLinked(2, 4);  // x 92 to 212
    EXPECT_EQ(b.Press(152, kLaneV1), kPressClip);
    EXPECT_EQ(b.tl.selTrack, kV1);
    EXPECT_EQ(b.tl.selClip, 0);
    EXPECT_EQ(b.tl.dragMode, kDragMove);
    EXPECT_EQ(b.DragTo(154), kDragIdle);
    EXPECT_EQ(b.DragTo(150), kDragIdle);
    EXPECT_FALSE(b.tl.dragMoved);
    EndDrag(b.tl);
    EXPECT_EQ(b.tl.dragMode, kDragNone);
    EXPECT_EQ(b.tl.dragTrack, -1);
    EXPECT_EQ(b.tl.dragClip, -1);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 2);
    EXPECT_EQ(b.tl.selClip, 0);  // still selected

    // Three pixels is a drag; coming back keeps it one.
    b.Press(152, kLaneV1);
    EXPECT_EQ(b.DragTo(155), kDragClipEdited);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 2.1);
    EXPECT_EQ(b.DragTo(152), kDragClipEdited);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 2);
    EndDrag(b.tl);
}

TEST(TimelineDrag, MoveAndTrimsCarryTheCompanion) {
    Board b;
    b.AddLinked(2, 4);
    b.Drag(152, kLaneV1, 242);  // 3 s later
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 5);
    EXPECT_DOUBLE_EQ(b.Clip(kA1, 0).start, 5);
    EXPECT_DOUBLE_EQ(b.tl.viewLength, 15);

    // Dragging the companion moves the video.
    b.Drag(b.X(6), kLaneA1, b.X(4));
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 3);
    EXPECT_DOUBLE_EQ(b.Clip(kA1, 0).start, 3);

    // Right edge (x 212): one second longer, both clips.
    EXPECT_EQ(b.Press(b.X(7) - 2, kLaneV1), kPressClip);
    EXPECT_EQ(b.tl.dragMode, kDragTrimRight);
    b.DragTo(b.X(7) + 28);
    EndDrag(b.tl);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).duration, 5);
    EXPECT_DOUBLE_EQ(b.Clip(kA1, 0).duration, 5);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).srcOut, 4);  // trims leave the out-point

    // Left edge: one second in, start, length and in-point of both.
    EXPECT_EQ(b.Press(b.X(3) + 1, kLaneV1), kPressClip);
    EXPECT_EQ(b.tl.dragMode, kDragTrimLeft);
    b.DragTo(b.X(3) + 31);
    EndDrag(b.tl);
    for (int track : {kV1, kA1}) {
        EXPECT_DOUBLE_EQ(b.Clip(track, 0).start, 4);
        EXPECT_DOUBLE_EQ(b.Clip(track, 0).duration, 4);
        EXPECT_DOUBLE_EQ(b.Clip(track, 0).srcIn, 1);
    }
}

TEST(TimelineDrag, TrimFloorsAndSnapping) {
    Board b;
    b.AddLinked(2, 4);  // ends at 6
    // The left edge cannot pass 0.1 s before the end, nor time 0.
    b.Drag(b.X(2) + 1, kLaneV1, b.X(2) + 1000);
    EXPECT_NEAR(b.Clip(kV1, 0).start, 5.9, 1e-9);
    EXPECT_NEAR(b.Clip(kV1, 0).duration, 0.1, 1e-9);
    EXPECT_NEAR(b.Clip(kA1, 0).duration, 0.1, 1e-9);
    b.Drag(b.X(5.9) + 1, kLaneV1, b.X(5.9) - 1000);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 0);
    EXPECT_NEAR(b.Clip(kV1, 0).duration, 6, 1e-9);
    // The right edge keeps 0.1 s too.
    b.Drag(b.X(6) - 1, kLaneV1, b.X(6) - 1000);
    EXPECT_NEAR(b.Clip(kV1, 0).duration, 0.1, 1e-9);
    // A move stops at 0.
    b.Clip(kV1, 0).duration = b.Clip(kA1, 0).duration = 4;
    b.Clip(kV1, 0).start = b.Clip(kA1, 0).start = 2;
    b.Drag(152, kLaneV1, 2);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 0);

    // Near another clip's end the start lands on it exactly, with the guide.
    b.Add(kFX, 10, 2);
    b.tl.snapGuideTicks = 0;
    b.Drag(b.X(0) + 60, kLaneV1, b.X(0) + 60 + 357);  // would start at 11.9
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).start, 12);
    EXPECT_DOUBLE_EQ(b.Clip(kA1, 0).start, 12);
    EXPECT_DOUBLE_EQ(b.tl.snapGuideTime, 12);
    EXPECT_EQ(b.tl.snapGuideTicks, 5);
    // The right edge snaps to the playhead.
    b.tl.playhead = 18;
    b.Drag(b.X(16) - 1, kLaneV1, b.X(17.9) - 1);
    EXPECT_DOUBLE_EQ(b.Clip(kV1, 0).duration, 6);
    EXPECT_DOUBLE_EQ(b.tl.snapGuideTime, 18);
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
    EXPECT_EQ(b.Press(92, 10), kPressRuler);
    EXPECT_DOUBLE_EQ(b.tl.playhead, 2);
    EXPECT_EQ(b.tl.dragMode, kDragPlayhead);
    EXPECT_EQ(b.DragTo(122), kDragPlayheadSet);
    EXPECT_DOUBLE_EQ(b.tl.playhead, 3);
    EXPECT_EQ(b.DragTo(0), kDragPlayheadSet);
    EXPECT_DOUBLE_EQ(b.tl.playhead, 0);
    EndDrag(b.tl);
    EXPECT_EQ(b.Press(b.X(9), kLaneV1), kPressEmpty);
    EXPECT_EQ(b.tl.selTrack, -1);
    EXPECT_EQ(b.tl.selClip, -1);
    EXPECT_DOUBLE_EQ(b.tl.playhead, 9);
    EXPECT_EQ(b.tl.dragMode, kDragNone);
    EXPECT_EQ(b.DragTo(400), kDragIdle);
}

TEST(TimelineClipDialogs, TransitionsEffectsAndTexts) {
    NleClip c;
    ResetClip(c, kClipVideo, 0, 4);
    SetField(c.transIn, "out:CircleOpen");
    TransitionDialogState st = {-1, false, 0, true, ""};
    PrimeTransitionDialog(c, st);
    EXPECT_TRUE(st.applyEnd);
    EXPECT_STREQ(st.currentName, "CircleOpen");
    EXPECT_DOUBLE_EQ(st.duration, 1.0);  // none stored
    EXPECT_FALSE(st.ok);
    SetField(c.transIn, "fade");
    c.transInDur = 0.7;
    PrimeTransitionDialog(c, st);
    EXPECT_FALSE(st.applyEnd);
    EXPECT_STREQ(st.currentName, "fade");
    EXPECT_DOUBLE_EQ(st.duration, 0.7);

    // "Wipe Left", "End", 1.0 s.
    st.chosen = FindEntryByValue(kTransitionDisplayTable, "wipeleft");
    ASSERT_EQ(st.chosen, 20);
    st.applyEnd = true;
    st.duration = 1.0;
    EXPECT_FALSE(ApplyTransitionDialog(c, st));  // not OK: nothing changes
    EXPECT_STREQ(c.transIn, "fade");
    st.ok = true;
    EXPECT_TRUE(ApplyTransitionDialog(c, st));
    EXPECT_STREQ(c.transIn, "out:wipeleft");
    EXPECT_DOUBLE_EQ(c.transInDur, 1.0);
    EXPECT_EQ(TransitionCaption(c), "wipeleft 1.0s <<");
    st.applyEnd = false;
    st.duration = 0.1;
    ApplyTransitionDialog(c, st);
    EXPECT_STREQ(c.transIn, "wipeleft");
    EXPECT_DOUBLE_EQ(c.transInDur, 0.5);
    EXPECT_EQ(TransitionCaption(c), ">> wipeleft 0.5s");
    st.chosen = -1;
    EXPECT_FALSE(ApplyTransitionDialog(c, st));
    RemoveClipTransition(c);
    EXPECT_STREQ(c.transIn, "");
    EXPECT_EQ(c.transInDur, 0);

    ApplyEffectEntry(c, kEffectTable[0], NleRgb(200, 120, 30));
    EXPECT_STREQ(c.filter, "hue=s=0");
    EXPECT_STREQ(c.label, "Grayscale");
    EXPECT_EQ(c.color, NleRgb(200, 120, 30));

    NleClip t;
    ResetClip(t, kClipText, 3, 4);
    SetField(t.text, "Title");
    t.fontSize = 0;
    t.textX = -1;
    t.textY = 20;
    TextOverlayDialogState ts = {};
    PrimeTextDialog(t, ts);
    EXPECT_STREQ(ts.text, "Title");
    EXPECT_EQ(ts.fontSize, 48);
    EXPECT_EQ(ts.x, -1);
    EXPECT_EQ(ts.y, 20);
    EXPECT_EQ(ts.colour, NleRgb(255, 255, 255));
    EXPECT_DOUBLE_EQ(ts.duration, 4);
    SetField(ts.text, "New title");
    ts.fontSize = 30;
    ts.x = -2;
    ts.y = -2;
    ts.colour = NleRgb(255, 0, 0);
    ts.duration = 6;
    ApplyTextDialog(t, ts);
    EXPECT_STREQ(t.text, "New title");
    EXPECT_STREQ(t.label, "New title");
    EXPECT_EQ(t.fontSize, 30);
    EXPECT_EQ(t.textX, -2);
    EXPECT_EQ(t.textY, -2);
    EXPECT_EQ(t.textColor, NleRgb(255, 0, 0));
    EXPECT_DOUBLE_EQ(t.duration, 6);
    EXPECT_DOUBLE_EQ(t.srcOut, 6);
    EXPECT_DOUBLE_EQ(t.start, 3);
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
    b.tl.playhead = 8;  // x 272
    b.tl.snapGuideTime = 4;
    b.tl.snapGuideTicks = 5;
    ListPainter p;
    PaintTimelineRecord(b.tl, p, 832, 300);

    EXPECT_EQ(p.calls[0], "fill 0 0 832 300 #121216");
    EXPECT_EQ(p.calls[1], "fill 0 0 832 24 #23232a");
    EXPECT_TRUE(p.Has("line 32 16 32 24 #464650 w1"));
    EXPECT_TRUE(p.Has("text 34 2 #a0a0aa Consolas 10 l0 \"0:00\""));
    EXPECT_TRUE(p.Has("text 814 2 #a0a0aa Consolas 10 l0 \"0:26\""));
    EXPECT_TRUE(p.Has("line 0 23 832 23 #3c3c46 w1"));
    EXPECT_TRUE(p.Has("fill 32 24 832 70 #16161c"));
    // The selected clip: lifted fill, yellow outline of 2 and yellow handles.
    EXPECT_TRUE(p.Has("fill 92 26 212 68 #5a8cdc"));
    EXPECT_TRUE(p.Has("frame 92 26 212 68 #ffdc3c w2"));
    EXPECT_TRUE(p.Has("fill 92 26 95 68 #ffdc3c"));
    EXPECT_TRUE(p.Has("fill 209 26 212 68 #ffdc3c"));
    EXPECT_TRUE(p.Has("text 97 26 #ffffff Segoe UI 11 l2 \"clip 0\""));
    // Its exit marker at the right end, 20 px wide, with its caption.
    EXPECT_TRUE(p.Has("triangle 212,26 212,68 192,47 #ffc832"));
    EXPECT_TRUE(p.Has("text 132 27 #ffc832 Segoe UI 10 l0 \"wipeleft 1.0s <<\""));
    // The companion, not selected: grey outline and handles, entry marker at the left.
    EXPECT_TRUE(p.Has("fill 92 210 212 252 #32a03c"));
    EXPECT_TRUE(p.Has("frame 92 210 212 252 #50505a w1"));
    EXPECT_TRUE(p.Has("fill 92 210 95 252 #787882"));
    EXPECT_TRUE(p.Has("triangle 92,210 92,252 112,231 #ffc832"));
    EXPECT_TRUE(p.Has("text 114 211 #ffc832 Segoe UI 10 l0 \">> fade 0.5s\""));
    EXPECT_TRUE(p.Has("line 32 69 832 69 #2d2d37 w1"));
    // Playhead and guide.
    EXPECT_TRUE(p.Has("line 272 0 272 300 #ff3232 w2"));
    EXPECT_TRUE(p.Has("triangle 267,0 277,0 272,8 #ff3232"));
    EXPECT_TRUE(p.Has("line 152 24 152 300 #00ff64 w1 dashed"));
    // The header column over everything, one named cell per lane.
    EXPECT_TRUE(p.Has("fill 0 0 32 300 #1c1c22"));
    EXPECT_TRUE(p.Has("fill 0 24 32 70 #3264b4"));
    EXPECT_TRUE(p.Has("text 0 24 #ffffff Segoe UI 10 bold l1 \"V1\""));
    EXPECT_TRUE(p.Has("text 0 254 #ffffff Segoe UI 10 bold l1 \"A2\""));
    EXPECT_EQ(p.Count("text 0 "), 6);

    // The guide shows on five paints in all.
    int shown = 1;
    for (int i = 0; i < 6; ++i) {
        ListPainter again;
        PaintTimelineRecord(b.tl, again, 832, 300);
        shown += again.Count("line 152 24");
    }
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
    ListPainter p;
    PaintTimelineRecord(b.tl, p, 832, 300);
    EXPECT_TRUE(p.Has("fill 77 26 84 68 #3264b4"));
    EXPECT_FALSE(p.Has("fill 77 26 80 68 #787882"));
    EXPECT_TRUE(p.Has("fill 167 26 185 68 #3264b4"));
    EXPECT_TRUE(p.Has("fill 167 26 170 68 #787882"));
    EXPECT_TRUE(p.Has("triangle 167,26 167,68 171,47 #ffc832"));
    EXPECT_EQ(p.Count("text 172 "), 0);
    EXPECT_EQ(p.Count("triangle 77,"), 0);
    EXPECT_EQ(p.Count("fill 1217 "), 0);
    EXPECT_TRUE(p.Has("fill 32 26 47 68 #3264b4"));  // 0 to 1 s, cut at the header column
    EXPECT_EQ(p.Count("line 23 "), 0);
    EXPECT_EQ(p.Count("triangle 18,"), 0);
}
