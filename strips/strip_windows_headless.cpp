#include "platform/headless/headless_window.h"
#include "strips/strip_windows.h"

bool StripWindowAlive(intptr_t window) { return window && hwIsWindow(window); }

void InvalidateStripWindow(intptr_t window) {
    if (StripWindowAlive(window)) hwInvalidate(window);
}

// The stand-in has no timers to stop.
void DestroyStripWindow(intptr_t window, int) {
    if (StripWindowAlive(window)) hwDestroyWindow(window);
}
