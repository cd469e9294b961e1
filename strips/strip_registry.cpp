// Page tear-down and unload close every strip that is open. The strips'
// actions are registered with their windows, which the create actions need.
#include "host/dispatch.h"
#include "host/teardown.h"
#include "strips/filmstrip_record.h"
#include "strips/overlay_record.h"
#include "strips/split_pick_actions.h"
#include "strips/track_lane_record.h"
#include "strips/waveform_record.h"

void CloseAllFrameStrips() {
    for (int i = 0; i < kMaxFrameStrips; ++i) CloseFrameStrip(i, kStripRecreateWaitMs);
}

void CloseAllWaveforms() {
    for (int i = 0; i < kMaxWaveforms; ++i) CloseWaveform(i, kWaveformRecreateWaitMs);
}

void CloseAllTrackLanes() {
    for (int i = 0; i < kMaxTrackLanes; ++i) CloseTrackLanes(i, kLaneRecreateWaitMs);
}

void CloseAllOverlays() {
    for (int i = 0; i < kMaxOverlays; ++i) CloseOverlay(i);
}

void ShutdownGdiPlus() {}
void RegisterStripActions() {
    RegisterAction(189, SplitPickTransitionAction);
    RegisterAction(192, SplitPickTransitionOutAction);
}
