#include "timeline/timeline_layout.h"
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const double kWheelZoomStep = 1.3;
const int kMinScrollStep = 30, kMaxScrollStep = 400;
// The scroll stops this many pixels before the end of the shown extent.
const int kScrollTail = 100;

}  // namespace

TimelineView ViewOf(const NleTimeline& tl, int width, int height) {
    return TimelineView{width, height, tl.zoom, tl.scrollX};
}

TimeAxis AxisOf(const TimelineView& view) {
    return TimeAxis{view.zoom, static_cast<double>(view.scrollX), kHeaderWidth};
}

int TimelineX(const TimelineView& view, double seconds) { return TimeToX(AxisOf(view), seconds); }

double TimelineTime(const TimelineView& view, int x) { return XToTime(AxisOf(view), x); }

bool InTimeArea(const TimelineView& view, int x) { return x >= kHeaderWidth && x <= view.width; }

TimelineLanes LanesOf(const NleTimeline& tl, int clientHeight) {
    TimelineLanes lanes = {};
    for (int i = 0; i < tl.trackCount && i < kNleTrackCount; ++i)
        if (tl.tracks[i].inUse && tl.tracks[i].visible) lanes.track[lanes.count++] = i;
    lanes.height = BandHeight(clientHeight, kRulerHeight, lanes.count, kMinLaneHeight);
    return lanes;
}

int LaneTop(const TimelineLanes& lanes, int k) { return kRulerHeight + k * lanes.height; }

Box ClipBoxOf(const TimelineView& view, const TimelineLanes& lanes, int lane, const NleClip& clip) {
    int top = LaneTop(lanes, lane);
    return Box{TimelineX(view, clip.start), top + kClipInset, TimelineX(view, clip.start + clip.duration),
               top + lanes.height - kClipInset};
}

TimelineHit HitTestTimeline(const NleTimeline& tl, const TimelineView& view, int x, int y) {
    TimelineHit none = {kZoneNone, -1, -1};
    TimelineLanes lanes = LanesOf(tl, view.height);
    int lane = BandAt(view.height, kRulerHeight, lanes.count, kMinLaneHeight, y);
    if (lane < 0) return none;
    const NleTrack& track = tl.tracks[lanes.track[lane]];
    for (int i = 0; i < kNleMaxClips; ++i) {
        const NleClip& c = track.clips[i];
        if (!c.inUse) continue;
        Box box = ClipBoxOf(view, lanes, lane, c);
        SpanHit hit = HitSpan(x, box.left, box.right, kClipGrip);
        if (hit != kMissSpan) return TimelineHit{static_cast<ClipZone>(hit), lanes.track[lane], i};
    }
    return none;
}

int HeaderTrackAt(const NleTimeline& tl, int clientHeight, int y) {
    if (tl.trackCount <= 0 || y < kRulerHeight) return -1;
    int row = (clientHeight - kRulerHeight) / tl.trackCount;
    if (row <= 0) return -1;
    int k = (y - kRulerHeight) / row;
    return k < tl.trackCount ? k : -1;
}

double RulerInterval(double zoom) {
    double secondsPerPixel = zoom > 0 ? 1.0 / zoom : 1.0;
    if (secondsPerPixel > 0.5) return 30;
    if (secondsPerPixel > 0.1) return 10;
    if (secondsPerPixel > 0.05) return 5;
    if (secondsPerPixel > 0.01) return 1;
    return 0.5;
}

std::string RulerLabel(double seconds) {
    int whole = static_cast<int>(seconds);
    char text[32];
    snprintf(text, sizeof text, "%d:%02d", whole / 60, whole % 60);
    return text;
}

std::vector<RulerTick> RulerTicks(const TimelineView& view) {
    std::vector<RulerTick> ticks;
    if (view.zoom <= 0) return ticks;
    double interval = RulerInterval(view.zoom);
    double first = std::floor(std::max(0.0, view.scrollX / view.zoom) / interval) * interval;
    double last = (view.width - kHeaderWidth + view.scrollX) / view.zoom;
    for (int i = 0; first + i * interval <= last; ++i) {
        double t = first + i * interval;
        int x = TimelineX(view, t);
        if (InTimeArea(view, x)) ticks.push_back(RulerTick{x, false, RulerLabel(t)});
        if (interval >= 2) {
            int half = TimelineX(view, t + interval / 2);
            if (InTimeArea(view, half)) ticks.push_back(RulerTick{half, true, std::string()});
        }
    }
    return ticks;
}

void WheelZoom(TimelineView& view, int delta) {
    double old = view.zoom;
    double zoom = ClampZoom(delta > 0 ? old * kWheelZoomStep : old / kWheelZoomStep);
    int centre = view.width / 2 - kHeaderWidth;
    int scroll = static_cast<int>((centre + view.scrollX) / old * zoom - centre);
    view.zoom = zoom;
    view.scrollX = std::max(0, scroll);
}

void WheelScroll(TimelineView& view, double viewLength, int delta) {
    int step = static_cast<int>(200 / view.zoom * 30);
    step = std::min(kMaxScrollStep, std::max(kMinScrollStep, step));
    int scroll = view.scrollX + (delta > 0 ? -step : step);
    int end = std::max(0, static_cast<int>(view.zoom * viewLength) - kScrollTail);
    view.scrollX = std::min(end, std::max(0, scroll));
}

int FollowScroll(const TimelineView& view, double playhead) {
    int span = view.width - kHeaderWidth;
    int margin = span / 5;
    int x = TimelineX(view, playhead);
    if (x > view.width - margin || (x < margin + kHeaderWidth && view.scrollX > 0))
        return std::max(0, static_cast<int>(playhead * view.zoom) - span / 2);
    return view.scrollX;
}
