// The Windows half of the window frame: one window procedure for every kind,
// double-buffered painting with GDI, and the GDI objects behind the painter.
#include <windows.h>
#include <map>
#include <set>
#include <string>
#include "host/frame_objects.h"
#include "host/host_state.h"
#include "host/window_frame.h"
#include "platform/win32/win32_handles.h"

namespace {

HINSTANCE ModuleInstance() {
    return g_host.moduleHandle ? static_cast<HINSTANCE>(g_host.moduleHandle) : GetModuleHandleA(nullptr);
}

// ---- small owners of GDI and user32 objects ---------------------------------

struct OwnedGdiObject {
    HGDIOBJ object;
    explicit OwnedGdiObject(HGDIOBJ o) : object(o) {}
    ~OwnedGdiObject() {
        if (object) DeleteObject(object);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;
};

struct MemoryDc {
    HDC dc;
    explicit MemoryDc(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (dc) DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
};

struct ScreenDc {
    HDC dc;
    ScreenDc() : dc(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc) ReleaseDC(nullptr, dc);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
};

// Selects an object into a DC for one scope and puts the previous one back.
struct Selection {
    HDC dc;
    HGDIOBJ previous;
    Selection(HDC d, HGDIOBJ object) : dc(d), previous(object ? SelectObject(d, object) : nullptr) {}
    ~Selection() {
        if (previous) SelectObject(dc, previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
};

struct PaintSession {
    HWND window;
    PAINTSTRUCT ps;
    HDC dc;
    explicit PaintSession(HWND w) : window(w), dc(BeginPaint(w, &ps)) {}
    ~PaintSession() { EndPaint(window, &ps); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
};

struct OwnedMenu {
    HMENU menu;
    OwnedMenu() : menu(CreatePopupMenu()) {}
    ~OwnedMenu() {
        if (menu) DestroyMenu(menu);
    }
    OwnedMenu(const OwnedMenu&) = delete;
    OwnedMenu& operator=(const OwnedMenu&) = delete;
};

RECT AsRect(const Box& b) {
    RECT r = {b.left, b.top, b.right, b.bottom};
    return r;
}

HGDIOBJ Object(const FrameObjectKey& key) { return AsGdiObject(FrameObject(key)); }

// ---- the painter ------------------------------------------------------------

struct GdiPainter : Painter {
    HDC dc;
    explicit GdiPainter(HDC d) : dc(d) { SetBkMode(dc, TRANSPARENT); }

    void Fill(const Box& box, Colour colour) override {
        RECT r = AsRect(box);
        FillRect(dc, &r, static_cast<HBRUSH>(Object(BrushKey(colour))));
    }
    void Frame(const Box& box, int width, Colour colour, LineStyle style) override {
        if (style == kSolidLine) {  // four bands: square corners whatever the pen joins
            int w = width < 1 ? 1 : width;
            Fill(Box{box.left, box.top, box.right, box.top + w}, colour);
            Fill(Box{box.left, box.bottom - w, box.right, box.bottom}, colour);
            Fill(Box{box.left, box.top + w, box.left + w, box.bottom - w}, colour);
            Fill(Box{box.right - w, box.top + w, box.right, box.bottom - w}, colour);
            return;
        }
        Selection pen(dc, Object(PenKey(colour, width, style)));
        Selection brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
    void Line(Point from, Point to, int width, Colour colour, LineStyle style) override {
        Selection pen(dc, Object(PenKey(colour, width, style)));
        MoveToEx(dc, from.x, from.y, nullptr);
        LineTo(dc, to.x, to.y);
    }
    void Hatch(const Box& box, Colour colour) override {
        RECT r = AsRect(box);
        FillRect(dc, &r, static_cast<HBRUSH>(Object(HatchKey(colour))));
    }
    void Triangle(Point a, Point b, Point c, Colour colour) override {
        Selection pen(dc, Object(PenKey(colour, 1, kSolidLine)));
        Selection brush(dc, Object(BrushKey(colour)));
        POINT corners[3] = {{a.x, a.y}, {b.x, b.y}, {c.x, c.y}};
        Polygon(dc, corners, 3);
    }
    void Text(const Box& box, const std::string& text, const FontSpec& font, Colour colour,
              TextLayout layout) override {
        Selection f(dc, Object(FontKey(font)));
        SetTextColor(dc, colour);
        UINT flags = DT_NOPREFIX;
        switch (layout) {
        case kTextTopLeft: flags |= DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP; break;
        case kTextCentred: flags |= DT_CENTER | DT_VCENTER | DT_SINGLELINE; break;
        case kTextEllipsis: flags |= DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS; break;
        case kTextWrapped: flags |= DT_LEFT | DT_TOP | DT_WORDBREAK; break;
        }
        RECT r = AsRect(box);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    void Bitmap(const Box& box, BitmapHandle bitmap, BitmapMode mode) override {
        if (!bitmap) return;
        MemoryDc source(dc);
        Selection picture(source.dc, AsHbitmap(bitmap));
        if (mode == kBitmapCopy) {
            BitBlt(dc, box.left, box.top, box.Width(), box.Height(), source.dc, 0, 0, SRCCOPY);
            return;
        }
        BITMAP info;
        if (!GetObjectA(AsHbitmap(bitmap), sizeof info, &info)) return;
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, box.left, box.top, box.Width(), box.Height(), source.dc, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
};

// Paints the kind into a back buffer of the client size and copies it to
// `target` in one block.
void PaintInto(HWND hwnd, HDC target) {
    WindowHandle window = WindowHandleOf(hwnd);
    const FrameBinding* b = FindFrameBinding(window);
    RECT rc;
    if (!b || !b->kind->paint || !GetClientRect(hwnd, &rc) || rc.right <= 0 || rc.bottom <= 0) return;
    MemoryDc back(target);
    OwnedGdiObject buffer(CreateCompatibleBitmap(target, rc.right, rc.bottom));
    if (!back.dc || !buffer.object) return;
    {
        Selection bits(back.dc, buffer.object);
        GdiPainter painter(back.dc);
        b->kind->paint(FrameTarget{window, b->slot}, painter, rc.right, rc.bottom);
        BitBlt(target, 0, 0, rc.right, rc.bottom, back.dc, 0, 0, SRCCOPY);
    }
}

// ---- the window procedure ---------------------------------------------------

std::set<std::string> g_registered;           // class names registered on this module
std::map<HWND, std::set<UINT_PTR>> g_timers;  // running timers, stopped at WM_DESTROY
HWND g_captured = nullptr;                     // the frame window CaptureFramePointer gave the mouse

PointerInput PointerFrom(WPARAM wParam, LPARAM lParam) {
    PointerInput p;
    p.x = static_cast<short>(LOWORD(lParam));
    p.y = static_cast<short>(HIWORD(lParam));
    p.ctrl = (wParam & MK_CONTROL) != 0;
    p.shift = (wParam & MK_SHIFT) != 0;
    p.leftButton = (wParam & MK_LBUTTON) != 0;
    return p;
}

bool WantsKeys(const FrameBinding* bound) { return bound && bound->kind->key; }

bool RoutePointer(HWND hwnd, FrameInputType type, WPARAM wParam, LPARAM lParam) {
    FrameInput in = {};
    in.type = type;
    in.pointer = PointerFrom(wParam, lParam);
    return RouteFrameInput(WindowHandleOf(hwnd), in);
}

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WindowHandle window = WindowHandleOf(hwnd);
    const FrameBinding* bound = FindFrameBinding(window);
    switch (msg) {
    case WM_PAINT: {
        PaintSession session(hwnd);
        PaintInto(hwnd, session.dc);
        return 0;
    }
    case WM_PRINTCLIENT:  // PrintWindow and other captures
        PaintInto(hwnd, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:  // the paint covers the whole client area
        return 1;
    case WM_SETCURSOR:
        if (bound && bound->kind->keepCursor && LOWORD(lParam) == HTCLIENT) return TRUE;
        break;
    case WM_MOUSEMOVE:
        if (RoutePointer(hwnd, kInputMove, wParam, lParam)) return 0;
        break;
    case WM_MOUSEACTIVATE:  // a pop-up without keys is clicked without taking the host's focus
        if (!WantsKeys(bound) && (GetWindowLongA(hwnd, GWL_STYLE) & WS_POPUP)) return MA_NOACTIVATE;
        break;
    case WM_LBUTTONDOWN:
        if (WantsKeys(bound)) SetFocus(hwnd);  // so the kind's keys reach it
        if (RoutePointer(hwnd, kInputPress, wParam, lParam)) return 0;
        break;
    case WM_LBUTTONUP:
        if (RoutePointer(hwnd, kInputRelease, wParam, lParam)) return 0;
        break;
    case WM_LBUTTONDBLCLK:
        if (RoutePointer(hwnd, kInputDoubleClick, wParam, lParam)) return 0;
        break;
    case WM_RBUTTONDOWN:
        if (WantsKeys(bound)) SetFocus(hwnd);
        if (RoutePointer(hwnd, kInputRightPress, wParam, lParam)) return 0;
        break;
    case WM_MOUSEWHEEL: {
        FrameInput in = {};
        in.type = kInputWheel;
        POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};  // screen
        ScreenToClient(hwnd, &p);
        in.pointer = PointerFrom(LOWORD(wParam), MAKELPARAM(p.x, p.y));
        // A posted wheel message carries the keys; a real one may come
        // before the key state is in the message.
        in.pointer.ctrl = in.pointer.ctrl || GetKeyState(VK_CONTROL) < 0;
        in.wheelDelta = static_cast<short>(HIWORD(wParam));
        if (RouteFrameInput(window, in)) return 0;
        break;
    }
    case WM_KEYDOWN: {
        FrameInput in = {};
        in.type = kInputKey;
        in.key = static_cast<int>(wParam);
        if (RouteFrameInput(window, in)) return 0;
        break;
    }
    case WM_CAPTURECHANGED: {  // taken by another window in the middle of a drag
        if (g_captured != hwnd || reinterpret_cast<HWND>(lParam) == hwnd) break;
        g_captured = nullptr;
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        RoutePointer(hwnd, kInputCaptureLost, 0, MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_GETDLGCODE:  // arrow keys and Delete come to the window, not a dialog
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_TIMER: {
        FrameInput in = {};
        in.type = kInputTimer;
        in.timerId = static_cast<int>(wParam);
        RouteFrameInput(window, in);
        return 0;
    }
    case WM_DESTROY: {
        if (bound && bound->kind->destroyed) bound->kind->destroyed(FrameTarget{window, bound->slot});
        auto timers = g_timers.find(hwnd);
        if (timers != g_timers.end()) {
            for (UINT_PTR id : timers->second) KillTimer(hwnd, id);
            g_timers.erase(timers);
        }
        if (g_captured == hwnd) g_captured = nullptr;
        if (GetCapture() == hwnd) ReleaseCapture();
        UnbindFrameWindow(window);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LPCSTR CursorResource(CursorShape shape) {
    switch (shape) {
    case kCursorSizeWE: return IDC_SIZEWE;
    case kCursorMove: return IDC_SIZEALL;
    case kCursorHand: return IDC_HAND;
    default: return IDC_ARROW;
    }
}

bool RegisterKindClass(const WindowKind& kind) {
    if (g_registered.count(kind.className)) return true;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = LoadCursor(nullptr, CursorResource(kind.classCursor));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kind.className;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    g_registered.insert(kind.className);
    return true;
}

WindowHandle Bound(HWND w, const WindowKind& kind, int slot) {
    WindowHandle window = WindowHandleOf(w);
    if (w && !BindFrameWindow(window, kind, slot)) {
        DestroyWindow(w);
        return kNoWindow;
    }
    return window;
}

}  // namespace

WindowHandle CreateFrameWindow(const WindowKind& kind, int slot, WindowHandle parent) {
    HWND p = AsHwnd(parent);
    if (!p || !IsWindow(p) || !RegisterKindClass(kind)) return kNoWindow;
    RECT rc;
    GetClientRect(p, &rc);
    // Created hidden and shown once bound, so its first paint finds the kind.
    HWND w = CreateWindowExA(0, kind.className, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, rc.right - rc.left,
                             rc.bottom - rc.top, p, nullptr, ModuleInstance(), nullptr);
    WindowHandle window = Bound(w, kind, slot);
    if (window != kNoWindow) ShowWindow(w, SW_SHOWNA);
    return window;
}

WindowHandle CreateFramePopup(const WindowKind& kind, int slot, WindowHandle owner, Colour colourKey) {
    HWND o = AsHwnd(owner);
    if (!o || !IsWindow(o) || !RegisterKindClass(kind)) return kNoWindow;
    RECT rc;
    GetClientRect(o, &rc);
    POINT origin = {0, 0};
    ClientToScreen(o, &origin);
    HWND w = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kind.className, "", WS_POPUP, origin.x, origin.y,
                             rc.right - rc.left, rc.bottom - rc.top, o, nullptr, ModuleInstance(), nullptr);
    if (w) SetLayeredWindowAttributes(w, colourKey, 0, LWA_COLORKEY);
    WindowHandle window = Bound(w, kind, slot);
    if (window != kNoWindow) ShowWindow(w, SW_SHOWNA);
    return window;
}

void DestroyFrameWindow(WindowHandle window) {
    if (FrameWindowAlive(window)) DestroyWindow(AsHwnd(window));
    UnbindFrameWindow(window);
}

bool FrameWindowAlive(WindowHandle window) { return window != kNoWindow && IsWindow(AsHwnd(window)); }

namespace {
HWND TopLevelOf(HWND w) {
    for (HWND parent = GetParent(w); parent; parent = GetParent(w)) w = parent;
    return w;
}
}  // namespace

bool FrameOwnerInFront(WindowHandle popup, WindowHandle owner) {
    HWND top = TopLevelOf(AsHwnd(owner));
    HWND front = GetForegroundWindow();
    return front && (front == top || front == AsHwnd(popup) || IsChild(top, front) || GetParent(front) == top);
}

void PlaceFramePopup(WindowHandle popup, WindowHandle owner) {
    HWND o = AsHwnd(owner);
    RECT rc;
    POINT origin = {0, 0};
    if (!FrameWindowAlive(popup) || !IsWindow(o) || !GetClientRect(o, &rc) || !ClientToScreen(o, &origin)) return;
    SetWindowPos(AsHwnd(popup), HWND_NOTOPMOST, origin.x, origin.y, rc.right, rc.bottom,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void StackFramePopup(WindowHandle popup, WindowHandle owner) {
    if (!FrameWindowAlive(popup) || !IsWindow(AsHwnd(owner))) return;
    SetWindowPos(AsHwnd(popup), TopLevelOf(AsHwnd(owner)), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void HideFrameWindow(WindowHandle window) {
    if (FrameWindowAlive(window)) ShowWindow(AsHwnd(window), SW_HIDE);
}

bool FrameWindowShown(WindowHandle window) { return FrameWindowAlive(window) && IsWindowVisible(AsHwnd(window)); }

bool FrameClientSize(WindowHandle window, int& width, int& height) {
    width = height = 0;
    RECT rc;
    if (!FrameWindowAlive(window) || !GetClientRect(AsHwnd(window), &rc)) return false;
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
    return true;
}

void InvalidateFrameWindow(WindowHandle window) {
    if (FrameWindowAlive(window)) InvalidateRect(AsHwnd(window), nullptr, FALSE);
}

void PaintFrameWindowNow(WindowHandle window) {
    if (!FrameWindowAlive(window)) return;
    InvalidateRect(AsHwnd(window), nullptr, FALSE);
    UpdateWindow(AsHwnd(window));
}

void StartFrameTimer(WindowHandle window, int timerId, int periodMs) {
    if (!FrameWindowAlive(window)) return;
    if (SetTimer(AsHwnd(window), static_cast<UINT_PTR>(timerId), static_cast<UINT>(periodMs), nullptr))
        g_timers[AsHwnd(window)].insert(static_cast<UINT_PTR>(timerId));
}

void StopFrameTimer(WindowHandle window, int timerId) {
    if (!FrameWindowAlive(window)) return;
    KillTimer(AsHwnd(window), static_cast<UINT_PTR>(timerId));
    auto it = g_timers.find(AsHwnd(window));
    if (it != g_timers.end()) it->second.erase(static_cast<UINT_PTR>(timerId));
}

void CaptureFramePointer(WindowHandle window) {
    if (!FrameWindowAlive(window)) return;
    SetCapture(AsHwnd(window));
    g_captured = AsHwnd(window);
}

void ReleaseFramePointer() {
    HWND held = g_captured;
    g_captured = nullptr;  // first: the WM_CAPTURECHANGED of this release is no lost capture
    if (held && GetCapture() == held) ReleaseCapture();
}

void SetFrameCursor(WindowHandle, CursorShape shape) { SetCursor(LoadCursor(nullptr, CursorResource(shape))); }

int TrackFrameMenu(WindowHandle window, int x, int y, const std::vector<MenuItem>& items) {
    OwnedMenu menu;
    if (!menu.menu) return 0;
    for (const MenuItem& item : items) {
        if (item.command) AppendMenuA(menu.menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.text.c_str());
        else AppendMenuA(menu.menu, MF_SEPARATOR, 0, nullptr);
    }
    POINT p = {x, y};
    ClientToScreen(AsHwnd(window), &p);
    return static_cast<int>(TrackPopupMenu(menu.menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y, 0,
                                           AsHwnd(window), nullptr));
}

void MeasureFrameText(const FontSpec& font, const std::string& text, int& width, int& height) {
    width = height = 0;
    ScreenDc screen;
    MemoryDc dc(screen.dc);
    Selection f(dc.dc, Object(FontKey(font)));
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc.dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    width = r.right - r.left;
    height = r.bottom - r.top;
}

BitmapHandle LoadFrameBitmap(const std::string& bmpPath, int width, int height) {
    if (width <= 0 || height <= 0) return kNoBitmap;
    OwnedGdiObject loaded(LoadImageA(nullptr, bmpPath.c_str(), IMAGE_BITMAP, 0, 0,
                                     LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info;
    if (!loaded.object || !GetObjectA(loaded.object, sizeof info, &info)) return kNoBitmap;
    ScreenDc screen;
    HBITMAP made = CreateCompatibleBitmap(screen.dc, width, height);
    if (!made) return kNoBitmap;
    MemoryDc from(screen.dc), to(screen.dc);
    {
        Selection source(from.dc, loaded.object);
        Selection target(to.dc, made);
        SetStretchBltMode(to.dc, HALFTONE);
        SetBrushOrgEx(to.dc, 0, 0, nullptr);
        StretchBlt(to.dc, 0, 0, width, height, from.dc, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    return BitmapHandleOf(made);
}

void DeleteFrameBitmap(BitmapHandle bitmap) {
    if (bitmap != kNoBitmap) DeleteObject(AsHbitmap(bitmap));
}

void ReleaseWindowFrame() {
    UnbindAllFrameWindows();
    ReleaseFrameObjects();
    // A class keeps the address of this module's window procedure; a library
    // loaded again at another address must register it afresh.
    for (auto it = g_registered.begin(); it != g_registered.end();)
        it = UnregisterClassA(it->c_str(), ModuleInstance()) ? g_registered.erase(it) : std::next(it);
}

GdiObjectHandle MakeFrameObject(const FrameObjectKey& key) {
    HGDIOBJ made = nullptr;
    switch (key.type) {
    case kSolidBrush:
        made = CreateSolidBrush(key.colour);
        break;
    case kHatchBrush:
        made = CreateHatchBrush(HS_DIAGCROSS, key.colour);
        break;
    case kPen: {
        if (key.style != kSolidLine || key.width <= 1) {  // dashes and dots exist only for one-pixel pens
            int style = key.style == kDashedLine ? PS_DASH : key.style == kDottedLine ? PS_DOT : PS_SOLID;
            made = CreatePen(style, 1, key.colour);
            break;
        }
        // Wide lines end flat at their end points, not in round caps.
        LOGBRUSH brush = {BS_SOLID, key.colour, 0};
        made = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, static_cast<DWORD>(key.width),
                            &brush, 0, nullptr);
        break;
    }
    case kFont:
        made = CreateFontA(key.height, 0, 0, 0, key.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, key.face.c_str());
        break;
    }
    return GdiObjectHandleOf(made);
}

void DeleteFrameObject(FrameObjectType, GdiObjectHandle object) {
    if (object != kNoGdiObject) DeleteObject(AsGdiObject(object));
}
