#include "strips/track_lane_window.h"
#include "platform/platform.h"
#include "strips/player_follow.h"
#include "strips/strip_records.h"
#include "strips/track_lane_record.h"
#include "strips/wave_geometry.h"

namespace {

const FontSpec kLabelFont = {"Segoe UI", 10, true};
const FontSpec kLaneStateFont = {"Segoe UI", 10, false};
const Colour kStateColour = Rgb(80, 80, 90);

TrackLaneRecord* BoundLane(const FrameTarget& at) {
    return OwningRecord(TrackLaneAt(at.slot), &TrackLaneRecord::laneWindow, at);
}

double Duration(TrackLaneRecord& d) {
    plat::LockHold held(d.lock);
    return d.duration;
}

void PaintPeaks(const LaneRecord& lane, const Box& body, int top, int laneHeight, Painter& p, int w) {
    if (lane.peakCount == 0) {
        p.Text(body, lane.noSound ? "No audio" : "Analyzing...", kLaneStateFont, kStateColour, kTextCentred);
        return;
    }
    int centre = top + laneHeight / 2;
    int scale = laneHeight / 2 - 2;
    for (int x = 0; x <= w - kLaneHeaderWidth - 1; ++x) {
        int a = PeakAmplitude(lane.peaks[ColumnPeakIndex(x, w - kLaneHeaderWidth, lane.peakCount)], scale);
        p.Line(Point{x + kLaneHeaderWidth, centre - a}, Point{x + kLaneHeaderWidth, centre + a}, 1, lane.colour);
    }
}

// V1's thumbnails come from the filmstrip of the same video, read under that
// strip's lock since its worker may be storing new ones meanwhile.
bool PaintThumbnails(const LaneRecord& lane, int top, int laneHeight, Painter& p, int w) {
    FrameStripRecord* strip = FrameStripAt(lane.linkedStrip);
    if (!strip || !strip->inUse) return false;
    plat::LockHold held(strip->lock);
    int frames = strip->framesReady;
    if (frames < 1) return false;
    int thumbWidth = LaneThumbWidth(laneHeight);
    int cells = LaneThumbCells(w, thumbWidth);
    for (int i = 0; i < cells && i < frames; ++i) {
        int frame = LaneThumbFrame(i, cells, frames);
        if (frame >= kMaxThumbnails || !strip->thumbnails[frame]) continue;
        int x = kLaneHeaderWidth + i * (thumbWidth + 1);
        p.Bitmap(Box{x, top + 1, x + thumbWidth, top + laneHeight - 1}, strip->thumbnails[frame], kBitmapStretch);
    }
    return true;
}

void PaintLane(const LaneRecord& lane, int k, int laneHeight, Painter& p, int w) {
    int top = k * laneHeight, bottom = (k + 1) * laneHeight;
    Box body = {kLaneHeaderWidth, top + 1, w, bottom - 1};
    p.Fill(body, Rgb(22, 22, 28));
    p.Fill(Box{0, top, kLaneHeaderWidth, bottom}, lane.colour);
    p.Text(Box{2, top + 2, kLaneHeaderWidth - 2, bottom}, lane.label, kLabelFont, Rgb(255, 255, 255), kTextCentred);
    if (lane.kind == kLaneAudio) PaintPeaks(lane, body, top, laneHeight, p, w);
    else if (!PaintThumbnails(lane, top, laneHeight, p, w))
        p.Text(body, "No video", kLaneStateFont, kStateColour, kTextCentred);
    p.Line(Point{0, bottom - 1}, Point{w, bottom - 1}, 1, Rgb(50, 50, 60));
}

void PaintTrackLanes(const FrameTarget& at, Painter& p, int w, int h) {
    TrackLaneRecord* d = BoundLane(at);
    if (!d) return;
    p.Fill(Box{0, 0, w, h}, Rgb(18, 18, 22));
    double duration = 0;
    {
        plat::LockHold held(d->lock);
        duration = d->duration;
        int laneHeight = LaneHeight(h, d->laneCount);
        for (int k = 0; k < d->laneCount && k < kMaxLanes; ++k)
            if (d->lanes[k].inUse) PaintLane(d->lanes[k], k, laneHeight, p, w);
    }
    double ms = 0;
    if (!FollowedPosition(d->playerRectName, ms) || !(duration > 0)) return;
    int x = LanePlayheadX(ms, duration, w);
    p.Line(Point{x, 0}, Point{x, h}, 2, Rgb(255, 50, 50));
}

void PressTrackLanes(const FrameTarget& at, const PointerInput& in) {
    TrackLaneRecord* d = BoundLane(at);
    if (!d) return;
    double duration = Duration(*d);
    int w = 0, h = 0;
    if (!(duration > 0) || !FrameClientSize(at.window, w, h)) return;
    SeekFollowed(d->playerRectName, LaneClickSeekMs(in.x, w, duration));
}

}  // namespace

// Only painting, the left button and the follow timer are handled; the frame
// stops the timer when the window is destroyed.
const WindowKind kTrackLaneWindowKind = {
    "QMT_TrackLaneWnd", kCursorArrow, false, PaintTrackLanes, PressTrackLanes,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // move to key
    RepaintOnTick, nullptr,                                         // timer, destroyed
};

WindowHandle CreateTrackLaneWindow(WindowHandle rectWindow, int slot) {
    WindowHandle window = CreateFrameWindow(kTrackLaneWindowKind, slot, rectWindow);
    StartFrameTimer(window, kTrackLaneTimerId, kTrackLaneFollowMs);
    return window;
}
