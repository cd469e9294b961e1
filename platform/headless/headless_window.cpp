#include "platform/headless/headless_window.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {
struct HeadlessWindow {
    intptr_t parent;
    std::string className;
    int x, y, width, height;
    intptr_t userData;
    int invalidations;
    std::map<int, int> timers;  // id -> period
    int cursor;
    int paints;
    std::vector<HwDrawCall> drawLog;
    bool hidden = false;
};
std::recursive_mutex g_mutex;
std::map<void*, size_t> g_blocks;
std::map<intptr_t, HeadlessWindow> g_windows;
std::map<std::string, HwEventProc> g_classProcs;
intptr_t g_next = 0x1000;  // handles look like small window handles
intptr_t g_capture = 0;
intptr_t g_foreground = 0;  // 0: nothing has taken the front from the host
int g_menuAnswer = 0;
std::string g_lastMenu;
struct ThreadTimer {
    int periodMs;
    HwThreadTimerProc proc;
};
std::map<uintptr_t, ThreadTimer> g_threadTimers;  // ids rise, so map order is age
uintptr_t g_nextThreadTimer = 1;

HeadlessWindow* Find(intptr_t window) {
    auto it = g_windows.find(window);
    return it == g_windows.end() ? nullptr : &it->second;
}

// The class procedure of a window, looked up under the lock and called
// without it: a procedure may take locks that a worker holds while it
// invalidates.
HwEventProc ProcOf(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    if (!w) return nullptr;
    auto it = g_classProcs.find(w->className);
    return it == g_classProcs.end() ? nullptr : it->second;
}
}  // namespace

extern "C" {

intptr_t hwCreateWindow(intptr_t parent, const char* className, int x, int y, int width, int height) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (parent && !g_windows.count(parent)) return 0;
    intptr_t handle = g_next;
    g_next += 4;
    HeadlessWindow w{parent, className ? className : "", x, y, width, height, 0, 0, {}, 0, 0, {}};
    g_windows[handle] = w;
    return handle;
}

// As user32 does: the window hears of its destruction first, then its
// children go, then the window.
int hwDestroyWindow(intptr_t window) {
    if (!hwIsWindow(window)) return 0;
    HwEvent destroy = {};
    destroy.type = HW_DESTROY;
    hwSendEvent(window, &destroy);
    std::vector<intptr_t> children;
    {
        std::lock_guard<std::recursive_mutex> hold(g_mutex);
        for (auto& entry : g_windows)
            if (entry.second.parent == window) children.push_back(entry.first);
    }
    for (intptr_t child : children) hwDestroyWindow(child);
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (g_capture == window) g_capture = 0;
    if (g_foreground == window) g_foreground = 0;
    return g_windows.erase(window) ? 1 : 0;
}

int hwIsWindow(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_windows.count(window) ? 1 : 0;
}

int hwGetClientSize(intptr_t window, int* width, int* height) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it == g_windows.end()) return 0;
    if (width) *width = it->second.width;
    if (height) *height = it->second.height;
    return 1;
}

int hwGetPosition(intptr_t window, int* x, int* y) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it == g_windows.end()) return 0;
    if (x) *x = it->second.x;
    if (y) *y = it->second.y;
    return 1;
}

int hwMoveWindow(intptr_t window, int x, int y, int width, int height) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it == g_windows.end()) return 0;
    it->second.x = x;
    it->second.y = y;
    it->second.width = width;
    it->second.height = height;
    return 1;
}

intptr_t hwGetParent(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? 0 : it->second.parent;
}

const char* hwGetClassName(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? "" : it->second.className.c_str();
}

void hwShowWindow(intptr_t window, int show) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (HeadlessWindow* w = Find(window)) w->hidden = !show;
}

int hwIsVisible(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    return w && !w->hidden ? 1 : 0;
}

void hwSetForeground(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_foreground = Find(window) ? window : 0;
}

intptr_t hwGetForeground() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_foreground;
}

void hwSetUserData(intptr_t window, intptr_t data) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it != g_windows.end()) it->second.userData = data;
}

intptr_t hwGetUserData(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? 0 : it->second.userData;
}

void hwInvalidate(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it != g_windows.end()) ++it->second.invalidations;
}

int hwInvalidationCount(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? 0 : it->second.invalidations;
}

int hwWindowCount() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return static_cast<int>(g_windows.size());
}

void hwRegisterClassProc(const char* className, HwEventProc proc) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (proc) g_classProcs[className ? className : ""] = proc;
    else g_classProcs.erase(className ? className : "");
}

int hwSendEvent(intptr_t window, const HwEvent* event) {
    HwEventProc proc = ProcOf(window);
    if (!proc || !event) return 0;
    proc(window, event);
    return 1;
}

void hwSetTimer(intptr_t window, int id, int periodMs) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (HeadlessWindow* w = Find(window)) w->timers[id] = periodMs;
}

void hwKillTimer(intptr_t window, int id) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (HeadlessWindow* w = Find(window)) w->timers.erase(id);
}

int hwTimerPeriod(intptr_t window, int id) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    if (!w) return 0;
    auto it = w->timers.find(id);
    return it == w->timers.end() ? 0 : it->second;
}

int hwFirstTimer(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    return w && !w->timers.empty() ? w->timers.begin()->first : 0;
}

uintptr_t hwSetThreadTimer(int periodMs, HwThreadTimerProc proc) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    uintptr_t id = g_nextThreadTimer++;
    g_threadTimers[id] = ThreadTimer{periodMs, proc};
    return id;
}

void hwKillThreadTimer(uintptr_t timerId) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_threadTimers.erase(timerId);
}

int hwThreadTimerPeriod(uintptr_t timerId) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_threadTimers.find(timerId);
    return it == g_threadTimers.end() ? 0 : it->second.periodMs;
}

int hwThreadTimerCount() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return static_cast<int>(g_threadTimers.size());
}

// Each timer is called without the lock and only while it still runs: one
// timer's procedure may kill or set others.
int hwFireThreadTimers() {
    std::vector<uintptr_t> ids;
    {
        std::lock_guard<std::recursive_mutex> hold(g_mutex);
        for (const auto& t : g_threadTimers) ids.push_back(t.first);
    }
    int fired = 0;
    for (uintptr_t id : ids) {
        HwThreadTimerProc proc = nullptr;
        {
            std::lock_guard<std::recursive_mutex> hold(g_mutex);
            auto it = g_threadTimers.find(id);
            if (it != g_threadTimers.end()) proc = it->second.proc;
        }
        if (!proc) continue;
        proc(id);
        ++fired;
    }
    return fired;
}

void hwSetCapture(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_capture = Find(window) ? window : 0;
}

void hwReleaseCapture() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_capture = 0;
}

intptr_t hwGetCapture() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_capture;
}

void hwSetCursor(intptr_t window, int shape) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (HeadlessWindow* w = Find(window)) w->cursor = shape;
}

int hwGetCursor(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    return w ? w->cursor : 0;
}

intptr_t hwFindChild(intptr_t parent, const char* prefix) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    std::string start = prefix ? prefix : "";
    for (auto& entry : g_windows)  // in creation order: handles only grow
        if (entry.second.parent == parent && entry.second.className.compare(0, start.size(), start) == 0)
            return entry.first;
    return 0;
}

int hwTrackMenu(intptr_t window, const char* items) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_lastMenu = items ? items : "";
    int answer = g_menuAnswer;
    g_menuAnswer = 0;
    if (!Find(window)) return 0;
    // Only a command the menu offers can be chosen.
    std::string wanted = std::to_string(answer) + ":";
    size_t at = g_lastMenu.find(wanted);
    bool offered = answer != 0 && at != std::string::npos && (at == 0 || g_lastMenu[at - 1] == '\n');
    return offered ? answer : 0;
}

void hwSetMenuAnswer(int command) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_menuAnswer = command;
}

const char* hwLastMenu() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_lastMenu.c_str();
}

void hwClearDrawLog(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (HeadlessWindow* w = Find(window)) {
        w->drawLog.clear();
        ++w->paints;
    }
}

void hwAddDrawCall(intptr_t window, const HwDrawCall* call) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (HeadlessWindow* w = Find(window))
        if (call) w->drawLog.push_back(*call);
}

int hwDrawCallCount(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    return w ? static_cast<int>(w->drawLog.size()) : 0;
}

int hwGetDrawCall(intptr_t window, int index, HwDrawCall* out) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    if (!w || index < 0 || index >= static_cast<int>(w->drawLog.size()) || !out) return 0;
    *out = w->drawLog[index];
    return 1;
}

int hwPaintCount(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    HeadlessWindow* w = Find(window);
    return w ? w->paints : 0;
}

int hwFormatDrawCall(const HwDrawCall* c, char* out, int size) {
    if (!c) return 0;
    char colour[8];
    snprintf(colour, sizeof colour, "#%02x%02x%02x", c->colour & 0xFF, (c->colour >> 8) & 0xFF,
             (c->colour >> 16) & 0xFF);
    std::string line = std::string(c->kind) + " " + std::to_string(c->left) + " " + std::to_string(c->top) + " " +
                       std::to_string(c->right) + " " + std::to_string(c->bottom) + " " + colour;
    if (!strcmp(c->kind, "triangle")) {
        line += " points=";
        for (int i = 0; i < 6; ++i) line += (i ? (i % 2 ? "," : " ") : "") + std::to_string(c->points[i]);
    } else if (!strcmp(c->kind, "bitmap")) {
        line += " bitmap=" + std::to_string(static_cast<long long>(c->bitmap)) + " mode=" + std::to_string(c->style);
    } else if (!strcmp(c->kind, "text")) {
        line += std::string(" layout=") + std::to_string(c->style) + " font=\"" + c->font + "\" \"" + c->text + "\"";
    } else if (strcmp(c->kind, "fill") != 0 && strcmp(c->kind, "hatch") != 0) {
        line += " width=" + std::to_string(c->width) + " style=" + std::to_string(c->style);
    }
    if (out && size > 0) snprintf(out, static_cast<size_t>(size), "%s", line.c_str());
    return static_cast<int>(line.size());
}

void* hwHeapAlloc(size_t size) {
    void* block = calloc(1, size ? size : 1);
    if (!block) return nullptr;
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_blocks[block] = size;
    return block;
}

void* hwHeapReAlloc(void* block, size_t size) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_blocks.find(block);
    void* fresh = hwHeapAlloc(size);
    if (fresh && it != g_blocks.end()) {
        memcpy(fresh, block, it->second < size ? it->second : size);
        hwHeapFree(block);
    }
    return fresh;
}

int hwHeapValidate(const void* block) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_blocks.count(const_cast<void*>(block)) ? 1 : 0;
}

int hwHeapFree(void* block) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_blocks.find(block);
    if (it == g_blocks.end()) return 0;
    g_blocks.erase(it);
    free(block);
    return 1;
}

}  // extern "C"
