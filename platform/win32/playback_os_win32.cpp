#include <windows.h>
#include <map>
#include <vector>
#include "platform/playback_os.h"
#include "platform/win32/win32_handles.h"

namespace plat {

bool ClientSize(WindowHandle window, int& width, int& height) {
    width = height = 0;
    RECT r;
    if (!window || !IsWindow(AsHwnd(window)) || !GetClientRect(AsHwnd(window), &r)) return false;
    width = r.right;
    height = r.bottom;
    return true;
}

bool ClientOrigin(WindowHandle window, int& x, int& y) {
    POINT p = {0, 0};
    x = y = 0;
    if (!window || !ClientToScreen(AsHwnd(window), &p)) return false;
    x = p.x;
    y = p.y;
    return true;
}

void ScreenSize(int& width, int& height) {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
}

bool IsLiveWindow(WindowHandle window) { return window != kNoWindow && IsWindow(AsHwnd(window)); }

bool StartDetached(const std::string& commandLine, bool shown, ChildProcess& child, unsigned long& processId) {
    child = ChildProcess();
    processId = 0;
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = shown ? SW_SHOWNORMAL : SW_HIDE;
    PROCESS_INFORMATION pi;
    ZeroMemory(&pi, sizeof pi);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    DWORD flags = shown ? DETACHED_PROCESS : CREATE_NO_WINDOW;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    child.process = ProcessHandleOf(pi.hProcess);
    child.running = true;
    processId = pi.dwProcessId;
    return true;
}

namespace {
struct WindowSearch {
    const char* title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    char text[64] = {0};
    GetWindowTextA(window, text, sizeof text);
    if (lstrcmpA(text, search->title) != 0) return TRUE;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

WindowHandle WaitForProcessWindow(const std::string& title, ChildProcess& child, unsigned long processId,
                                  unsigned long timeoutMs) {
    for (unsigned long waited = 0; waited < timeoutMs; waited += 100) {
        Sleep(100);
        WindowSearch search = {title.c_str(), processId, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return WindowHandleOf(search.found);
        if (HasExited(child)) break;
    }
    return kNoWindow;
}

void AdoptAsChild(WindowHandle window, WindowHandle parent, int width, int height) {
    HWND w = AsHwnd(window);
    SetWindowLongPtrA(w, GWL_STYLE, WS_CHILD | WS_VISIBLE);
    SetWindowLongPtrA(w, GWL_EXSTYLE, 0);
    SetParent(w, AsHwnd(parent));
    // The frame it had as a top-level window is dropped with the style, so
    // the whole Rectangle is its client area.
    SetWindowPos(w, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ShowWindow(w, SW_SHOW);
}

void PostSpaceKey(WindowHandle window) {
    PostMessageA(AsHwnd(window), WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(AsHwnd(window), WM_KEYUP, VK_SPACE, 0);
}

namespace {
// Never destroyed: the library's unload may still kill a timer after the
// statics are gone.
std::map<UINT_PTR, void (*)()>& TimerTicks() {
    static auto* ticks = new std::map<UINT_PTR, void (*)()>();
    return *ticks;
}
void CALLBACK FireTick(HWND, UINT, UINT_PTR timerId, DWORD) {
    auto it = TimerTicks().find(timerId);
    if (it != TimerTicks().end()) it->second();
}
}  // namespace

uintptr_t StartThreadTimer(unsigned periodMs, void (*tick)()) {
    UINT_PTR id = SetTimer(nullptr, 0, periodMs, FireTick);
    if (id) TimerTicks()[id] = tick;
    return id;
}

void KillThreadTimer(uintptr_t timerId) {
    if (!timerId) return;
    KillTimer(nullptr, timerId);
    TimerTicks().erase(timerId);
}

uint32_t TickCount() { return GetTickCount(); }

}  // namespace plat
