// The waveform's own child window inside its Rectangle, a kind of the window
// frame bound to the waveform's table slot: it draws the peaks, the centre
// line, the player's playhead, a time ruler and the page's trim marks, and a
// click seeks the player.
#pragma once
#include <cstdint>
#include "host/window_frame.h"

extern const WindowKind kWaveformWindowKind;

const int kWaveformFollowMs = 100;

// A visible child over the Rectangle's client area, bound to the slot, with
// its follow timer running; kNoWindow on failure.
WindowHandle CreateWaveformWindow(WindowHandle rectWindow, int slot);
