// Native window driving: events sent to the headless stand-in's class
// procedures; a capture is a fresh paint, as a picture (".bmp", ".png") or
// as its draw log, one call per line.
#include <cstdio>
#include "hostsim/draw_log_picture.h"
#include "hostsim/window_driver.h"
#include "platform/headless/headless_window.h"

namespace {
void Send(intptr_t window, int type, int x, int y, int flags, int delta = 0, int key = 0, int timerId = 0) {
    HwEvent e = {type, x, y, delta, flags, key, timerId};
    hwSendEvent(window, &e);
}

bool WriteDrawLog(intptr_t window, const std::string& path) {
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return false;
    int width = 0, height = 0;
    hwGetClientSize(window, &width, &height);
    fprintf(f, "window %s %dx%d\n", hwGetClassName(window), width, height);
    char line[512];
    HwDrawCall call;
    for (int i = 0; hwGetDrawCall(window, i, &call); ++i) {
        hwFormatDrawCall(&call, line, sizeof line);
        fprintf(f, "%s\n", line);
    }
    return fclose(f) == 0;
}
}  // namespace

intptr_t OsEmbeddedWindow(intptr_t rectangle) { return hwFindChild(rectangle, "QMT_"); }

void OsPointer(intptr_t window, DriverPointer what, int x, int y, bool ctrl, bool leftHeld) {
    static const int kTypes[] = {HW_PRESS, HW_MOVE, HW_RELEASE, HW_DOUBLE_CLICK, HW_RIGHT_PRESS};
    int flags = (ctrl ? HW_CTRL : 0) | (leftHeld || what == kDriverPress ? HW_LEFT_BUTTON : 0);
    Send(window, kTypes[what], x, y, flags);
}

void OsWheel(intptr_t window, int x, int y, int delta, bool ctrl) {
    Send(window, HW_WHEEL, x, y, ctrl ? HW_CTRL : 0, delta);
}

void OsKey(intptr_t window, int virtualKey) { Send(window, HW_KEY, 0, 0, 0, 0, virtualKey); }

bool OsFireTimer(intptr_t window, int timerId, std::string* error) {
    int id = timerId ? timerId : hwFirstTimer(window);
    if (!id || !hwTimerPeriod(window, id)) {
        if (error) *error = timerId ? "timer " + std::to_string(timerId) + " is not running" : "no timer is running";
        return false;
    }
    Send(window, HW_TIMER, 0, 0, 0, 0, 0, id);
    return true;
}

void OsChooseNextMenu(int command) { hwSetMenuAnswer(command); }

bool OsCaptureWindow(intptr_t window, const std::string& path, std::string* error) {
    Send(window, HW_PAINT, 0, 0, 0);
    bool written = IsPicturePath(path) ? WritePictureFile(path, PictureOfDrawLog(window)) : WriteDrawLog(window, path);
    if (!written && error) *error = "cannot write " + path;
    return written;
}
