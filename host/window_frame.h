// The one frame every embedded window kind stands on (filmstrip, waveform,
// track lanes, overlay preview, timeline). A kind is a table of small
// handlers; a window is bound to its (kind, slot) when it is created and
// unbound when it is destroyed, and every message is routed through that
// binding to the kind's handler with client coordinates. Painting goes
// through a Painter into a back buffer that is copied to the window in one
// block. On Windows one window procedure serves every kind; natively the
// headless stand-in delivers injected input and timer ticks to the same
// handlers and keeps a log of every drawing call.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "host/painter.h"

struct PointerInput {
    int x, y;  // client coordinates
    bool ctrl, shift;
    bool leftButton;  // held during a move
};

struct WheelInput {
    int x, y;   // client coordinates
    int delta;  // 120 per notch, positive away from the user
    bool ctrl, shift;
};

struct MenuItem {
    int command;  // 0 draws a separator
    std::string text;
};

enum CursorShape { kCursorArrow = 0, kCursorSizeWE = 1, kCursorMove = 2, kCursorHand = 3 };

enum KeyCode { kKeyDelete = 0x2E, kKeyLeft = 0x25, kKeyRight = 0x27, kKeySpace = 0x20 };

// The window a handler runs for and the table slot it is bound to.
struct FrameTarget {
    WindowHandle window;
    int slot;
};

// The record a handler runs for: the one in the target's slot while it is in
// use and its `window` field still names the target's window; null once it
// has let go (closed, or given a new window). Every kind finds its record
// through this, so a message that arrives late reaches no other record.
template <class Record>
Record* OwningRecord(Record* record, WindowHandle Record::*window, const FrameTarget& at) {
    return record && record->inUse && record->*window == at.window ? record : nullptr;
}

// A window kind. Null handlers ignore their message.
struct WindowKind {
    const char* className;    // "QMT_NLETimelineWnd"
    CursorShape classCursor;  // shown where the kind sets none
    bool keepCursor;          // the cursor set by a handler stays until the next one sets another
    void (*paint)(const FrameTarget& at, Painter& painter, int width, int height);
    void (*press)(const FrameTarget& at, const PointerInput& in);  // left button down
    void (*move)(const FrameTarget& at, const PointerInput& in);
    // Left button up, and the mouse captured by CaptureFramePointer taken by
    // another window (Alt+Tab, a dialog): either ends a drag.
    void (*release)(const FrameTarget& at, const PointerInput& in);
    // A kind without one gets the second press of a double click as a press.
    void (*doubleClick)(const FrameTarget& at, const PointerInput& in);
    // Right button down: the items of the pop-up menu to show at the pointer;
    // none shows no menu. The chosen command goes to `contextCommand`.
    void (*contextMenu)(const FrameTarget& at, const PointerInput& in, std::vector<MenuItem>& menu);
    void (*contextCommand)(const FrameTarget& at, int command);
    void (*wheel)(const FrameTarget& at, const WheelInput& in);
    // Key down. Only a kind with keys takes the keyboard focus on a click;
    // the others leave it where it is (the page's edit boxes).
    void (*key)(const FrameTarget& at, int virtualKey);
    void (*timer)(const FrameTarget& at, int timerId);
    void (*destroyed)(const FrameTarget& at);  // the window is going; it is unbound after this returns
};

// A visible child window of `kind` over the parent's whole client area, bound
// to `slot`; kNoWindow on failure.
WindowHandle CreateFrameWindow(const WindowKind& kind, int slot, WindowHandle parent);
// A borderless layered pop-up owned by `owner`, over the owner's client area
// on screen, with every pixel of `colourKey` see-through; kNoWindow on failure.
WindowHandle CreateFramePopup(const WindowKind& kind, int slot, WindowHandle owner, Colour colourKey);
void DestroyFrameWindow(WindowHandle window);  // stops its timers, unbinds it

// ---- pop-ups that follow their owner on screen -------------------------------
// True when the owner's application is in front: the foreground window is the
// top-level window reached through the owner's parents, the pop-up itself, a
// child of that top-level window or a window whose parent it is.
bool FrameOwnerInFront(WindowHandle popup, WindowHandle owner);
// Puts the pop-up over the owner's client area on screen, with its size, not
// topmost, shown without activating it.
void PlaceFramePopup(WindowHandle popup, WindowHandle owner);
// Then right after the owner's top-level window in the Z order, neither moved,
// sized nor activated.
void StackFramePopup(WindowHandle popup, WindowHandle owner);
void HideFrameWindow(WindowHandle window);
bool FrameWindowShown(WindowHandle window);
bool FrameWindowAlive(WindowHandle window);
bool FrameClientSize(WindowHandle window, int& width, int& height);
// The slot the window is bound to for `kind`, or -1.
int FrameSlotOf(WindowHandle window, const WindowKind& kind);
int BoundFrameWindowCount();

// Marks the window for a later paint, without erasing; any thread may call
// it (the strips' workers do when new thumbnails or peaks are in).
void InvalidateFrameWindow(WindowHandle window);
// Paints at once.
void PaintFrameWindowNow(WindowHandle window);

void StartFrameTimer(WindowHandle window, int timerId, int periodMs);
void StopFrameTimer(WindowHandle window, int timerId);
void CaptureFramePointer(WindowHandle window);
// Lets go of the mouse when a frame window captured it, never of another
// window's capture.
void ReleaseFramePointer();
void SetFrameCursor(WindowHandle window, CursorShape shape);

// The size of one line of text in the font (natively a stand-in: half the
// font height per character, the font height high).
void MeasureFrameText(const FontSpec& font, const std::string& text, int& width, int& height);

// Bitmaps the Painter draws: the image file (BMP) drawn into a new bitmap of
// the given size, stretched in halftone mode; kNoBitmap when it does not
// load. Safe on worker threads.
BitmapHandle LoadFrameBitmap(const std::string& bmpPath, int width, int height);
void DeleteFrameBitmap(BitmapHandle bitmap);

// Page tear-down and unload, after every kind has destroyed its windows:
// unbinds what is left, releases the long-lived brushes, pens and fonts and
// the window classes. The frame is usable again afterwards.
void ReleaseWindowFrame();

// ---- shared by the two platform halves ---------------------------------------
struct FrameBinding {
    WindowHandle window;
    const WindowKind* kind;
    int slot;
};
enum FrameInputType {
    kInputPress, kInputMove, kInputRelease, kInputDoubleClick, kInputRightPress, kInputWheel, kInputKey,
    kInputTimer, kInputCaptureLost
};
struct FrameInput {
    FrameInputType type;
    PointerInput pointer;  // the pointer messages and the wheel's position
    int wheelDelta;
    int key;
    int timerId;
};
// Hands one input to the handler of the window's kind; false when the window
// is not bound or the kind ignores it.
bool RouteFrameInput(WindowHandle window, const FrameInput& input);
// Shows a pop-up menu at a client point and returns the chosen command, 0
// when dismissed (each platform half).
int TrackFrameMenu(WindowHandle window, int x, int y, const std::vector<MenuItem>& items);
bool BindFrameWindow(WindowHandle window, const WindowKind& kind, int slot);
const FrameBinding* FindFrameBinding(WindowHandle window);
void UnbindFrameWindow(WindowHandle window);
void UnbindAllFrameWindows();
