#include <windows.h>
#include "host/host_state.h"
#include "timeline/timeline_window.h"

namespace {

const char kClassName[] = "QMT_NLETimelineWnd";
const UINT_PTR kFollowTimerId = 1;
const UINT kFollowIntervalMs = 200;
bool g_classRegistered = false;

HWND AsWindow(intptr_t window) { return reinterpret_cast<HWND>(window); }

HINSTANCE ModuleInstance() {
    return g_host.moduleHandle ? static_cast<HINSTANCE>(g_host.moduleHandle) : GetModuleHandleA(nullptr);
}

// Until the full drawing lands the window shows its background only.
LRESULT CALLBACK TimelineWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH back = CreateSolidBrush(RGB(18, 18, 22));
        FillRect(dc, &rc, back);
        DeleteObject(back);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:  // the cursor chosen on mouse move stays
        return TRUE;
    case WM_MOUSEMOVE:
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return 0;
    case WM_TIMER:
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

bool RegisterTimelineClass() {
    if (g_classRegistered) return true;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TimelineWndProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    g_classRegistered = true;
    return true;
}

}  // namespace

intptr_t CreateTimelineWindow(intptr_t parent) {
    HWND p = AsWindow(parent);
    if (!p || !IsWindow(p) || !RegisterTimelineClass()) return 0;
    RECT rc;
    GetClientRect(p, &rc);
    HWND w = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                             rc.right - rc.left, rc.bottom - rc.top, p, nullptr, ModuleInstance(), nullptr);
    return reinterpret_cast<intptr_t>(w);
}

void DestroyTimelineWindow(intptr_t window) {
    if (window && IsWindow(AsWindow(window))) DestroyWindow(AsWindow(window));
}

bool TimelineWindowAlive(intptr_t window) { return window && IsWindow(AsWindow(window)); }

void InvalidateTimelineWindow(intptr_t window) {
    if (TimelineWindowAlive(window)) InvalidateRect(AsWindow(window), nullptr, FALSE);
}

void PaintTimelineWindow(intptr_t window) {
    if (!TimelineWindowAlive(window)) return;
    InvalidateRect(AsWindow(window), nullptr, FALSE);
    UpdateWindow(AsWindow(window));
}

bool TimelineClientSize(intptr_t window, int& width, int& height) {
    width = height = 0;
    if (!TimelineWindowAlive(window)) return false;
    RECT rc;
    if (!GetClientRect(AsWindow(window), &rc)) return false;
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
    return true;
}

void StartTimelineTimer(intptr_t window) {
    if (TimelineWindowAlive(window)) SetTimer(AsWindow(window), kFollowTimerId, kFollowIntervalMs, nullptr);
}

void StopTimelineTimer(intptr_t window) {
    if (TimelineWindowAlive(window)) KillTimer(AsWindow(window), kFollowTimerId);
}
