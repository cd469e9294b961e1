// The strips' windows as their records and workers see them: a handle to
// check, invalidate and destroy. What the windows draw and how they take
// input belongs to the window kinds built on the window framework.
#pragma once
#include <cstdint>

bool StripWindowAlive(intptr_t window);
// Marks the window for a later paint, without erasing; any thread may call it.
void InvalidateStripWindow(intptr_t window);
// Stops the window's timer `timerId` and destroys it; 0 does nothing.
void DestroyStripWindow(intptr_t window, int timerId);
