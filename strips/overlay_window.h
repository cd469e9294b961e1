// The overlay preview's window: a see-through pop-up over the Rectangle that
// shows the text or picture in its box, lets the mouse drag it and the wheel
// resize it, and follows the Rectangle on screen.
#pragma once
#include <cstdint>
#include "host/window_frame.h"

extern const WindowKind kOverlayWindowKind;  // "QMT_OverlayPreviewWnd"

// Every pixel of this colour is see-through.
const Colour kOverlaySeeThrough = 0x010101;
const int kOverlayFollowTimerId = 2;
const int kOverlayFollowMs = 100;

// The pop-up of `slot` over its Rectangle with its follow timer running;
// kNoWindow when it cannot be made.
WindowHandle OpenOverlayWindow(int slot);
// Measures the overlay's text in its font and fits the box around it.
void MeasureOverlayText(int slot);
