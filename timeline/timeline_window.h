// The timeline's own child window inside its Rectangle, a kind of the window
// frame bound to the timeline's table slot. Painting and mouse editing live
// in its handlers.
#pragma once
#include <cstdint>
#include "host/window_frame.h"

extern const WindowKind kTimelineWindowKind;

// A visible child over the parent's whole client area, bound to the slot; 0
// on failure.
intptr_t CreateTimelineWindow(intptr_t parent, int slot);
void DestroyTimelineWindow(intptr_t window);
bool TimelineWindowAlive(intptr_t window);
// Marks the window for a later paint, without erasing.
void InvalidateTimelineWindow(intptr_t window);
// Paints at once.
void PaintTimelineWindow(intptr_t window);
bool TimelineClientSize(intptr_t window, int& width, int& height);
// The 200 ms timer (id 1) that follows the linked player.
void StartTimelineTimer(intptr_t window);
void StopTimelineTimer(intptr_t window);
