// The track-lane display's own child window inside its Rectangle, a kind of
// the window frame bound to the display's table slot: lanes stacked with
// their headers, the audio lanes' peaks, V1's thumbnails borrowed from a
// filmstrip of the same video, and the player's playhead across them all; a
// click seeks the player.
#pragma once
#include <cstdint>
#include "host/window_frame.h"

extern const WindowKind kTrackLaneWindowKind;

const int kTrackLaneFollowMs = 100;

// A visible child over the Rectangle's client area, bound to the slot, with
// its follow timer running; kNoWindow on failure.
WindowHandle CreateTrackLaneWindow(WindowHandle rectWindow, int slot);
