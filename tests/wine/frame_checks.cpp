// The window frame on a real Win32 system: a window of a test kind painted
// through the frame into a shown Rectangle and captured, its pixels checked at
// computed coordinates; posted mouse, wheel, key and timer messages reaching
// the kind's handlers in client coordinates; destroy and release unbinding it.
#include "tests/wine/wine_checks.h"
#include "host/frame_objects.h"
#include "host/window_frame.h"
#include "platform/win32/win32_handles.h"

namespace {

std::vector<std::string> g_heard;

std::string Where(const char* what, const FrameTarget& at, int x, int y) {
    return std::string(what) + " " + std::to_string(at.slot) + " " + std::to_string(x) + "," + std::to_string(y);
}
void HeardPress(const FrameTarget& at, const PointerInput& in) { g_heard.push_back(Where("press", at, in.x, in.y)); }
void HeardMove(const FrameTarget& at, const PointerInput& in) {
    g_heard.push_back(Where(in.leftButton ? "drag" : "move", at, in.x, in.y));
}
void HeardRelease(const FrameTarget& at, const PointerInput& in) { g_heard.push_back(Where("release", at, in.x, in.y)); }
void HeardDouble(const FrameTarget& at, const PointerInput& in) { g_heard.push_back(Where("double", at, in.x, in.y)); }
void HeardMenu(const FrameTarget& at, const PointerInput& in, std::vector<MenuItem>& menu) {
    g_heard.push_back(Where("menu", at, in.x, in.y));
    menu = {{1, "Delete Clip"}, {0, ""}, {2, "Set Transition..."}, {3, "Remove Transition"}};
}
void HeardCommand(const FrameTarget& at, int command) {
    g_heard.push_back("command " + std::to_string(at.slot) + " " + std::to_string(command));
}
void HeardWheel(const FrameTarget& at, const WheelInput& in) {
    g_heard.push_back(Where("wheel", at, in.x, in.y) + " " + std::to_string(in.delta) + (in.ctrl ? " ctrl" : ""));
}
void HeardKey(const FrameTarget& at, int key) {
    g_heard.push_back("key " + std::to_string(at.slot) + " " + std::to_string(key));
}
void HeardTimer(const FrameTarget& at, int id) {
    g_heard.push_back("timer " + std::to_string(at.slot) + " " + std::to_string(id));
}
void Destroyed(const FrameTarget& at) { g_heard.push_back("destroyed " + std::to_string(at.slot)); }

// Regions of known colours at coordinates computed from the client size.
const Colour kBack = Rgb(18, 18, 22), kRed = Rgb(200, 30, 40), kGreen = Rgb(0, 200, 90), kBlue = Rgb(40, 60, 230),
             kYellow = Rgb(255, 220, 40), kWhite = Rgb(255, 255, 255);

void Paint(const FrameTarget&, Painter& p, int w, int h) {
    p.Fill(Box{0, 0, w, h}, kBack);
    p.Fill(Box{0, 0, w / 2, h / 2}, kRed);
    p.Frame(Box{w / 2, 0, w, h / 2}, 3, kGreen);
    p.Line(Point{10, h - 10}, Point{w - 10, h - 10}, 1, kBlue);
    p.Triangle(Point{w - 40, h / 2 + 10}, Point{w - 10, h / 2 + 10}, Point{w - 25, h / 2 + 30}, kYellow);
    p.Hatch(Box{0, h / 2, 60, h - 20}, kWhite);
    p.Line(Point{65, h / 2 + 5}, Point{65, h / 2 + 25}, 3, kGreen);
    p.Text(Box{70, h / 2, w - 50, h - 14}, "Quillmont", FontSpec{"Arial", 16, true}, kWhite, kTextCentred);
}

const WindowKind kCheckKind = {"QMT_FrameCheckWnd", kCursorArrow, true,      Paint,      HeardPress,
                               HeardMove,           HeardRelease, HeardDouble, HeardMenu, HeardCommand,
                               HeardWheel,          HeardKey,     HeardTimer,  Destroyed};

uint32_t AsRgb(Colour c) {
    return (static_cast<uint32_t>(RedOf(c)) << 16) | (static_cast<uint32_t>(GreenOf(c)) << 8) | BlueOf(c);
}

void CheckPixel(const Capture& c, int x, int y, Colour expected, const std::string& what) {
    CheckPixelRgb(c, x, y, AsRgb(expected), what);
}

void CheckPainted(const Capture& c, int w, int h) {
    Check(c.width == w && c.height == h, "the capture is the client size");
    if (c.width != w || c.height != h) return;
    CheckPixel(c, 5, 5, kRed, "filled box");
    CheckPixel(c, w / 2, h / 2, kBack, "the box's right and bottom are outside it");
    CheckPixel(c, w / 2 + 2, 10, kGreen, "a 3-pixel frame stays inside its box");
    CheckPixel(c, w / 2 + 3, 10, kBack, "inside the frame");
    CheckPixel(c, w - 1, h / 2 - 1, kGreen, "frame, bottom right corner");
    CheckPixel(c, w / 2, h - 10, kBlue, "line");
    CheckPixel(c, w - 25, h / 2 + 15, kYellow, "filled triangle");
    CheckPixel(c, 64, h / 2 + 15, kGreen, "a 3-pixel line spreads around its x");
    CheckPixel(c, 65, h / 2 + 4, kBack, "a wide line starts flat at its first point");
    int white = 0, back = 0, other = 0;
    for (int y = h / 2; y < h - 20; ++y)
        for (int x = 0; x < 60; ++x) {
            uint32_t p = c.At(x, y);
            if (p == AsRgb(kWhite)) ++white;
            else if (p == AsRgb(kBack)) ++back;
            else ++other;
        }
    Check(white > 100 && back > 100 && other == 0,
          "hatch lines in white over the background (" + std::to_string(white) + " white, " +
              std::to_string(back) + " background, " + std::to_string(other) + " other)");
    int text = 0;
    for (int y = h / 2; y < h - 14; ++y)
        for (int x = 70; x < w - 50; ++x) text += c.At(x, y) != AsRgb(kBack) ? 1 : 0;
    Check(text > 20, "the text is drawn (" + std::to_string(text) + " pixels)");
}

}  // namespace

QMT_WINE_CHECKS(frame) {
    HostSimulator& host = ctx.host;
    const int w = 240, h = 120;
    WindowHandle rect = WindowHandleOf(ShowRectangle(host, "Canvas", w, h));
    WindowHandle window = CreateFrameWindow(kCheckKind, 4, rect);
    Check(window != kNoWindow, "a window of the test kind is created in the Rectangle");
    if (!window) return;
    Check(FrameSlotOf(window, kCheckKind) == 4, "bound to its slot");
    int cw = 0, ch = 0;
    Check(FrameClientSize(window, cw, ch) && cw == w && ch == h, "it covers the Rectangle's client area");

    PaintFrameWindowNow(window);
    CheckPainted(CaptureWindow(AsHwnd(window)), w, h);
    Check(FrameObjectCount() >= 8, "brushes, pens and the font are kept in the table");
    int tw = 0, th = 0;
    MeasureFrameText(FontSpec{"Arial", 16, true}, "Quillmont", tw, th);
    Check(tw > 40 && tw < 120 && th >= 14 && th <= 20,
          "text measured in its font: " + std::to_string(tw) + "x" + std::to_string(th));

    // Posted input reaches the handlers with client coordinates.
    g_heard.clear();
    CheckHostScript(ctx, "posted input",
                    "Click Canvas 30 40\n"
                    "DoubleClick Canvas 5 6\n"
                    "Drag Canvas 10 20 50 60 2\n"
                    "Hover Canvas 70 80\n"
                    "Wheel Canvas 100 60 -120 Ctrl\n"
                    "Wheel Canvas 110 70 240\n"
                    "Key Canvas Delete\n"
                    "Tick Canvas 3\n");
    CheckEq(Join(g_heard),
            Join({"press 4 30,40", "release 4 30,40", "press 4 5,6", "release 4 5,6", "double 4 5,6",
                  "release 4 5,6", "press 4 10,20", "drag 4 30,40", "drag 4 50,60", "release 4 50,60",
                  "move 4 70,80", "wheel 4 100,60 -120 ctrl", "wheel 4 110,70 240", "key 4 46", "timer 4 3"}),
            "each message reaches its handler in client coordinates");
    Check(GetFocus() == AsHwnd(window), "a kind with keys takes the focus on a click");

    // The pop-up menu: the chosen command comes back; a dismissed menu brings none.
    g_heard.clear();
    CheckHostScript(ctx, "context menu", "RightClick Canvas 50 60 2\nRightClick Canvas 50 60\n");
    CheckEq(Join(g_heard), Join({"menu 4 50,60", "command 4 2", "menu 4 50,60"}),
            "the right button shows the menu and returns the chosen command");

    // A real timer ticks into the timer handler.
    g_heard.clear();
    StartFrameTimer(window, 5, 20);
    PumpUntil([] { return !g_heard.empty(); }, 2000);
    StopFrameTimer(window, 5);
    Check(!g_heard.empty() && g_heard[0] == "timer 4 5", "a running timer reaches its handler");
    g_heard.clear();
    PumpMessages(100);
    Check(g_heard.empty(), "a stopped timer is quiet");

    CaptureFramePointer(window);
    Check(GetCapture() == AsHwnd(window), "the pointer is captured");
    ReleaseFramePointer();
    Check(GetCapture() == nullptr, "and released");

    // Destroy unbinds; release empties the table and unregisters the class.
    int bound = BoundFrameWindowCount();
    DestroyFrameWindow(window);
    Check(!g_heard.empty() && g_heard.back() == "destroyed 4", "the kind hears of the destruction");
    Check(!IsWindow(AsHwnd(window)) && BoundFrameWindowCount() == bound - 1 &&
              FrameSlotOf(window, kCheckKind) == -1,
          "a destroyed window is unbound");
    ReleaseWindowFrame();
    WNDCLASSA wc;
    Check(FrameObjectCount() == 0 && BoundFrameWindowCount() == 0, "release empties the GDI table and the bindings");
    Check(!GetClassInfoA(GetModuleHandleA(nullptr), "QMT_FrameCheckWnd", &wc), "release unregisters the class");
}
