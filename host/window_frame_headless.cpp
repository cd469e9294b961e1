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

void Copy(char* field, size_t size, const std::string& text) { snprintf(field, size, "%s", text.c_str()); }

struct RecordingPainter : Painter {
    intptr_t window;
    explicit RecordingPainter(intptr_t w) : window(w) {}

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
    void Bitmap(const Box& box, intptr_t bitmap, BitmapMode mode) override {
        HwDrawCall c = Call("bitmap", box, 0);
        c.bitmap = bitmap;
        c.style = mode;
        Add(c);
    }
};

void PaintNow(intptr_t window) {
    const FrameBinding* b = FindFrameBinding(window);
    int width = 0, height = 0;
    if (!b || !hwGetClientSize(window, &width, &height)) return;
    hwClearDrawLog(window);
    if (width <= 0 || height <= 0 || !b->kind->paint) return;
    RecordingPainter painter(window);
    b->kind->paint(FrameTarget{window, b->slot}, painter, width, height);
}

void OnEvent(intptr_t window, const HwEvent* e) {
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
        for (int id = hwFirstTimer(window); id; id = hwFirstTimer(window)) hwKillTimer(window, id);
        if (hwGetCapture() == window) hwReleaseCapture();
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

intptr_t MakeWindow(const WindowKind& kind, int slot, intptr_t parent) {
    int width = 0, height = 0;
    if (!hwIsWindow(parent) || !hwGetClientSize(parent, &width, &height)) return 0;
    hwRegisterClassProc(kind.className, OnEvent);
    g_classes.insert(kind.className);
    intptr_t window = hwCreateWindow(parent, kind.className, 0, 0, width, height);
    if (window && !BindFrameWindow(window, kind, slot)) {
        hwDestroyWindow(window);
        return 0;
    }
    if (window) hwSetCursor(window, kind.classCursor);
    return window;
}

}  // namespace

intptr_t CreateFrameWindow(const WindowKind& kind, int slot, intptr_t parent) { return MakeWindow(kind, slot, parent); }

// The stand-in has no screen: the pop-up is a window owned by, and sized as,
// the owner's client area.
intptr_t CreateFramePopup(const WindowKind& kind, int slot, intptr_t owner, Colour) {
    return MakeWindow(kind, slot, owner);
}

void DestroyFrameWindow(intptr_t window) {
    if (window && hwIsWindow(window)) hwDestroyWindow(window);
    UnbindFrameWindow(window);
}

bool FrameWindowAlive(intptr_t window) { return window && hwIsWindow(window); }

// The stand-in's front window is whatever a test or script made it; none
// means the host is in front.
bool FrameOwnerInFront(intptr_t popup, intptr_t owner) {
    intptr_t front = hwGetForeground();
    if (!front) return true;
    intptr_t top = owner;
    while (intptr_t parent = hwGetParent(top)) top = parent;
    if (front == top || front == popup) return true;
    for (intptr_t w = hwGetParent(front); w; w = hwGetParent(w))
        if (w == top) return true;
    return false;
}

// The stand-in pop-up is a window inside its owner: it keeps to the owner's
// origin and takes its size.
void PlaceFramePopup(intptr_t popup, intptr_t owner) {
    int width = 0, height = 0;
    if (!FrameWindowAlive(popup) || !hwGetClientSize(owner, &width, &height)) return;
    hwMoveWindow(popup, 0, 0, width, height);
    hwShowWindow(popup, 1);
}

void StackFramePopup(intptr_t, intptr_t) {}  // the stand-in has no Z order

void HideFrameWindow(intptr_t window) {
    if (FrameWindowAlive(window)) hwShowWindow(window, 0);
}

bool FrameWindowShown(intptr_t window) { return FrameWindowAlive(window) && hwIsVisible(window); }

bool FrameClientSize(intptr_t window, int& width, int& height) {
    width = height = 0;
    return FrameWindowAlive(window) && hwGetClientSize(window, &width, &height);
}

void InvalidateFrameWindow(intptr_t window) {
    if (FrameWindowAlive(window)) hwInvalidate(window);
}

void PaintFrameWindowNow(intptr_t window) {
    if (!FrameWindowAlive(window)) return;
    hwInvalidate(window);
    PaintNow(window);
}

void StartFrameTimer(intptr_t window, int timerId, int periodMs) {
    if (FrameWindowAlive(window)) hwSetTimer(window, timerId, periodMs);
}

void StopFrameTimer(intptr_t window, int timerId) {
    if (FrameWindowAlive(window)) hwKillTimer(window, timerId);
}

void CaptureFramePointer(intptr_t window) { hwSetCapture(window); }
void ReleaseFramePointer() {
    if (FindFrameBinding(hwGetCapture())) hwReleaseCapture();
}
void SetFrameCursor(intptr_t window, CursorShape shape) { hwSetCursor(window, shape); }

int TrackFrameMenu(intptr_t window, int, int, const std::vector<MenuItem>& items) {
    std::string lines;
    for (const MenuItem& item : items) lines += std::to_string(item.command) + ":" + item.text + "\n";
    return hwTrackMenu(window, lines.c_str());
}

void MeasureFrameText(const FontSpec& font, const std::string& text, int& width, int& height) {
    width = static_cast<int>(text.size()) * font.height / 2;
    height = font.height;
}

// The file's pixels, stretched to the size asked for and kept by the
// stand-in, so pictures of the windows show them; the caller may delete the
// file afterwards.
intptr_t LoadFrameBitmap(const std::string& bmpPath, int width, int height) {
    Picture loaded;
    if (width <= 0 || height <= 0 || !ReadBmpFile(bmpPath, loaded, nullptr)) return 0;
    Picture sized = StretchPicture(loaded, width, height);
    return hwCreateBitmap(sized.width, sized.height, sized.pixels.data());
}

void DeleteFrameBitmap(intptr_t bitmap) {
    if (bitmap) hwDeleteBitmap(bitmap);
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
intptr_t MakeFrameObject(const FrameObjectKey&) {
    static intptr_t next = 0x7000;
    return next++;
}

void DeleteFrameObject(FrameObjectType, intptr_t) {}
