// The window frame natively: input reaches the handler of the right kind and
// slot, a paint is recorded call by call, timers stop, and destroy and page
// tear-down unbind windows and release the GDI table. What the timeline's
// window makes of input, ticks and tear-down is the integration tests'.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "host/frame_objects.h"
#include "host/teardown.h"
#include "host/window_frame.h"
#include "tests/unit/window_test.h"

namespace {

// What the test kinds' handlers heard, one line per call.
std::vector<std::string> g_heard;

std::string Pointer(const char* what, const FrameTarget& at, const PointerInput& in) {
    return std::string(what) + " slot " + std::to_string(at.slot) + " at " + std::to_string(in.x) + "," +
           std::to_string(in.y) + (in.ctrl ? " ctrl" : "") + (in.leftButton ? " left" : "");
}

void Move(const FrameTarget& at, const PointerInput& in) {
    g_heard.push_back(Pointer("move", at, in));
    SetFrameCursor(at.window, kCursorSizeWE);
}
void Menu(const FrameTarget& at, const PointerInput& in, std::vector<MenuItem>& menu) {
    g_heard.push_back(Pointer("menu", at, in));
    menu = {{1, "Delete Clip"}, {0, ""}, {2, "Set Transition..."}};
}
void Command(const FrameTarget& at, int command) {
    g_heard.push_back("command slot " + std::to_string(at.slot) + " " + std::to_string(command));
}
void Wheel(const FrameTarget& at, const WheelInput& in) {
    g_heard.push_back("wheel slot " + std::to_string(at.slot) + " at " + std::to_string(in.x) + "," +
                      std::to_string(in.y) + " delta " + std::to_string(in.delta) + (in.ctrl ? " ctrl" : ""));
}
void Destroyed(const FrameTarget& at) { g_heard.push_back("destroyed slot " + std::to_string(at.slot)); }

void PaintSample(const FrameTarget&, Painter& p, int width, int height) {
    p.Fill(Box{0, 0, width, height}, Rgb(20, 20, 25));
    p.Hatch(Box{0, 0, 40, height}, Rgb(10, 10, 15));
    p.Frame(Box{10, 10, 60, 50}, 2, Rgb(255, 220, 60));
    p.Line(Point{80, 0}, Point{80, height}, 3, Rgb(0, 230, 80));
    p.Line(Point{90, 24}, Point{90, height}, 1, Rgb(0, 255, 100), kDashedLine);
    p.Triangle(Point{75, 0}, Point{85, 0}, Point{80, 8}, Rgb(255, 50, 50));
    p.Text(Box{84, 3, width, height}, "IN", FontSpec{"Segoe UI", 11, true}, Rgb(0, 255, 80));
    p.Bitmap(Box{100, 0, 260, 90}, BitmapHandle{0x5123});
}

const WindowKind kProbeKind = {"QMT_ProbeWnd", kCursorArrow, true,    PaintSample, nullptr, Move,   nullptr,
                               nullptr,        Menu,         Command, Wheel,       nullptr, nullptr, Destroyed};
// A second kind that only paints: its input must not reach the first kind's handlers.
const WindowKind kQuietKind = {"QMT_QuietWnd", kCursorMove, false, PaintSample};

class WindowFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ReleaseWindowFrame();
        g_heard.clear();
        rect = WindowHandle{hwCreateWindow(0, "Rectangle", 0, 0, 320, 90)};
        other = WindowHandle{hwCreateWindow(0, "Rectangle", 0, 0, 200, 50)};
    }
    void TearDown() override {
        hwDestroyWindow(HandleBits(rect));
        hwDestroyWindow(HandleBits(other));
        ReleaseWindowFrame();
    }
    void Send(WindowHandle window, int type, int x, int y, int flags = 0, int delta = 0, int key = 0, int timer = 0) {
        HwEvent e = {type, x, y, delta, flags, key, timer};
        hwSendEvent(HandleBits(window), &e);
    }
    WindowHandle rect = kNoWindow, other = kNoWindow;
};

}  // namespace

TEST_F(WindowFrame, InputReachesTheHandlersOfTheBoundKindAndSlot) {
    WindowHandle probe = CreateFrameWindow(kProbeKind, 3, rect);
    WindowHandle quiet = CreateFrameWindow(kQuietKind, 1, other);
    int w = 0, h = 0;
    EXPECT_TRUE(FrameClientSize(probe, w, h));
    EXPECT_EQ(std::to_string(w) + "x" + std::to_string(h), "320x90");  // the whole of its Rectangle
    EXPECT_EQ(FrameSlotOf(probe, kProbeKind), 3);
    EXPECT_EQ(FrameSlotOf(probe, kQuietKind), -1);
    EXPECT_EQ(FrameSlotOf(quiet, kQuietKind), 1);
    EXPECT_EQ(hwGetCursor(HandleBits(quiet)), kCursorMove);  // the class cursor

    Send(probe, HW_MOVE, 15, 34, HW_LEFT_BUTTON);
    Send(probe, HW_WHEEL, 100, 40, HW_CTRL, -240);
    Send(quiet, HW_PRESS, 1, 1, HW_LEFT_BUTTON);  // a kind without handlers ignores input
    Send(quiet, HW_KEY, 0, 0, 0, 0, kKeyDelete);
    // The right button shows the kind's menu; the chosen command comes back,
    // a dismissed menu or a command it does not offer brings none.
    hwSetMenuAnswer(2);
    Send(probe, HW_RIGHT_PRESS, 50, 60);
    EXPECT_STREQ(hwLastMenu(), "1:Delete Clip\n0:\n2:Set Transition...\n");
    Send(probe, HW_RIGHT_PRESS, 50, 60);
    hwSetMenuAnswer(7);
    Send(probe, HW_RIGHT_PRESS, 50, 60);
    std::vector<std::string> expected = {"move slot 3 at 15,34 left", "wheel slot 3 at 100,40 delta -240 ctrl",
                                         "menu slot 3 at 50,60", "command slot 3 2", "menu slot 3 at 50,60",
                                         "menu slot 3 at 50,60"};
    EXPECT_EQ(g_heard, expected);
    EXPECT_EQ(hwGetCursor(HandleBits(probe)), kCursorSizeWE);  // set by the move handler
}

TEST_F(WindowFrame, APaintIsRecordedCallByCall) {
    WindowHandle probe = CreateFrameWindow(kProbeKind, 0, rect);
    std::vector<std::string> expected = {
        "fill 0 0 320 90 #141419",
        "hatch 0 0 40 90 #0a0a0f",
        "frame 10 10 60 50 #ffdc3c width=2 style=0",
        "line 80 0 80 90 #00e650 width=3 style=0",
        "line 90 24 90 90 #00ff64 width=1 style=1",
        "triangle 75 0 85 8 #ff3232 points=75,0 85,0 80,8",
        "text 84 3 320 90 #00ff50 layout=0 font=\"Segoe UI 11 bold\" \"IN\"",
        "bitmap 100 0 260 90 #000000 bitmap=20771 mode=0",
    };
    EXPECT_EQ(wt::Paint(HandleBits(probe)), expected);
    // A later paint replaces the log; invalidating only marks the window.
    EXPECT_EQ(wt::Paint(HandleBits(probe)).size(), 8u);
    int paints = hwPaintCount(HandleBits(probe)), marks = hwInvalidationCount(HandleBits(probe));
    InvalidateFrameWindow(probe);
    EXPECT_EQ(hwPaintCount(HandleBits(probe)), paints);
    EXPECT_EQ(hwInvalidationCount(HandleBits(probe)), marks + 1);
}

TEST_F(WindowFrame, TimersTickUntilStoppedOrDestroyed) {
    WindowHandle probe = CreateFrameWindow(kProbeKind, 2, rect);
    StartFrameTimer(probe, 1, 200);
    StartFrameTimer(probe, 4, 100);
    EXPECT_EQ(hwTimerPeriod(HandleBits(probe), 1), 200);
    EXPECT_EQ(hwTimerPeriod(HandleBits(probe), 4), 100);
    StopFrameTimer(probe, 1);
    EXPECT_EQ(hwTimerPeriod(HandleBits(probe), 1), 0);
    EXPECT_EQ(hwFirstTimer(HandleBits(probe)), 4);

    // Destroying the window tells the kind, stops its timers and unbinds it.
    int bound = BoundFrameWindowCount();
    DestroyFrameWindow(probe);
    EXPECT_EQ(g_heard.back(), "destroyed slot 2");
    EXPECT_FALSE(FrameWindowAlive(probe));
    EXPECT_EQ(FrameSlotOf(probe, kProbeKind), -1);
    EXPECT_EQ(BoundFrameWindowCount(), bound - 1);
    // A Rectangle the host takes away takes the plug-in's window with it.
    WindowHandle again = CreateFrameWindow(kProbeKind, 5, other);
    hwDestroyWindow(HandleBits(other));
    other = kNoWindow;
    EXPECT_FALSE(FrameWindowAlive(again));
    EXPECT_EQ(FrameSlotOf(again, kProbeKind), -1);
    EXPECT_EQ(g_heard.back(), "destroyed slot 5");
}

TEST_F(WindowFrame, PageTearDownUnbindsAndReleasesTheGdiTable) {
    WindowHandle probe = CreateFrameWindow(kProbeKind, 0, rect);
    WindowHandle quiet = CreateFrameWindow(kQuietKind, 0, other);
    PaintFrameWindowNow(probe);
    PaintFrameWindowNow(quiet);
    // Brushes, pens and the font are made once and shared by both windows.
    EXPECT_EQ(FrameObjectCount(), 8);
    EXPECT_EQ(FrameObject(BrushKey(Rgb(20, 20, 25))), FrameObject(BrushKey(Rgb(20, 20, 25))));
    EXPECT_EQ(FrameObjectCount(), 8);
    PageTearDown();
    EXPECT_EQ(FrameObjectCount(), 0);
    EXPECT_EQ(BoundFrameWindowCount(), 0);
}

// A handler reaches its record only while the record is in use and still
// names the window: a late message for a window it has let go of reaches none.
TEST_F(WindowFrame, AHandlerFindsOnlyTheRecordThatStillNamesItsWindow) {
    struct Record {
        int inUse;
        WindowHandle window;
    };
    const FrameTarget at = {rect, 0};
    Record owner = {1, rect}, renewed = {1, other}, closed = {0, rect};
    EXPECT_EQ(OwningRecord(&owner, &Record::window, at), &owner);
    EXPECT_EQ(OwningRecord(&renewed, &Record::window, at), nullptr);
    EXPECT_EQ(OwningRecord(&closed, &Record::window, at), nullptr);
    EXPECT_EQ(OwningRecord<Record>(nullptr, &Record::window, at), nullptr);  // a slot outside the table
}
