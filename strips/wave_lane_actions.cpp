#include "strips/wave_lane_actions.h"
#include "host/messages.h"
#include "host/report.h"
#include "playback/rectangle_lookup.h"
#include "strips/track_lane_record.h"
#include "strips/track_lane_window.h"
#include "strips/waveform_record.h"
#include "strips/waveform_window.h"

namespace {

// What both creates do first: a display of the same name is closed, even
// when its Rectangle has gone; then the Rectangle is looked up. kNoWindow
// (reported) when the host does not know it.
WindowHandle RectangleAfterClosing(const std::string& name, int existing, void (*close)(int, unsigned long),
                                   unsigned long waitMs) {
    if (existing >= 0) close(existing, waitMs);
    WindowHandle rect = FindRectangleWindow(name);
    if (!rect) ReportError(msg::kNoRectangle);
    return rect;
}

}  // namespace

void WaveformCreateAction(const ActionArgs& a) {
    std::string name = a.text(0);
    WindowHandle rect = RectangleAfterClosing(name, FindWaveform(name), CloseWaveform, kWaveformRecreateWaitMs);
    if (!rect) return;
    int slot = OpenWaveform(name, a.text(1), a.text(2), rect);
    if (slot < 0) return ReportError(msg::kWaveformsFull);
    WaveformAt(slot)->waveWindow = CreateWaveformWindow(rect, slot);
    StartWaveformAnalysis(slot);
    ReportStatusWord(msg::kWaveformCreated);
}

void TrackLaneCreateAction(const ActionArgs& a) {
    std::string name = a.text(0);
    WindowHandle rect = RectangleAfterClosing(name, FindTrackLane(name), CloseTrackLanes, kLaneRecreateWaitMs);
    if (!rect) return;
    int slot = OpenTrackLanes(name, a.text(1), a.text(2), a.text(3), rect);
    if (slot < 0) return ReportError(msg::kTrackLanesFull);
    TrackLaneAt(slot)->laneWindow = CreateTrackLaneWindow(rect, slot);
    StartTrackLaneAnalysis(slot);
    ReportStatusWord(msg::kTrackLanesCreated);
}
