#include "strips/overlay_window.h"
#include <algorithm>
#include <string>
#include "host/host_state.h"
#include "host/text_util.h"
#include "strips/overlay_box.h"
#include "strips/strip_records.h"

namespace {

const Colour kLockedFrame = Rgb(255, 160, 30), kFreeFrame = Rgb(0, 255, 100), kGrip = Rgb(0, 200, 80),
             kShadow = Rgb(0, 0, 0);
const int kLabelHeight = 16, kLabelWidth = 200;
const int kGrabMargin = 5;

OverlayRecord* BoundOverlay(const FrameTarget& at) {
    return OwningRecord(OverlayAt(at.slot), &OverlayRecord::overlayWindow, at);
}

void PaintOverlay(const FrameTarget& at, Painter& p, int width, int height) {
    p.Fill(Box{0, 0, width, height}, kOverlaySeeThrough);
    OverlayRecord* o = BoundOverlay(at);
    if (!o) return;
    plat::LockHold held(o->lock);
    Box box{o->x, o->y, o->x + o->w, o->y + o->h};
    if (o->kind == kOverlayText) {
        FontSpec font{o->fontName, o->fontSize, false};
        p.Text(Box{box.left + 2, box.top + 2, box.right + 2, box.bottom + 2}, o->text, font, kShadow, kTextWrapped);
        p.Text(box, o->text, font, o->textColour, kTextWrapped);
    } else {
        p.Bitmap(box, o->image, kBitmapStretch);
    }
    Colour frame = o->locked ? kLockedFrame : kFreeFrame;
    p.Frame(Box{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, 1, frame, kDottedLine);
    p.Fill(Box{0, height - kLabelHeight, std::min(width, kLabelWidth), height}, Rgb(0, 0, 0));
    p.Text(Box{4, height - 14, std::min(width, kLabelWidth), height}, OverlayLabel(*o), FontSpec{"Consolas", 11, true},
           frame, kTextTopLeft);
    p.Triangle(Point{box.right - 8, box.bottom}, Point{box.right, box.bottom - 8}, Point{box.right, box.bottom}, kGrip);
}

void PressOverlay(const FrameTarget& at, const PointerInput& in) {
    OverlayRecord* o = BoundOverlay(at);
    if (o && StartOverlayDrag(*o, in.x, in.y)) CaptureFramePointer(at.window);
}

void MoveOverlay(const FrameTarget& at, const PointerInput& in) {
    OverlayRecord* o = BoundOverlay(at);
    int width = 0, height = 0;
    if (!o || !o->dragging || !FrameClientSize(at.window, width, height)) return;
    DragOverlay(*o, in.x, in.y, width, height);
    PublishOverlayBox(*o);
    InvalidateFrameWindow(at.window);
}

void ReleaseOverlay(const FrameTarget& at, const PointerInput&) {
    OverlayRecord* o = BoundOverlay(at);
    if (!o) return;
    {
        plat::LockHold held(o->lock);
        o->dragging = false;
    }
    ReleaseFramePointer();
    PublishOverlayBox(*o);
}

void WheelOverOverlay(const FrameTarget& at, const WheelInput& in) {
    OverlayRecord* o = BoundOverlay(at);
    if (!o || !WheelOverlay(*o, in.delta)) return;
    if (o->kind == kOverlayText) {
        MeasureOverlayText(at.slot);
        SetHostVar("[OvFontSize]", Fmt("%d", o->fontSize));
    }
    PublishOverlayBox(*o);
    InvalidateFrameWindow(at.window);
}

// Keeps the pop-up over the Rectangle while the host is in front, and out of
// the way of any other application.
void FollowRectangle(const FrameTarget& at, int timerId) {
    OverlayRecord* o = BoundOverlay(at);
    if (!o || timerId != kOverlayFollowTimerId) return;
    if (!FrameOwnerInFront(at.window, o->rectWindow)) {
        HideFrameWindow(at.window);
        return;
    }
    PlaceFramePopup(at.window, o->rectWindow);
    StackFramePopup(at.window, o->rectWindow);
    InvalidateFrameWindow(at.window);
}

// The Rectangle took its pop-up with it: the record no longer names it.
void OverlayWindowGone(const FrameTarget& at) {
    if (OverlayRecord* o = BoundOverlay(at)) o->overlayWindow = kNoWindow;
}

}  // namespace

const WindowKind kOverlayWindowKind = {
    "QMT_OverlayPreviewWnd",
    kCursorMove,
    false,
    PaintOverlay,
    PressOverlay,
    MoveOverlay,
    ReleaseOverlay,
    nullptr,  // double-click
    nullptr,  // context menu
    nullptr,  // context command
    WheelOverOverlay,
    nullptr,  // key
    FollowRectangle,
    OverlayWindowGone,
};

WindowHandle OpenOverlayWindow(int slot) {
    OverlayRecord* o = OverlayAt(slot);
    if (!o || !o->inUse) return kNoWindow;
    WindowHandle window = CreateFramePopup(kOverlayWindowKind, slot, o->rectWindow, kOverlaySeeThrough);
    if (!window) return kNoWindow;
    o->overlayWindow = window;
    StartFrameTimer(window, kOverlayFollowTimerId, kOverlayFollowMs);
    return window;
}

void MeasureOverlayText(int slot) {
    OverlayRecord* o = OverlayAt(slot);
    if (!o) return;
    std::string text, face;
    int size;
    {
        plat::LockHold held(o->lock);
        text = o->text;
        face = o->fontName;
        size = o->fontSize;
    }
    int width = 0, height = 0;
    MeasureFrameText(FontSpec{face.c_str(), size, false}, text, width, height);
    FitTextBox(*o, width, height);
}
