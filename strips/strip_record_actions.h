// The strip actions that work on an existing record alone. Each handler is
// complete; they are registered under their ids together with the create
// actions, which need the strips' windows.
#pragma once
#include "host/dispatch.h"

void FrameStripDestroyAction(const ActionArgs& a);       // 142 FSRect
void FrameStripAddMarkerAction(const ActionArgs& a);     // 143 FSRect, Time, Label, Color
void FrameStripClearMarkersAction(const ActionArgs& a);  // 144 FSRect
void FrameStripZoomAction(const ActionArgs& a);          // 147 FSRect, Level
void WaveformDestroyAction(const ActionArgs& a);         // 146 WaveRect
void TrackLaneAddAudioAction(const ActionArgs& a);       // 149 TrackRect, AudioFile, Label, Color
void TrackLaneDestroyAction(const ActionArgs& a);        // 150 TrackRect
void OverlayDestroyAction(const ActionArgs& a);          // 153 PlayerRect
void OverlayGetPosAction(const ActionArgs& a);           // 154 PlayerRect, X_var, Y_var, W_var, H_var
void OverlayUpdateAction(const ActionArgs& a);           // 155 PlayerRect, Text, FontSize
void OverlayLockAction(const ActionArgs& a);             // 156 PlayerRect, Locked
