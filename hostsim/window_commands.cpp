// Script commands that drive the plug-in's windows inside named Rectangles:
//   Click Rect X Y [Ctrl]            left press and release
//   DoubleClick Rect X Y
//   RightClick Rect X Y [Command]    answers the pop-up menu with Command (none: dismissed)
//   Hover Rect X Y                   pointer move, no button
//   Drag Rect X1 Y1 X2 Y2 [Steps] [Double]
//                                    press, moves with the button held, release; with Double the
//                                    press is the second of a quick double click
//   Wheel Rect X Y Delta [Ctrl]      Delta 120 per notch, positive away from the user
//   Key Rect Key                     Delete, Left, Right, Up, Down, Home, End, Space, Enter, Escape or a code
//   Tick Rect [TimerId] [Count]      fires the window's timer
//   Capture Rect File                Windows: the pixels as a BMP; natively: a picture of the draw log
//                                    (File ending in .bmp or .png), else the draw log as text
// Coordinates are the window's client pixels.
#include <cstdlib>
#include <cstring>
#include "hostsim/host_simulator.h"
#include "hostsim/host_os.h"
#include "hostsim/window_driver.h"

namespace {

struct KeyName {
    const char* name;
    int code;
};
const KeyName kKeys[] = {{"Delete", 0x2E}, {"Left", 0x25}, {"Up", 0x26},     {"Right", 0x27},
                         {"Down", 0x28},   {"Home", 0x24}, {"End", 0x23},    {"Space", 0x20},
                         {"Enter", 0x0D},  {"Escape", 0x1B}, {"Back", 0x08}, {"Tab", 0x09}};

bool IsNumber(const std::string& s) {
    if (s.empty()) return false;
    char* end = nullptr;
    strtol(s.c_str(), &end, 10);
    return *end == 0;
}

int KeyCode(const std::string& word) {
    for (const KeyName& k : kKeys)
        if (strcasecmp(k.name, word.c_str()) == 0) return k.code;
    return IsNumber(word) ? atoi(word.c_str()) : 0;
}

struct Usage {
    const char* command;
    size_t minWords, maxWords;  // with the command itself
    const char* text;
};
const Usage kUsages[] = {
    {"Click", 4, 5, "Click Rect X Y [Ctrl]"},
    {"DoubleClick", 4, 4, "DoubleClick Rect X Y"},
    {"RightClick", 4, 5, "RightClick Rect X Y [Command]"},
    {"Hover", 4, 4, "Hover Rect X Y"},
    {"Drag", 6, 8, "Drag Rect X1 Y1 X2 Y2 [Steps] [Double]"},
    {"Wheel", 5, 6, "Wheel Rect X Y Delta [Ctrl]"},
    {"Key", 3, 3, "Key Rect Key"},
    {"Tick", 2, 4, "Tick Rect [TimerId] [Count]"},
    {"Capture", 3, 3, "Capture Rect File"},
};

}  // namespace

bool RunWindowCommand(HostSimulator& host, const std::vector<std::string>& rawWords, std::string* error,
                      bool& handled) {
    handled = false;
    const Usage* usage = nullptr;
    for (const Usage& u : kUsages)
        if (rawWords[0] == u.command) usage = &u;
    if (!usage) return true;
    handled = true;
    auto fail = [&](const std::string& s) {
        if (error) *error = s;
        return false;
    };
    std::vector<std::string> w;
    for (const std::string& word : rawWords) w.push_back(host.Expand(word));
    if (w.size() < usage->minWords || w.size() > usage->maxWords) return fail(std::string("usage: ") + usage->text);
    const std::string& cmd = w[0];
    bool ctrl = w.back() == "Ctrl";
    bool twice = cmd == "Drag" && w.back() == "Double";
    size_t numbers = ctrl || twice ? w.size() - 1 : w.size();
    for (size_t i = 2; i < numbers && cmd != "Capture" && cmd != "Key"; ++i)
        if (!IsNumber(w[i])) return fail(std::string("usage: ") + usage->text);
    intptr_t rect = host.Rectangle(w[1]);
    if (!rect) return fail("no Rectangle named " + w[1]);
    intptr_t window = OsEmbeddedWindow(rect);
    if (!window) return fail("no plug-in window in Rectangle " + w[1]);
    auto n = [&](size_t i) { return atoi(w[i].c_str()); };

    if (cmd == "Click") {
        OsPointer(window, kDriverPress, n(2), n(3), ctrl, true);
        OsPointer(window, kDriverRelease, n(2), n(3), ctrl, false);
    } else if (cmd == "DoubleClick") {  // the order Windows delivers
        OsPointer(window, kDriverPress, n(2), n(3), false, true);
        OsPointer(window, kDriverRelease, n(2), n(3), false, false);
        OsPointer(window, kDriverDoubleClick, n(2), n(3), false, true);
        OsPointer(window, kDriverRelease, n(2), n(3), false, false);
    } else if (cmd == "RightClick") {
        OsChooseNextMenu(w.size() > 4 ? n(4) : 0);
        OsPointer(window, kDriverRightPress, n(2), n(3), false, false);
    } else if (cmd == "Hover") {
        OsPointer(window, kDriverMove, n(2), n(3), false, false);
    } else if (cmd == "Drag") {
        int steps = numbers > 6 ? n(6) : 4;
        if (steps < 1) steps = 1;
        int x1 = n(2), y1 = n(3), x2 = n(4), y2 = n(5);
        OsPointer(window, kDriverPress, x1, y1, false, true);
        if (twice) {  // Windows sends a quick second press as a double click
            OsPointer(window, kDriverRelease, x1, y1, false, false);
            OsPointer(window, kDriverDoubleClick, x1, y1, false, true);
        }
        for (int i = 1; i <= steps; ++i)
            OsPointer(window, kDriverMove, x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps, false, true);
        OsPointer(window, kDriverRelease, x2, y2, false, false);
    } else if (cmd == "Wheel") {
        OsWheel(window, n(2), n(3), n(4), ctrl);
    } else if (cmd == "Key") {
        int code = KeyCode(w[2]);
        if (!code) return fail("unknown key \"" + w[2] + "\"");
        OsKey(window, code);
    } else if (cmd == "Tick") {
        int count = w.size() > 3 ? n(3) : 1;
        for (int i = 0; i < count; ++i)
            if (!OsFireTimer(window, w.size() > 2 ? n(2) : 0, error)) return false;
    } else if (cmd == "Capture") {
        if (!OsCaptureWindow(window, w[2], error)) return false;
    }
    OsPumpMessages();
    return true;
}
