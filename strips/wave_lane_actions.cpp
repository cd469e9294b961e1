#include "strips/wave_lane_actions.h"
#include "host/report.h"
#include "playback/rectangle_lookup.h"
#include "strips/track_lane_record.h"
#include "strips/track_lane_window.h"
#include "strips/waveform_record.h"
#include "strips/waveform_window.h"

void WaveformCreateAction(const ActionArgs& a) {
    std::string name = a.text(0);
    // A waveform of the same name goes first, even when its Rectangle has gone.
    int existing = FindWaveform(name);
    if (existing >= 0) CloseWaveform(existing, kWaveformRecreateWaitMs);
    intptr_t rect = FindRectangleWindow(name);
    if (!rect) {
        ReportError("Rectangle not found.");
        return;
    }
    int slot = OpenWaveform(name, a.text(1), a.text(2), rect);
    if (slot < 0) {
        ReportError(kWaveformsFull);
        return;
    }
    WaveformAt(slot)->waveWindow = CreateWaveformWindow(rect, slot);
    StartWaveformAnalysis(slot);
    ReportStatusWord("Waveform created");
}

void TrackLaneCreateAction(const ActionArgs& a) {
    std::string name = a.text(0);
    int existing = FindTrackLane(name);
    if (existing >= 0) CloseTrackLanes(existing, kLaneRecreateWaitMs);
    intptr_t rect = FindRectangleWindow(name);
    if (!rect) {
        ReportError("Rectangle not found.");
        return;
    }
    int slot = OpenTrackLanes(name, a.text(1), a.text(2), a.text(3), rect);
    if (slot < 0) {
        ReportError(kTrackLanesFull);
        return;
    }
    TrackLaneAt(slot)->laneWindow = CreateTrackLaneWindow(rect, slot);
    StartTrackLaneAnalysis(slot);
    ReportStatusWord("Track lanes created");
}
