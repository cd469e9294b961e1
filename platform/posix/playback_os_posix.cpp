// Natively the windows are the headless stand-in's and the preview runs as a
// plain child process whose output goes nowhere.
#include <map>
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"
#include "platform/playback_os.h"

namespace plat {

bool ClientSize(WindowHandle window, int& width, int& height) {
    width = height = 0;
    return IsLiveWindow(window) && hwGetClientSize(HandleBits(window), &width, &height);
}

bool ClientOrigin(WindowHandle window, int& x, int& y) {
    x = y = 0;
    if (!IsLiveWindow(window)) return false;
    for (intptr_t w = HandleBits(window); w; w = hwGetParent(w)) {
        int wx = 0, wy = 0;
        hwGetPosition(w, &wx, &wy);
        x += wx;
        y += wy;
    }
    return true;
}

// The stand-in screen: the size the host simulator's desktop pretends to have.
void ScreenSize(int& width, int& height) {
    width = 1920;
    height = 1080;
}

bool IsLiveWindow(WindowHandle window) { return window != kNoWindow && hwIsWindow(HandleBits(window)); }

bool StartDetached(const std::string& commandLine, bool, ChildProcess& child, unsigned long& processId) {
    // Natively there is no window to show or hide: a preview starts like any
    // quiet child, with nothing of the parent's left open in it.
    processId = 0;
    if (!StartQuiet(commandLine, child)) return false;
    processId = static_cast<unsigned long>(child.process);
    return true;
}

// Stand-in windows have no titles and belong to no other process, so a
// preview's window is never found here and it plays where it is: no wait.
WindowHandle WaitForProcessWindow(const std::string&, ChildProcess&, unsigned long, unsigned long) {
    return kNoWindow;
}

void AdoptAsChild(WindowHandle window, WindowHandle, int width, int height) {
    if (IsLiveWindow(window)) hwMoveWindow(HandleBits(window), 0, 0, width, height);
}

void PostSpaceKey(WindowHandle) {}

namespace {
// Never destroyed: the library's unload may still kill a timer after the
// statics are gone.
std::map<uintptr_t, void (*)()>& TimerTicks() {
    static auto* ticks = new std::map<uintptr_t, void (*)()>();
    return *ticks;
}
void FireTick(uintptr_t timerId) {
    auto it = TimerTicks().find(timerId);
    if (it != TimerTicks().end()) it->second();
}
}  // namespace

uintptr_t StartThreadTimer(unsigned periodMs, void (*tick)()) {
    uintptr_t id = hwSetThreadTimer(static_cast<int>(periodMs), FireTick);
    TimerTicks()[id] = tick;
    return id;
}

void KillThreadTimer(uintptr_t timerId) {
    hwKillThreadTimer(timerId);
    TimerTicks().erase(timerId);
}

uint32_t TickCount() { return static_cast<uint32_t>(hmMciClock()); }

}  // namespace plat
