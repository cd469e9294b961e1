// Windows window driving: mouse, wheel, key and timer messages posted to the
// window and dispatched, pop-up menus answered from a thread timer, and
// captures through PrintWindow into a 24-bit BMP file.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "hostsim/host_os.h"
#include "hostsim/window_driver.h"

namespace {

HWND AsWindow(intptr_t w) { return reinterpret_cast<HWND>(w); }

bool IsPluginClass(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return strncmp(name, "QMT_", 4) == 0;
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

// Windows gives a pop-up created over a child window to that child's
// top-level window as its owner; the Rectangle's own pop-up is the one that
// lies on its client origin.
BOOL CALLBACK FindOwnedPopup(HWND w, LPARAM data) {
    OwnedSearch* s = reinterpret_cast<OwnedSearch*>(data);
    HWND owner = GetWindow(w, GW_OWNER);
    if (!owner || !IsPluginClass(w)) return TRUE;
    RECT r;
    POINT origin = {0, 0};
    bool over = GetWindowRect(w, &r) && ClientToScreen(s->owner, &origin) && r.left == origin.x && r.top == origin.y;
    if (owner == s->owner || (owner == GetAncestor(s->owner, GA_ROOT) && over)) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

void Post(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    PostMessageA(w, msg, wParam, lParam);
    OsPumpMessages();
}

// ---- answering a pop-up menu --------------------------------------------------
// TrackPopupMenu runs its own message loop, which still dispatches thread
// timers: the timer finds the open menu and walks to the chosen item with the
// keyboard, as a user would.
int g_menuCommand = 0;
UINT_PTR g_menuTimer = 0;

void CALLBACK AnswerMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menuWindow = FindWindowA("#32768", nullptr);
    if (!menuWindow || !IsWindowVisible(menuWindow)) return;
    KillTimer(nullptr, g_menuTimer);
    g_menuTimer = 0;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
    int downs = 0, found = 0;
    for (int i = 0, n = menu ? GetMenuItemCount(menu) : 0; i < n && !found; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) continue;
        ++downs;
        if (static_cast<int>(id) == g_menuCommand && g_menuCommand) found = downs;
    }
    if (!found) {
        EndMenu();
        return;
    }
    for (int i = 0; i < found; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 1);
}

// ---- BMP files ----------------------------------------------------------------

bool WriteBmp(const std::string& path, int width, int height, const void* bits) {
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up rows, as the DIB section holds them
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = fwrite(&file, sizeof file, 1, f) == 1 && fwrite(&info, sizeof info, 1, f) == 1 &&
              fwrite(bits, info.biSizeImage, 1, f) == 1;
    return fclose(f) == 0 && ok;
}

}  // namespace

intptr_t OsEmbeddedWindow(intptr_t rectangle) {
    HWND rect = AsWindow(rectangle);
    if (!rect) return 0;
    for (HWND w = GetWindow(rect, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsPluginClass(w)) return reinterpret_cast<intptr_t>(w);
    OwnedSearch search = {rect, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedPopup, reinterpret_cast<LPARAM>(&search));
    return reinterpret_cast<intptr_t>(search.found);
}

void OsPointer(intptr_t window, DriverPointer what, int x, int y, bool ctrl, bool leftHeld) {
    HWND w = AsWindow(window);
    LPARAM at = MAKELPARAM(x, y);
    WPARAM keys = (ctrl ? MK_CONTROL : 0) | (leftHeld ? MK_LBUTTON : 0);
    switch (what) {
    case kDriverPress:
        Post(w, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
        break;
    case kDriverMove:
        Post(w, WM_MOUSEMOVE, keys, at);
        break;
    case kDriverRelease:
        Post(w, WM_LBUTTONUP, keys & ~MK_LBUTTON, at);
        break;
    case kDriverDoubleClick:
        Post(w, WM_LBUTTONDBLCLK, keys | MK_LBUTTON, at);
        break;
    case kDriverRightPress:
        if (g_menuTimer) KillTimer(nullptr, g_menuTimer);
        g_menuTimer = SetTimer(nullptr, 0, 50, AnswerMenu);
        Post(w, WM_RBUTTONDOWN, keys | MK_RBUTTON, at);
        Post(w, WM_RBUTTONUP, keys, at);
        if (g_menuTimer) {  // no menu came up
            KillTimer(nullptr, g_menuTimer);
            g_menuTimer = 0;
        }
        break;
    }
}

void OsWheel(intptr_t window, int x, int y, int delta, bool ctrl) {
    POINT p = {x, y};
    ClientToScreen(AsWindow(window), &p);  // wheel messages carry screen coordinates
    Post(AsWindow(window), WM_MOUSEWHEEL, MAKEWPARAM(ctrl ? MK_CONTROL : 0, static_cast<short>(delta)),
         MAKELPARAM(p.x, p.y));
}

void OsKey(intptr_t window, int virtualKey) {
    Post(AsWindow(window), WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    Post(AsWindow(window), WM_KEYUP, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(0xC0000001u));
}

// Windows cannot list a window's timers: the id is taken as given, 1 when
// none is.
bool OsFireTimer(intptr_t window, int timerId, std::string*) {
    Post(AsWindow(window), WM_TIMER, static_cast<WPARAM>(timerId ? timerId : 1), 0);
    return true;
}

void OsChooseNextMenu(int command) { g_menuCommand = command; }

bool OsCaptureWindow(intptr_t window, const std::string& path, std::string* error) {
    HWND w = AsWindow(window);
    RECT rc;
    if (!IsWindow(w) || !GetClientRect(w, &rc) || rc.right <= 0 || rc.bottom <= 0) {
        if (error) *error = "the window has no client area";
        return false;
    }
    // Pixels read back from a window are exact only while its top-level
    // window is on screen.
    HWND top = GetAncestor(w, GA_ROOT);
    if (top && !IsWindowVisible(top)) {
        ShowWindow(top, SW_SHOWNOACTIVATE);
        UpdateWindow(top);
    }
    OsPumpMessages();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = rc.right;
    info.bmiHeader.biHeight = rc.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, dib);
    bool painted = PrintWindow(w, mem, 1 /* PW_CLIENTONLY */) != 0;
    if (!painted) {  // a window that does not print itself: copy what is on screen
        HDC from = GetDC(w);
        painted = BitBlt(mem, 0, 0, rc.right, rc.bottom, from, 0, 0, SRCCOPY) != 0;
        ReleaseDC(w, from);
    }
    GdiFlush();
    bool written = painted && bits && WriteBmp(path, rc.right, rc.bottom, bits);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(dib);
    ReleaseDC(nullptr, screen);
    if (!written && error) *error = painted ? "cannot write " + path : "the window could not be captured";
    return written;
}
