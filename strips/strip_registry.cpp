// Page tear-down and unload close every strip that is open. The strips'
// actions are registered with their windows, which the create actions need.
#include "host/dispatch.h"
#include "host/teardown.h"
#include "strips/filmstrip_record.h"
#include "strips/filmstrip_window.h"
#include "strips/overlay_actions.h"
#include "strips/overlay_record.h"
#include "strips/split_actions.h"
#include "strips/split_pick_actions.h"
#include "strips/strip_record_actions.h"
#include "strips/track_lane_record.h"
#include "strips/wave_lane_actions.h"
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

void RegisterStripActions() {
    RegisterAction(141, FrameStripCreateAction);
    RegisterAction(142, FrameStripDestroyAction);
    RegisterAction(143, FrameStripAddMarkerAction);
    RegisterAction(144, FrameStripClearMarkersAction);
    RegisterAction(145, WaveformCreateAction);
    RegisterAction(146, WaveformDestroyAction);
    RegisterAction(147, FrameStripZoomAction);
    RegisterAction(148, TrackLaneCreateAction);
    RegisterAction(149, TrackLaneAddAudioAction);
    RegisterAction(150, TrackLaneDestroyAction);
    RegisterAction(151, OverlayPreviewTextAction);
    RegisterAction(152, OverlayPreviewImageAction);
    RegisterAction(153, OverlayDestroyAction);
    RegisterAction(154, OverlayGetPosAction);
    RegisterAction(155, OverlayUpdateAction);
    RegisterAction(156, OverlayLockAction);
    RegisterAction(181, SplitAddAction);
    RegisterAction(182, SplitRemoveAction);
    RegisterAction(183, SplitClearAction);
    RegisterAction(184, SplitListAction);
    RegisterAction(185, SplitSetTransitionAction);
    RegisterAction(186, SplitGetSelectedAction);
    RegisterAction(187, SplitGetCountAction);
    RegisterAction(188, SplitRenderAction);
    RegisterAction(189, SplitPickTransitionAction);
    RegisterAction(190, SplitInsertClipAction);
    RegisterAction(191, SplitSetTransitionOutAction);
    RegisterAction(192, SplitPickTransitionOutAction);
}
