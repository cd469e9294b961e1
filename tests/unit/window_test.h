// What the direct-link window tests share: a page of named Rectangles that
// the host's callbacks find, actions run by number, a window's paint as its
// draw log, injected input and the stand-in media device's log.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/teardown.h"
#include "host/text_util.h"
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"

namespace wt {

// The page the host shows: Rectangles found by name in any case, and the
// variables the plug-in reads.
struct Page {
    static std::map<std::string, intptr_t>& Rects() {
        static std::map<std::string, intptr_t> rects;
        return rects;
    }
    static std::map<std::string, std::string>& Vars() {
        static std::map<std::string, std::string> vars;
        return vars;
    }
    static void QMT_CALL GetVar(const char* name, char** value) {
        static std::string last;
        auto it = Vars().find(name);
        last = it == Vars().end() ? std::string() : it->second;
        *value = &last[0];
    }
    static int32_t QMT_CALL Access(int32_t code, char** text) {
        intptr_t rect = 0;
        for (auto& r : Rects())
            if (code == 7 && *text && EqualsNoCase(r.first, *text)) rect = r.second;
        if (!rect) return 0;
        std::string answer = std::to_string(static_cast<long long>(rect));
        char* block = static_cast<char*>(hwHeapAlloc(answer.size() + 1));
        memcpy(block, answer.c_str(), answer.size() + 1);
        hwHeapFree(*text);
        *text = block;
        return 1;
    }
    // Registers the callbacks on an empty page; the media device's clock
    // moves only when a test steps it.
    static void Open() {
        Rects().clear();
        Vars().clear();
        g_host.getVariable = GetVar;
        g_host.interfaceAccess = Access;
        hmMciAdvanceClock(0);
        hmMciClearLog();
    }
    // Tears the page down as the host does and destroys its Rectangles.
    static void Close() {
        PageTearDown();
        for (auto& r : Rects()) hwDestroyWindow(r.second);
        Rects().clear();
    }
    static intptr_t AddRect(const std::string& name, int width, int height) {
        return Rects()[name] = hwCreateWindow(0, "Rectangle", 0, 0, width, height);
    }
    // The plug-in's window inside Rectangle `rect`, 0 when there is none.
    static intptr_t Window(const std::string& rect) { return hwFindChild(Rects()[rect], "QMT_"); }
};

// Runs action `id` of the plug-in with these parameters.
inline void Call(int id, std::vector<std::string> args) {
    std::vector<char*> params;
    for (auto& a : args) params.push_back(&a[0]);
    params.push_back(nullptr);
    DispatchAction(id, params.data());
}

// The draw log of a paint of `window` made now, one call a line.
inline std::vector<std::string> Paint(intptr_t window) {
    HwEvent paint = {};
    paint.type = HW_PAINT;
    hwSendEvent(window, &paint);
    std::vector<std::string> lines;
    char line[512];
    HwDrawCall call;
    for (int i = 0; hwGetDrawCall(window, i, &call); ++i) {
        hwFormatDrawCall(&call, line, sizeof line);
        lines.push_back(line);
    }
    return lines;
}

inline bool Has(const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
}

inline int Count(const std::vector<std::string>& log, const std::string& prefix) {
    return static_cast<int>(
        std::count_if(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

// Sends one event of `type` at (x, y) to `window`.
inline void Send(intptr_t window, int type, int x, int y, int delta = 0, int flags = 0, int timerId = 0) {
    HwEvent e = {};
    e.type = type;
    e.x = x;
    e.y = y;
    e.delta = delta;
    e.flags = flags;
    e.timerId = timerId;
    hwSendEvent(window, &e);
}

// The media commands sent since the last call, oldest first.
inline std::vector<std::string> MciLog() {
    std::vector<std::string> log;
    for (int i = 0; i < hmMciLogCount(); ++i) log.push_back(hmMciLogEntry(i));
    hmMciClearLog();
    return log;
}

}  // namespace wt
