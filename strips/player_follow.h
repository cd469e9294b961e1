// What the windows that follow a player share (filmstrip, waveform, track
// lanes; the timeline seeks through it too): where the player's playhead is,
// seeking it, and the timer that repaints them so the playhead moves.
#pragma once
#include <string>
#include "host/window_frame.h"

// The player's position in ms; false when no player plays in that Rectangle.
bool FollowedPosition(const std::string& playerRect, double& positionMs);
// Seeks the player in that Rectangle, when there is one; playback is not started.
void SeekFollowed(const std::string& playerRect, int positionMs);
// The follow timer's handler: the paint reads the playhead afresh.
void RepaintOnTick(const FrameTarget& at, int timerId);
