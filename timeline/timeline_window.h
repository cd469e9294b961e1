// The timeline's own child window inside its Rectangle, a kind of the window
// frame bound to the timeline's table slot. Painting and mouse editing live
// in its handlers.
#pragma once
#include <cstdint>
#include "host/window_frame.h"

extern const WindowKind kTimelineWindowKind;

// A visible child over the parent's whole client area, bound to the slot;
// kNoWindow on failure.
WindowHandle CreateTimelineWindow(WindowHandle parent, int slot);
void DestroyTimelineWindow(WindowHandle window);
bool TimelineWindowAlive(WindowHandle window);
// Marks the window for a later paint, without erasing.
void InvalidateTimelineWindow(WindowHandle window);
// Paints at once.
void PaintTimelineWindow(WindowHandle window);
bool TimelineClientSize(WindowHandle window, int& width, int& height);
// The 200 ms timer (id 1) that follows the linked player.
void StartTimelineTimer(WindowHandle window);
void StopTimelineTimer(WindowHandle window);
