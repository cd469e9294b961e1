#include "timeline/timeline_drag.h"
#include <algorithm>
#include <cmath>

namespace {

const double kNoSnap = 999999;
const double kSnapShown = 0.001;  // a snap closer than this is no visible move: no guide

bool IsHeld(const NleTimeline& tl, int track, int clip) { return track == tl.dragTrack && clip == tl.dragClip; }

// The held clip's partner moves with it, so its edges are no place to snap to:
// they would hold the clip back at every step of the drag.
bool IsHeldPartner(NleTimeline& tl, int track, int clip) {
    NleClip* held = ClipAt(tl, tl.dragTrack, tl.dragClip);
    return held && PartnerOf(tl, *held) && held->linkedTrack == track && held->linkedClip == clip;
}

struct Nearest {
    double t, best, chosen;
    explicit Nearest(double time) : t(time), best(kNoSnap), chosen(time) {}
    void Offer(double candidate, double distance, double threshold) {
        if (distance < threshold && distance < best) {
            best = distance;
            chosen = candidate;
        }
    }
};

void SetPlayheadFromX(NleTimeline& tl, const TimelineView& view, int x) { tl.playhead = TimelineTime(view, x); }

}  // namespace

double SnapTime(NleTimeline& tl, double t) {
    if (!tl.snap || tl.zoom <= 0) return t;
    double threshold = kSnapPixels / tl.zoom;
    Nearest n(t);
    n.Offer(tl.playhead, std::fabs(tl.playhead - t), threshold);
    n.Offer(0, t, threshold);
    for (int k = 0; k < tl.trackCount && k < kNleTrackCount; ++k)
        for (int i = 0; i < kNleMaxClips; ++i) {
            const NleClip& c = tl.tracks[k].clips[i];
            if (!c.inUse || IsHeld(tl, k, i) || IsHeldPartner(tl, k, i)) continue;
            n.Offer(c.start, std::fabs(c.start - t), threshold);
            n.Offer(c.start + c.duration, std::fabs(c.start + c.duration - t), threshold);
        }
    if (std::fabs(n.chosen - t) > kSnapShown) {
        tl.snapGuideTime = n.chosen;
        tl.snapGuideTicks = kSnapGuidePaints;
    }
    return n.chosen;
}

PressResult PressTimeline(NleTimeline& tl, const TimelineView& view, int x, int y) {
    if (y < kRulerHeight) {
        SetPlayheadFromX(tl, view, x);
        tl.dragMode = kDragPlayhead;
        return kPressRuler;
    }
    if (x < kHeaderWidth) return kPressIgnored;
    TimelineHit hit = HitTestTimeline(tl, view, x, y);
    if (hit.zone == kZoneNone) {
        tl.selTrack = tl.selClip = -1;
        SetPlayheadFromX(tl, view, x);
        return kPressEmpty;
    }
    const NleClip& c = tl.tracks[hit.track].clips[hit.clip];
    tl.selTrack = tl.dragTrack = hit.track;
    tl.selClip = tl.dragClip = hit.clip;
    tl.dragStartX = x;
    tl.dragOrigStart = c.start;
    tl.dragOrigDuration = c.duration;
    tl.dragOrigSrcIn = c.srcIn;
    tl.dragMoved = false;
    tl.dragMode = hit.zone == kZoneLeftEdge ? kDragTrimLeft : hit.zone == kZoneRightEdge ? kDragTrimRight : kDragMove;
    return kPressClip;
}

DragResult DragTimeline(NleTimeline& tl, const TimelineView& view, int x) {
    if (tl.dragMode == kDragPlayhead) {
        SetPlayheadFromX(tl, view, x);
        return kDragPlayheadSet;
    }
    NleClip* c = ClipAt(tl, tl.dragTrack, tl.dragClip);
    if (tl.dragMode < kDragMove || tl.dragMode > kDragTrimRight || !c || view.zoom <= 0) return kDragIdle;
    int dx = x - tl.dragStartX;
    if (std::abs(dx) > kDragSlop) tl.dragMoved = true;
    if (!tl.dragMoved) return kDragIdle;
    double dt = dx / view.zoom;
    NleClip* partner = PartnerOf(tl, *c);
    double origEnd = tl.dragOrigStart + tl.dragOrigDuration;

    if (tl.dragMode == kDragMove) {
        double t = SnapTime(tl, std::max(0.0, tl.dragOrigStart + dt));
        c->start = t;
        if (partner) partner->start = t;
    } else if (tl.dragMode == kDragTrimLeft) {
        double latest = origEnd - kMinClipSeconds;
        double t = SnapTime(tl, std::min(latest, std::max(0.0, tl.dragOrigStart + dt)));
        t = std::min(latest, t);  // a snap must not take the clip below its shortest
        double d = t - tl.dragOrigStart;
        for (NleClip* p : {c, partner}) {
            if (!p) continue;
            p->start = t;
            p->duration = tl.dragOrigDuration - d;
            p->srcIn = tl.dragOrigSrcIn + d;
        }
    } else {
        double end = SnapTime(tl, tl.dragOrigStart + std::max(kMinClipSeconds, tl.dragOrigDuration + dt));
        double duration = std::max(kMinClipSeconds, end - tl.dragOrigStart);
        c->duration = duration;
        if (partner) partner->duration = duration;
    }
    RecomputeViewLength(tl);
    return kDragClipEdited;
}

void EndDrag(NleTimeline& tl) {
    tl.dragMode = kDragNone;
    tl.dragMoved = false;
    tl.dragTrack = tl.dragClip = -1;
}
