#include "timeline/timeline_paint.h"
#include <algorithm>
#include <cstring>
#include "host/text_util.h"
#include "timeline/timeline_layout.h"

namespace {

const Colour kBackground = Rgb(18, 18, 22), kRulerBand = Rgb(35, 35, 42), kRulerText = Rgb(160, 160, 170),
             kTickPen = Rgb(70, 70, 80), kRulerEdge = Rgb(60, 60, 70), kLaneBack = Rgb(22, 22, 28),
             kLaneEdge = Rgb(45, 45, 55), kOutline = Rgb(80, 80, 90), kHandle = Rgb(120, 120, 130),
             kSelected = Rgb(255, 220, 60), kMarker = Rgb(255, 200, 50), kPlayhead = Rgb(255, 50, 50),
             kSnapGuide = Rgb(0, 255, 100), kHeaderBack = Rgb(28, 28, 34), kWhite = Rgb(255, 255, 255);

const FontSpec kRulerFont = {"Consolas", 10, false};
const FontSpec kCaptionFont = {"Segoe UI", 11, false};
const FontSpec kMarkerFont = {"Segoe UI", 10, false};
const FontSpec kHeaderFont = {"Segoe UI", 10, true};

const int kSelectionLift = 40;  // added to each channel of a selected clip's colour
const int kHandleWidth = 3;
const int kTickTop = 16, kHalfTickTop = 20, kRulerLine = 23;
const int kPlayheadWidth = 2, kPlayheadHead = 5, kPlayheadHeadHeight = 8;
const int kMarkerCaptionTop = 3, kExitCaptionRoom = 80;
// Clip widths below which the handles, caption, marker and marker caption are left out.
const int kHandlesFrom = 12, kCaptionFrom = 20, kMarkerFrom = 16, kMarkerCaptionFrom = 60;

Colour Lifted(NleColor c) {
    return Rgb(std::min(255, NleRed(c) + kSelectionLift), std::min(255, NleGreen(c) + kSelectionLift),
               std::min(255, NleBlue(c) + kSelectionLift));
}

void PaintRuler(Painter& p, const TimelineView& view) {
    p.Fill(Box{0, 0, view.width, kRulerHeight}, kRulerBand);
    for (const RulerTick& tick : RulerTicks(view)) {
        p.Line(Point{tick.x, tick.half ? kHalfTickTop : kTickTop}, Point{tick.x, kRulerHeight}, 1, kTickPen);
        if (!tick.half)
            p.Text(Box{tick.x + 2, 2, view.width, kRulerHeight}, tick.label, kRulerFont, kRulerText, kTextTopLeft);
    }
    p.Line(Point{0, kRulerLine}, Point{view.width, kRulerLine}, 1, kRulerEdge);
}

void PaintMarker(Painter& p, const NleClip& c, const Box& box, int laneTop) {
    int width = box.Width();
    int size = std::min(20, width / 4);
    int mid = (box.top + box.bottom) / 2;
    bool exit = IsExitTransition(c.transIn);
    if (exit)
        p.Triangle(Point{box.right, box.top}, Point{box.right, box.bottom}, Point{box.right - size, mid}, kMarker);
    else
        p.Triangle(Point{box.left, box.top}, Point{box.left, box.bottom}, Point{box.left + size, mid}, kMarker);
    if (width <= kMarkerCaptionFrom) return;
    int x = exit ? std::max(box.left + 2, box.right - kExitCaptionRoom) : box.left + size + 2;
    p.Text(Box{x, laneTop + kMarkerCaptionTop, box.right, box.bottom}, TransitionCaption(c), kMarkerFont, kMarker,
           kTextTopLeft);
}

void PaintClip(Painter& p, const NleClip& c, Box box, int laneTop, bool selected, int clientWidth) {
    if (box.right < kHeaderWidth || box.left > clientWidth) return;
    box.left = std::max(box.left, kHeaderWidth);
    box.right = std::min(box.right, clientWidth);
    if (box.right - box.left < 2) box.right = box.left + 2;
    int width = box.Width();
    p.Fill(box, selected ? Lifted(c.color) : c.color);
    p.Frame(box, selected ? 2 : 1, selected ? kSelected : kOutline);
    if (width > kHandlesFrom) {
        Colour handle = selected ? kSelected : kHandle;
        p.Fill(Box{box.left, box.top, box.left + kHandleWidth, box.bottom}, handle);
        p.Fill(Box{box.right - kHandleWidth, box.top, box.right, box.bottom}, handle);
    }
    if (width > kCaptionFrom)
        p.Text(Box{box.left + 5, box.top, box.right - 5, box.bottom}, ClipCaption(c), kCaptionFont, kWhite,
               kTextEllipsis);
    if (c.transIn[0] && width > kMarkerFrom) PaintMarker(p, c, box, laneTop);
}

void PaintLanes(Painter& p, const NleTimeline& tl, const TimelineView& view, const TimelineLanes& lanes) {
    for (int k = 0; k < lanes.count; ++k) {
        int top = LaneTop(lanes, k), bottom = top + lanes.height;
        p.Fill(Box{kHeaderWidth, top, view.width, bottom}, kLaneBack);
        int track = lanes.track[k];
        for (int i = 0; i < kNleMaxClips; ++i) {
            const NleClip& c = tl.tracks[track].clips[i];
            if (!c.inUse) continue;
            bool selected = tl.selTrack == track && tl.selClip == i;
            PaintClip(p, c, ClipBoxOf(view, lanes, k, c), top, selected, view.width);
        }
        p.Line(Point{kHeaderWidth, bottom - 1}, Point{view.width, bottom - 1}, 1, kLaneEdge);
    }
}

void PaintPlayheadAndGuide(Painter& p, NleTimeline& tl, const TimelineView& view) {
    int x = TimelineX(view, tl.playhead);
    if (InTimeArea(view, x)) {
        p.Line(Point{x, 0}, Point{x, view.height}, kPlayheadWidth, kPlayhead);
        p.Triangle(Point{x - kPlayheadHead, 0}, Point{x + kPlayheadHead, 0}, Point{x, kPlayheadHeadHeight}, kPlayhead);
    }
    if (tl.snapGuideTicks > 0 && tl.snapGuideTime >= 0) {
        int g = TimelineX(view, tl.snapGuideTime);
        if (InTimeArea(view, g)) p.Line(Point{g, kRulerHeight}, Point{g, view.height}, 1, kSnapGuide, kDashedLine);
    }
    if (tl.snapGuideTicks > 0) --tl.snapGuideTicks;
}

void PaintHeaders(Painter& p, const NleTimeline& tl, const TimelineView& view, const TimelineLanes& lanes) {
    p.Fill(Box{0, 0, kHeaderWidth, view.height}, kHeaderBack);
    for (int k = 0; k < lanes.count; ++k) {
        const NleTrack& track = tl.tracks[lanes.track[k]];
        Box cell{0, LaneTop(lanes, k), kHeaderWidth, LaneTop(lanes, k) + lanes.height};
        p.Fill(cell, track.color);
        p.Text(cell, track.name, kHeaderFont, kWhite, kTextCentred);
    }
}

}  // namespace

std::string ClipCaption(const NleClip& c) { return c.label[0] ? c.label : c.text[0] ? c.text : c.filter; }

std::string TransitionCaption(const NleClip& c) {
    if (IsExitTransition(c.transIn)) return Fmt("%s %.1fs <<", c.transIn + strlen(kExitPrefix), c.transInDur);
    return Fmt(">> %s %.1fs", c.transIn, c.transInDur);
}

void PaintTimelineRecord(NleTimeline& tl, Painter& p, int width, int height) {
    TimelineView view = ViewOf(tl, width, height);
    TimelineLanes lanes = LanesOf(tl, height);
    p.Fill(Box{0, 0, width, height}, kBackground);
    PaintRuler(p, view);
    PaintLanes(p, tl, view, lanes);
    PaintPlayheadAndGuide(p, tl, view);
    PaintHeaders(p, tl, view, lanes);
}
