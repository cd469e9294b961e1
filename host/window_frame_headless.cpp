// The native half of the window frame: windows of the headless stand-in, its
// class procedure delivering injected input and timer ticks, and a painter
// that records each drawing call in the window's draw log.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include "host/frame_objects.h"
#include "host/window_frame.h"
#include "platform/headless/headless_window.h"
#include "platform/headless/picture_file.h"

namespace {

std::set<std::string> g_classes;  // class names whose procedure is registered

// The stand-in's number for a window.
intptr_t Hw(WindowHandle window) { return HandleBits(window); }

void Copy(char* field, size_t size, const std::string& text) { snprintf(field, size, "%s", text.c_str()); }

struct RecordingPainter : Painter {
    intptr_t window;
    explicit RecordingPainter(WindowHandle w) : window(Hw(w)) {}

    HwDrawCall Call(const char* kind, const Box& box, Colour colour) {
        HwDrawCall c;
        memset(&c, 0, sizeof c);
        Copy(c.kind, sizeof c.kind, kind);
        c.left = box.left;
        c.top = box.top;
        c.right = box.right;
        c.bottom = box.bottom;
        c.colour = colour;
        return c;
    }
    void Add(const HwDrawCall& c) { hwAddDrawCall(window, &c); }

    void Fill(const Box& box, Colour colour) override {
        FrameObject(BrushKey(colour));
        Add(Call("fill", box, colour));
    }
    void Frame(const Box& box, int width, Colour colour, LineStyle style) override {
        FrameObject(PenKey(colour, width, style));
        HwDrawCall c = Call("frame", box, colour);
        c.width = width;
        c.style = style;
        Add(c);
    }
    void Line(Point from, Point to, int width, Colour colour, LineStyle style) override {
        FrameObject(PenKey(colour, width, style));
        HwDrawCall c = Call("line", Box{from.x, from.y, to.x, to.y}, colour);
        c.width = width;
        c.style = style;
        Add(c);
    }
    void Hatch(const Box& box, Colour colour) override {
        FrameObject(HatchKey(colour));
        Add(Call("hatch", box, colour));
    }
    void Triangle(Point a, Point b, Point p, Colour colour) override {
        FrameObject(PenKey(colour, 1, kSolidLine));
        FrameObject(BrushKey(colour));
        Box bounds{std::min(a.x, std::min(b.x, p.x)), std::min(a.y, std::min(b.y, p.y)),
                   std::max(a.x, std::max(b.x, p.x)), std::max(a.y, std::max(b.y, p.y))};
        HwDrawCall c = Call("triangle", bounds, colour);
        int points[6] = {a.x, a.y, b.x, b.y, p.x, p.y};
        memcpy(c.points, points, sizeof points);
        Add(c);
    }
    void Text(const Box& box, const std::string& text, const FontSpec& font, Colour colour,
              TextLayout layout) override {
        FrameObject(FontKey(font));
        HwDrawCall c = Call("text", box, colour);
        c.style = layout;
        Copy(c.font, sizeof c.font,
             std::string(font.face ? font.face : "") + " " + std::to_string(font.height) + (font.bold ? " bold" : ""));
        Copy(c.text, sizeof c.text, text);
        Add(c);
    }
    void Bitmap(const Box& box, BitmapHandle bitmap, BitmapMode mode) override {
        HwDrawCall c = Call("bitmap", box, 0);
        c.bitmap = HandleBits(bitmap);
        c.style = mode;
        Add(c);
    }
};

void PaintNow(WindowHandle window) {
    const FrameBinding* b = FindFrameBinding(window);
    int width = 0, height = 0;
    if (!b || !hwGetClientSize(Hw(window), &width, &height)) return;
    hwClearDrawLog(Hw(window));
    if (width <= 0 || height <= 0 || !b->kind->paint) return;
    RecordingPainter painter(window);
    b->kind->paint(FrameTarget{window, b->slot}, painter, width, height);
}

void OnEvent(intptr_t hw, const HwEvent* e) {
    const WindowHandle window{hw};
    FrameInput in = {};
    in.pointer = PointerInput{e->x, e->y, (e->flags & HW_CTRL) != 0, (e->flags & HW_SHIFT) != 0,
                              (e->flags & HW_LEFT_BUTTON) != 0};
    switch (e->type) {
    case HW_PAINT:
        PaintNow(window);
        return;
    case HW_DESTROY: {
        const FrameBinding* b = FindFrameBinding(window);
        if (b && b->kind->destroyed) b->kind->destroyed(FrameTarget{window, b->slot});
        for (int id = hwFirstTimer(hw); id; id = hwFirstTimer(hw)) hwKillTimer(hw, id);
        if (hwGetCapture() == hw) hwReleaseCapture();
        UnbindFrameWindow(window);
        return;
    }
    case HW_PRESS: in.type = kInputPress; break;
    case HW_MOVE: in.type = kInputMove; break;
    case HW_RELEASE: in.type = kInputRelease; break;
    case HW_DOUBLE_CLICK: in.type = kInputDoubleClick; break;
    case HW_RIGHT_PRESS: in.type = kInputRightPress; break;
    case HW_WHEEL:
        in.type = kInputWheel;
        in.wheelDelta = e->delta;
        break;
    case HW_KEY:
        in.type = kInputKey;
        in.key = e->key;
        break;
    case HW_TIMER:
        in.type = kInputTimer;
        in.timerId = e->timerId;
        break;
    default:
        return;
    }
    RouteFrameInput(window, in);
}

WindowHandle MakeWindow(const WindowKind& kind, int slot, WindowHandle parent) {
    int width = 0, height = 0;
    if (!hwIsWindow(Hw(parent)) || !hwGetClientSize(Hw(parent), &width, &height)) return kNoWindow;
    hwRegisterClassProc(kind.className, OnEvent);
    g_classes.insert(kind.className);
    WindowHandle window{hwCreateWindow(Hw(parent), kind.className, 0, 0, width, height)};
    if (window != kNoWindow && !BindFrameWindow(window, kind, slot)) {
        hwDestroyWindow(Hw(window));
        return kNoWindow;
    }
    if (window != kNoWindow) hwSetCursor(Hw(window), kind.classCursor);
    return window;
}

}  // namespace

WindowHandle CreateFrameWindow(const WindowKind& kind, int slot, WindowHandle parent) {
    return MakeWindow(kind, slot, parent);
}

// The stand-in has no screen: the pop-up is a window owned by, and sized as,
// the owner's client area.
WindowHandle CreateFramePopup(const WindowKind& kind, int slot, WindowHandle owner, Colour) {
    return MakeWindow(kind, slot, owner);
}

void DestroyFrameWindow(WindowHandle window) {
    if (FrameWindowAlive(window)) hwDestroyWindow(Hw(window));
    UnbindFrameWindow(window);
}

bool FrameWindowAlive(WindowHandle window) { return window != kNoWindow && hwIsWindow(Hw(window)); }

// The stand-in's front window is whatever a test or script made it; none
// means the host is in front.
bool FrameOwnerInFront(WindowHandle popup, WindowHandle owner) {
    intptr_t front = hwGetForeground();
    if (!front) return true;
    intptr_t top = Hw(owner);
    while (intptr_t parent = hwGetParent(top)) top = parent;
    if (front == top || front == Hw(popup)) return true;
    for (intptr_t w = hwGetParent(front); w; w = hwGetParent(w))
        if (w == top) return true;
    return false;
}

// The stand-in pop-up is a window inside its owner: it keeps to the owner's
// origin and takes its size.
void PlaceFramePopup(WindowHandle popup, WindowHandle owner) {
    int width = 0, height = 0;
    if (!FrameWindowAlive(popup) || !hwGetClientSize(Hw(owner), &width, &height)) return;
    hwMoveWindow(Hw(popup), 0, 0, width, height);
    hwShowWindow(Hw(popup), 1);
}

void StackFramePopup(WindowHandle, WindowHandle) {}  // the stand-in has no Z order

void HideFrameWindow(WindowHandle window) {
    if (FrameWindowAlive(window)) hwShowWindow(Hw(window), 0);
}

bool FrameWindowShown(WindowHandle window) { return FrameWindowAlive(window) && hwIsVisible(Hw(window)); }

bool FrameClientSize(WindowHandle window, int& width, int& height) {
    width = height = 0;
    return FrameWindowAlive(window) && hwGetClientSize(Hw(window), &width, &height);
}

void InvalidateFrameWindow(WindowHandle window) {
    if (FrameWindowAlive(window)) hwInvalidate(Hw(window));
}

void PaintFrameWindowNow(WindowHandle window) {
    if (!FrameWindowAlive(window)) return;
    hwInvalidate(Hw(window));
    PaintNow(window);
}

void StartFrameTimer(WindowHandle window, int timerId, int periodMs) {
    if (FrameWindowAlive(window)) hwSetTimer(Hw(window), timerId, periodMs);
}

void StopFrameTimer(WindowHandle window, int timerId) {
    if (FrameWindowAlive(window)) hwKillTimer(Hw(window), timerId);
}

void CaptureFramePointer(WindowHandle window) { hwSetCapture(Hw(window)); }
void ReleaseFramePointer() {
    if (FindFrameBinding(WindowHandle{hwGetCapture()})) hwReleaseCapture();
}
void SetFrameCursor(WindowHandle window, CursorShape shape) { hwSetCursor(Hw(window), shape); }

int TrackFrameMenu(WindowHandle window, int, int, const std::vector<MenuItem>& items) {
    std::string lines;
    for (const MenuItem& item : items) lines += std::to_string(item.command) + ":" + item.text + "\n";
    return hwTrackMenu(Hw(window), lines.c_str());
}

void MeasureFrameText(const FontSpec& font, const std::string& text, int& width, int& height) {
    width = static_cast<int>(text.size()) * font.height / 2;
    height = font.height;
}

// The file's pixels, stretched to the size asked for and kept by the
// stand-in, so pictures of the windows show them; the caller may delete the
// file afterwards.
BitmapHandle LoadFrameBitmap(const std::string& bmpPath, int width, int height) {
    Picture loaded;
    if (width <= 0 || height <= 0 || !ReadBmpFile(bmpPath, loaded, nullptr)) return kNoBitmap;
    Picture sized = StretchPicture(loaded, width, height);
    return BitmapHandle{hwCreateBitmap(sized.width, sized.height, sized.pixels.data())};
}

void DeleteFrameBitmap(BitmapHandle bitmap) {
    if (bitmap != kNoBitmap) hwDeleteBitmap(HandleBits(bitmap));
}

void ReleaseWindowFrame() {
    UnbindAllFrameWindows();
    ReleaseFrameObjects();
    // The stand-in outlives the plug-in library: it must not keep procedures
    // that point into an unloaded library.
    for (const std::string& name : g_classes) hwRegisterClassProc(name.c_str(), nullptr);
    g_classes.clear();
}

// Stand-in objects: numbers that are never 0.
GdiObjectHandle MakeFrameObject(const FrameObjectKey&) {
    static intptr_t next = 0x7000;
    return GdiObjectHandle{next++};
}

void DeleteFrameObject(FrameObjectType, GdiObjectHandle) {}
