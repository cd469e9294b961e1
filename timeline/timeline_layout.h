// Where things are in the timeline window: the ruler band, the header column,
// the lanes of the shown tracks, each clip's span, what the pointer is over,
// the ruler's ticks, and the view arithmetic of scrolling, zooming and
// following the playhead. Plain numbers and the timeline record only: no
// windows, locks or host calls.
#pragma once
#include <string>
#include <vector>
#include "host/painter.h"
#include "host/window_layout.h"
#include "timeline/timeline_model.h"

const int kRulerHeight = 24;
const int kHeaderWidth = 32;
const int kMinLaneHeight = 20;
const int kClipGrip = 6;   // pixels at each end of a clip that trim it
const int kClipInset = 2;  // a clip leaves this much of its lane free above and below

// The client size and the record's zoom and scroll, as one paint or one
// pointer event sees them.
struct TimelineView {
    int width, height;
    double zoom;
    int scrollX;
};
TimelineView ViewOf(const NleTimeline& tl, int width, int height);
TimeAxis AxisOf(const TimelineView& view);
int TimelineX(const TimelineView& view, double seconds);
double TimelineTime(const TimelineView& view, int x);  // never below 0
// Within the drawn area right of the header column.
bool InTimeArea(const TimelineView& view, int x);

// The tracks that get a lane (in use and visible), in display order.
struct TimelineLanes {
    int count;
    int track[kNleTrackCount];
    int height;  // of each lane
};
TimelineLanes LanesOf(const NleTimeline& tl, int clientHeight);
int LaneTop(const TimelineLanes& lanes, int k);
// The clip's pixels: x1 to x2 as the time axis gives them, the lane less the inset.
Box ClipBoxOf(const TimelineView& view, const TimelineLanes& lanes, int lane, const NleClip& clip);

enum ClipZone { kZoneNone = 0, kZoneBody = 1, kZoneLeftEdge = 2, kZoneRightEdge = 3 };
struct TimelineHit {
    ClipZone zone;
    int track, clip;  // -1 when nothing is hit
};
// The first clip slot in use, in the lane under the pointer, whose span holds x.
TimelineHit HitTestTimeline(const NleTimeline& tl, const TimelineView& view, int x, int y);
// The track a double-click on the header column names: rows of equal height
// for every track of the record; -1 outside them.
int HeaderTrackAt(const NleTimeline& tl, int clientHeight, int y);

// ---- the ruler ----------------------------------------------------------------
// Seconds between labelled ticks at this zoom.
double RulerInterval(double zoom);
// "m:ss" of whole minutes and seconds.
std::string RulerLabel(double seconds);
struct RulerTick {
    int x;
    bool half;          // the unlabelled tick half an interval after a labelled one
    std::string label;  // empty on a half tick
};
std::vector<RulerTick> RulerTicks(const TimelineView& view);

// ---- scrolling, zooming, following ---------------------------------------------
// Ctrl+wheel: zoom in or out by 1.3 within the limits, keeping the time under
// the window's horizontal centre where it is.
void WheelZoom(TimelineView& view, int delta);
// The wheel alone: scrolls by a step that depends on the zoom, within the
// extent the timeline shows.
void WheelScroll(TimelineView& view, double viewLength, int delta);
// The scroll that keeps the playhead in sight while it runs: the same scroll
// while it is well inside, else the playhead half way across.
int FollowScroll(const TimelineView& view, double playhead);
