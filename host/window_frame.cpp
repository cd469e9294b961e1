// The binding of embedded windows to their (kind, slot) and the routing of
// input to the kind's handlers; the platform halves turn their messages into
// FrameInput and call RouteFrameInput.
#include "host/window_frame.h"

namespace {

// Every embedded window the plug-in can have at once (4 strips, 4 waveforms,
// 2 lane displays, 2 overlays, 2 timelines) with room to spare.
const int kMaxBindings = 32;
FrameBinding g_bindings[kMaxBindings];

}  // namespace

bool BindFrameWindow(WindowHandle window, const WindowKind& kind, int slot) {
    if (!window) return false;
    for (FrameBinding& b : g_bindings)
        if (!b.window) {
            b = FrameBinding{window, &kind, slot};
            return true;
        }
    return false;
}

const FrameBinding* FindFrameBinding(WindowHandle window) {
    if (!window) return nullptr;
    for (const FrameBinding& b : g_bindings)
        if (b.window == window) return &b;
    return nullptr;
}

void UnbindFrameWindow(WindowHandle window) {
    for (FrameBinding& b : g_bindings)
        if (window != kNoWindow && b.window == window) b = FrameBinding{kNoWindow, nullptr, -1};
}

void UnbindAllFrameWindows() {
    for (FrameBinding& b : g_bindings) b = FrameBinding{kNoWindow, nullptr, -1};
}

int FrameSlotOf(WindowHandle window, const WindowKind& kind) {
    const FrameBinding* b = FindFrameBinding(window);
    return b && b->kind == &kind ? b->slot : -1;
}

int BoundFrameWindowCount() {
    int count = 0;
    for (const FrameBinding& b : g_bindings) count += b.window != kNoWindow ? 1 : 0;
    return count;
}

bool RouteFrameInput(WindowHandle window, const FrameInput& in) {
    const FrameBinding* found = FindFrameBinding(window);
    if (!found) return false;
    // A handler may destroy windows, this one included, so work on a copy.
    const WindowKind& kind = *found->kind;
    const FrameTarget slot{window, found->slot};
    switch (in.type) {
    case kInputPress:
        if (!kind.press) return false;
        kind.press(slot, in.pointer);
        return true;
    case kInputMove:
        if (!kind.move) return false;
        kind.move(slot, in.pointer);
        return true;
    case kInputRelease:
    case kInputCaptureLost:
        if (!kind.release) return false;
        kind.release(slot, in.pointer);
        return true;
    case kInputDoubleClick:
        // Windows sends the second press of a quick double click as this
        // message only: without it a drag begun right after a click is lost.
        if (kind.doubleClick) kind.doubleClick(slot, in.pointer);
        else if (kind.press) kind.press(slot, in.pointer);
        else return false;
        return true;
    case kInputRightPress: {
        if (!kind.contextMenu) return false;
        std::vector<MenuItem> menu;
        kind.contextMenu(slot, in.pointer, menu);
        if (menu.empty()) return true;
        int command = TrackFrameMenu(window, in.pointer.x, in.pointer.y, menu);
        if (command && kind.contextCommand) kind.contextCommand(slot, command);
        return true;
    }
    case kInputWheel:
        if (!kind.wheel) return false;
        kind.wheel(slot, WheelInput{in.pointer.x, in.pointer.y, in.wheelDelta, in.pointer.ctrl, in.pointer.shift});
        return true;
    case kInputKey:
        if (!kind.key) return false;
        kind.key(slot, in.key);
        return true;
    case kInputTimer:
        if (!kind.timer) return false;
        kind.timer(slot, in.timerId);
        return true;
    }
    return false;
}
