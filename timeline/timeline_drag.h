// What the left button does in the timeline window: a press picks the
// playhead, a clip's body or one of its edges; moves with the button held drag
// the playhead, move the clip or trim it (its linked partner following), with
// times snapped to clip edges and the playhead; the release ends it. Works on
// the record's drag fields alone, under the caller's lock: seeking the player,
// capturing the pointer and publishing the selection are the window's.
#pragma once
#include "timeline/timeline_layout.h"
#include "timeline/timeline_model.h"

enum DragMode { kDragNone = 0, kDragMove = 1, kDragTrimLeft = 2, kDragTrimRight = 3, kDragPlayhead = 4 };

const int kDragSlop = 2;           // pixels the pointer may wander before a press becomes a drag
const double kSnapPixels = 8;      // how near an edge or the playhead a time snaps to it
const double kMinClipSeconds = 0.1;
const int kSnapGuidePaints = 5;    // paints that show where the last snap landed

// The nearest of the playhead, time 0 and the edges of every other clip that
// lies within the snap distance of `t`, or `t` itself; a snap sets the guide.
double SnapTime(NleTimeline& tl, double t);

enum PressResult {
    kPressIgnored,  // the header column
    kPressRuler,    // the playhead moved and is being dragged
    kPressClip,     // a clip is selected and held
    kPressEmpty     // the selection was cleared and the playhead moved
};
PressResult PressTimeline(NleTimeline& tl, const TimelineView& view, int x, int y);

enum DragResult {
    kDragIdle,         // nothing changed
    kDragPlayheadSet,  // the playhead moved
    kDragClipEdited    // the held clip (and its partner) moved or changed length
};
DragResult DragTimeline(NleTimeline& tl, const TimelineView& view, int x);
void EndDrag(NleTimeline& tl);
