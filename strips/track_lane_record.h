// A track-lane display's record from opening to closing: its lanes, the
// worker that analyses the audio lanes, and audio lanes added later.
#pragma once
#include <string>
#include "host/outcome.h"
#include "strips/strip_records.h"

struct WorkerLink;

const unsigned long kLaneDestroyWaitMs = 10000;
const unsigned long kLaneRecreateWaitMs = 5000;  // also page tear-down
const int kTrackLaneTimerId = 3;  // repaints the window to follow the player

// Creation steps without the window: V1 (linked to a filmstrip of the same
// video) and A1 (AudioFile, or the video's own sound). The slot, or -1 when full.
int OpenTrackLanes(const std::string& rectName, const std::string& videoPath, const std::string& audioPath,
                   const std::string& playerRect, WindowHandle rectWindow);
bool StartTrackLaneAnalysis(int slot);
void CloseTrackLanes(int slot, unsigned long waitMs);
// Adds the lane, or refuses when the display has all its lanes. `analyseNow`
// is set when no worker will reach the new lane, so the caller analyses it.
Outcome AddAudioLane(TrackLaneRecord& display, const std::string& audioPath, const std::string& label,
                     const std::string& colour, int& laneIndex, bool& analyseNow);
// Analyses lane `lane` on the calling thread.
void AnalyseLaneNow(int slot, int lane);
// "orange", "purple", "yellow", "pink" (case ignored), anything else orange.
Colour LaneColour(const std::string& name);
// First filmstrip in use whose video path is exactly `videoPath`, -1 when none.
int LinkedFilmstrip(const std::string& videoPath);
// The raw sound file display `slot` decodes lane `lane` into.
std::string LaneRawPath(int slot, int lane);
void TrackLaneAnalysisThread(WorkerLink& link);
