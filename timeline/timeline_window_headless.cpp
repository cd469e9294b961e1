#include "timeline/timeline_window.h"
#include "platform/headless/headless_window.h"

namespace {
const char kClassName[] = "QMT_NLETimelineWnd";
}

intptr_t CreateTimelineWindow(intptr_t parent) {
    int width = 0, height = 0;
    if (!hwIsWindow(parent) || !hwGetClientSize(parent, &width, &height)) return 0;
    return hwCreateWindow(parent, kClassName, 0, 0, width, height);
}

void DestroyTimelineWindow(intptr_t window) {
    if (window && hwIsWindow(window)) hwDestroyWindow(window);
}

bool TimelineWindowAlive(intptr_t window) { return window && hwIsWindow(window); }

void InvalidateTimelineWindow(intptr_t window) {
    if (TimelineWindowAlive(window)) hwInvalidate(window);
}

// Natively there is nothing to draw on; a paint counts as an invalidation so
// tests can see that it happened.
void PaintTimelineWindow(intptr_t window) { InvalidateTimelineWindow(window); }

bool TimelineClientSize(intptr_t window, int& width, int& height) {
    width = height = 0;
    return TimelineWindowAlive(window) && hwGetClientSize(window, &width, &height);
}

// The stand-in has no timers; the player is followed only on Windows.
void StartTimelineTimer(intptr_t) {}
void StopTimelineTimer(intptr_t) {}
