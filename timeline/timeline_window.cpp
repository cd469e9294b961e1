#include "timeline/timeline_window.h"

namespace {

const int kFollowTimerId = 1;
const int kFollowIntervalMs = 200;

// Until the full drawing lands the window shows its background only.
void PaintTimeline(const FrameTarget&, Painter& painter, int width, int height) {
    painter.Fill(Box{0, 0, width, height}, Rgb(18, 18, 22));
}

void MoveOverTimeline(const FrameTarget& at, const PointerInput&) { SetFrameCursor(at.window, kCursorArrow); }

}  // namespace

const WindowKind kTimelineWindowKind = {
    "QMT_NLETimelineWnd",
    kCursorArrow,
    true,  // the cursor chosen on mouse move stays
    PaintTimeline,
    nullptr,           // press
    MoveOverTimeline,  // move
    nullptr,           // release
    nullptr,           // double-click
    nullptr,           // context menu
    nullptr,           // context command
    nullptr,           // wheel
    nullptr,           // key
    nullptr,           // timer: following the player comes with the full window
    nullptr,           // destroyed
};

intptr_t CreateTimelineWindow(intptr_t parent, int slot) {
    return CreateFrameWindow(kTimelineWindowKind, slot, parent);
}

void DestroyTimelineWindow(intptr_t window) { DestroyFrameWindow(window); }

bool TimelineWindowAlive(intptr_t window) { return FrameWindowAlive(window); }

void InvalidateTimelineWindow(intptr_t window) { InvalidateFrameWindow(window); }

void PaintTimelineWindow(intptr_t window) { PaintFrameWindowNow(window); }

bool TimelineClientSize(intptr_t window, int& width, int& height) { return FrameClientSize(window, width, height); }

void StartTimelineTimer(intptr_t window) { StartFrameTimer(window, kFollowTimerId, kFollowIntervalMs); }

void StopTimelineTimer(intptr_t window) { StopFrameTimer(window, kFollowTimerId); }
