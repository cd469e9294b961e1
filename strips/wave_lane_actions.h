// The create actions of the waveform and the track lanes: each opens its
// record, makes its window inside the Rectangle and starts the analysis.
#pragma once
#include "host/dispatch.h"

void WaveformCreateAction(const ActionArgs& a);   // 145 WaveRect, VideoFile, PlayerRect
void TrackLaneCreateAction(const ActionArgs& a);  // 148 TrackRect, VideoFile, AudioFile, PlayerRect
