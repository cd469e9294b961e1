#include "strips/strip_record_actions.h"
#include <cstdlib>
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "host/window_frame.h"
#include "strips/filmstrip_geometry.h"
#include "strips/filmstrip_record.h"
#include "strips/overlay_box.h"
#include "strips/overlay_record.h"
#include "strips/track_lane_record.h"
#include "strips/waveform_record.h"

void FrameStripDestroyAction(const ActionArgs& a) {
    int slot = FindFrameStrip(a.text(0));
    if (slot < 0) return;
    CloseFrameStrip(slot, kStripDestroyWaitMs);
    ReportStatusWord(msg::kStripDestroyed);
}

void FrameStripAddMarkerAction(const ActionArgs& a) {
    FrameStripRecord* strip = FrameStripAt(FindFrameStrip(a.text(0)));
    if (!strip) {
        ReportError(msg::kNoStrip);
        return;
    }
    Outcome added = AddMarker(*strip, a.text(1), a.text(2), a.text(3));
    if (!added.ok) return ReportFailure(added);
    InvalidateFrameWindow(strip->stripWindow);
}

void FrameStripClearMarkersAction(const ActionArgs& a) {
    FrameStripRecord* strip = FrameStripAt(FindFrameStrip(a.text(0)));
    if (!strip) return;
    ClearMarkers(*strip);
    InvalidateFrameWindow(strip->stripWindow);
}

void FrameStripZoomAction(const ActionArgs& a) {
    FrameStripRecord* strip = FrameStripAt(FindFrameStrip(a.text(0)));
    if (!strip) return;
    int level = ParseZoomLevel(a.text(1));
    SetZoom(*strip, level);
    InvalidateFrameWindow(strip->stripWindow);
    SetHostVar("[QMT_ZoomLevel]", Fmt("%d", level));
}

void WaveformDestroyAction(const ActionArgs& a) {
    int slot = FindWaveform(a.text(0));
    if (slot >= 0) CloseWaveform(slot, kWaveformDestroyWaitMs);
}

void TrackLaneAddAudioAction(const ActionArgs& a) {
    int slot = FindTrackLane(a.text(0));
    TrackLaneRecord* display = TrackLaneAt(slot);
    if (!display) {
        ReportError(msg::kNoTrackLane);
        return;
    }
    int lane = -1;
    bool analyseNow = false;
    Outcome added = AddAudioLane(*display, a.text(1), a.text(2), a.text(3), lane, analyseNow);
    if (!added.ok) return ReportFailure(added);
    if (analyseNow) {
        AnalyseLaneNow(slot, lane);
        InvalidateFrameWindow(display->laneWindow);
    }
}

void TrackLaneDestroyAction(const ActionArgs& a) {
    int slot = FindTrackLane(a.text(0));
    if (slot >= 0) CloseTrackLanes(slot, kLaneDestroyWaitMs);
}

void OverlayDestroyAction(const ActionArgs& a) { CloseOverlay(FindOverlay(a.text(0))); }

void OverlayGetPosAction(const ActionArgs& a) {
    OverlayRecord* o = OverlayAt(FindOverlay(a.text(0)));
    if (!o) return;
    int box[4];
    {
        plat::LockHold held(o->lock);
        box[0] = o->x, box[1] = o->y, box[2] = o->w, box[3] = o->h;
    }
    for (int i = 0; i < 4; ++i) SetHostVar(a.text(i + 1), Fmt("%d", box[i]));
}

void OverlayUpdateAction(const ActionArgs& a) {
    OverlayRecord* o = OverlayAt(FindOverlay(a.text(0)));
    if (!o) return;
    UpdateOverlay(*o, a.text(1), a.text(2));
    InvalidateFrameWindow(o->overlayWindow);
}

void OverlayLockAction(const ActionArgs& a) {
    OverlayRecord* o = OverlayAt(FindOverlay(a.text(0)));
    if (!o) return;
    bool locked = atoi(a.raw(1)) != 0;
    {
        plat::LockHold held(o->lock);
        o->locked = locked;
    }
    InvalidateFrameWindow(o->overlayWindow);
    ReportStatusWord(locked ? msg::kOverlayLocked : msg::kOverlayUnlocked);
}
