// The window frame natively: input reaches the handler of the right kind and
// slot in client coordinates, a paint is recorded call by call, timers tick,
// and destroy and page tear-down unbind windows and release the GDI table.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "host/frame_objects.h"
#include "host/teardown.h"
#include "host/window_frame.h"
#include "host/window_layout.h"
#include "platform/headless/headless_window.h"

namespace {

// What the test kinds' handlers heard, one line per call.
std::vector<std::string> g_heard;

std::string Pointer(const char* what, const FrameTarget& at, const PointerInput& in) {
    return std::string(what) + " slot " + std::to_string(at.slot) + " at " + std::to_string(in.x) + "," +
           std::to_string(in.y) + (in.ctrl ? " ctrl" : "") + (in.leftButton ? " left" : "");
}

void Press(const FrameTarget& at, const PointerInput& in) { g_heard.push_back(Pointer("press", at, in)); }
void Move(const FrameTarget& at, const PointerInput& in) {
    g_heard.push_back(Pointer("move", at, in));
    SetFrameCursor(at.window, kCursorSizeWE);
}
void Release(const FrameTarget& at, const PointerInput& in) { g_heard.push_back(Pointer("release", at, in)); }
void Double(const FrameTarget& at, const PointerInput& in) { g_heard.push_back(Pointer("double", at, in)); }
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
void Key(const FrameTarget& at, int key) {
    g_heard.push_back("key slot " + std::to_string(at.slot) + " " + std::to_string(key));
}
void Timer(const FrameTarget& at, int id) {
    g_heard.push_back("timer slot " + std::to_string(at.slot) + " " + std::to_string(id));
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

const WindowKind kProbeKind = {"QMT_ProbeWnd", kCursorArrow, true, PaintSample, Press, Move, Release, Double, Menu,
                               Command,        Wheel,        Key,  Timer,       Destroyed};
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
    ASSERT_NE(probe, kNoWindow);
    ASSERT_NE(quiet, kNoWindow);
    int w = 0, h = 0;
    EXPECT_TRUE(FrameClientSize(probe, w, h));
    EXPECT_EQ(w, 320);  // the whole of its Rectangle
    EXPECT_EQ(h, 90);
    EXPECT_EQ(FrameSlotOf(probe, kProbeKind), 3);
    EXPECT_EQ(FrameSlotOf(probe, kQuietKind), -1);
    EXPECT_EQ(FrameSlotOf(quiet, kQuietKind), 1);
    EXPECT_EQ(hwGetCursor(HandleBits(quiet)), kCursorMove);  // the class cursor

    Send(probe, HW_PRESS, 12, 34, HW_LEFT_BUTTON);
    Send(probe, HW_MOVE, 15, 34, HW_LEFT_BUTTON);
    Send(probe, HW_RELEASE, 15, 35);
    Send(probe, HW_DOUBLE_CLICK, 7, 8, HW_LEFT_BUTTON);
    Send(probe, HW_WHEEL, 100, 40, HW_CTRL, -240);
    Send(probe, HW_WHEEL, 100, 40, 0, 120);
    Send(probe, HW_KEY, 0, 0, 0, 0, kKeyDelete);
    Send(quiet, HW_PRESS, 1, 1, HW_LEFT_BUTTON);  // a kind without handlers ignores input
    Send(quiet, HW_KEY, 0, 0, 0, 0, kKeyDelete);
    std::vector<std::string> expected = {"press slot 3 at 12,34 left", "move slot 3 at 15,34 left",
                                         "release slot 3 at 15,35",    "double slot 3 at 7,8 left",
                                         "wheel slot 3 at 100,40 delta -240 ctrl",
                                         "wheel slot 3 at 100,40 delta 120", "key slot 3 46"};
    EXPECT_EQ(g_heard, expected);
    EXPECT_EQ(hwGetCursor(HandleBits(probe)), kCursorSizeWE);  // set by the move handler

    // The right button shows the kind's menu; the chosen command comes back,
    // a dismissed menu or a command it does not offer brings none.
    g_heard.clear();
    hwSetMenuAnswer(2);
    Send(probe, HW_RIGHT_PRESS, 50, 60);
    EXPECT_STREQ(hwLastMenu(), "1:Delete Clip\n0:\n2:Set Transition...\n");
    Send(probe, HW_RIGHT_PRESS, 50, 60);
    hwSetMenuAnswer(7);
    Send(probe, HW_RIGHT_PRESS, 50, 60);
    expected = {"menu slot 3 at 50,60", "command slot 3 2", "menu slot 3 at 50,60", "menu slot 3 at 50,60"};
    EXPECT_EQ(g_heard, expected);

    CaptureFramePointer(probe);
    EXPECT_EQ(hwGetCapture(), HandleBits(probe));
    ReleaseFramePointer();
    EXPECT_EQ(hwGetCapture(), 0);
}

TEST_F(WindowFrame, APaintIsRecordedCallByCall) {
    WindowHandle probe = CreateFrameWindow(kProbeKind, 0, rect);
    PaintFrameWindowNow(probe);
    ASSERT_EQ(hwDrawCallCount(HandleBits(probe)), 8);
    std::vector<std::string> lines;
    char line[512];
    HwDrawCall call;
    for (int i = 0; hwGetDrawCall(HandleBits(probe), i, &call); ++i) {
        hwFormatDrawCall(&call, line, sizeof line);
        lines.push_back(line);
    }
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
    EXPECT_EQ(lines, expected);
    // A later paint replaces the log; a window whose kind is gone keeps the last one.
    PaintFrameWindowNow(probe);
    EXPECT_EQ(hwDrawCallCount(HandleBits(probe)), 8);
    EXPECT_EQ(hwPaintCount(HandleBits(probe)), 2);
    // Invalidating only marks the window.
    InvalidateFrameWindow(probe);
    EXPECT_EQ(hwPaintCount(HandleBits(probe)), 2);
    EXPECT_EQ(hwInvalidationCount(HandleBits(probe)), 3);
}

TEST_F(WindowFrame, TimersTickUntilStoppedOrDestroyed) {
    WindowHandle probe = CreateFrameWindow(kProbeKind, 2, rect);
    StartFrameTimer(probe, 1, 200);
    StartFrameTimer(probe, 4, 100);
    EXPECT_EQ(hwTimerPeriod(HandleBits(probe), 1), 200);
    EXPECT_EQ(hwTimerPeriod(HandleBits(probe), 4), 100);
    Send(probe, HW_TIMER, 0, 0, 0, 0, 0, 4);
    Send(probe, HW_TIMER, 0, 0, 0, 0, 0, 1);
    StopFrameTimer(probe, 1);
    EXPECT_EQ(hwTimerPeriod(HandleBits(probe), 1), 0);
    EXPECT_EQ(hwFirstTimer(HandleBits(probe)), 4);
    std::vector<std::string> expected = {"timer slot 2 4", "timer slot 2 1"};
    EXPECT_EQ(g_heard, expected);

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
    // The stand-in no longer calls into the plug-in for these classes.
    g_heard.clear();
    Send(probe, HW_PRESS, 1, 1);
    EXPECT_TRUE(g_heard.empty());
    HwEvent key = {HW_KEY, 0, 0, 0, 0, kKeyDelete, 0};
    EXPECT_EQ(hwSendEvent(HandleBits(probe), &key), 0);
    // The frame works again for the next page.
    WindowHandle fresh = CreateFrameWindow(kProbeKind, 1, rect);
    Send(fresh, HW_KEY, 0, 0, 0, 0, kKeyDelete);
    EXPECT_EQ(g_heard.back(), "key slot 1 46");
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

TEST(WindowLayout, AxisBandsAndSpans) {
    TimeAxis axis{30.0, 45.0, 32};
    EXPECT_EQ(TimeToX(axis, 0), -13);
    EXPECT_EQ(TimeToX(axis, 2.5), 62);
    EXPECT_DOUBLE_EQ(XToTime(axis, 62), 2.5);
    EXPECT_DOUBLE_EQ(XToTime(TimeAxis{30.0, 0, 32}, 10), 0.0);  // never below 0
    EXPECT_EQ(BandHeight(300, 24, 6, 20), 46);
    EXPECT_EQ(BandHeight(100, 24, 6, 20), 20);  // the minimum height
    Box lane = BandBox(800, 300, 32, 24, 6, 20, 2);
    EXPECT_EQ(lane.top, 24 + 2 * 46);
    EXPECT_EQ(lane.bottom, 24 + 3 * 46);
    EXPECT_EQ(lane.left, 32);
    EXPECT_EQ(BandAt(300, 24, 6, 20, 23), -1);
    EXPECT_EQ(BandAt(300, 24, 6, 20, 24 + 46), 1);
    EXPECT_EQ(BandAt(300, 24, 6, 20, 24 + 6 * 46), -1);
    EXPECT_EQ(HitSpan(100, 100, 200, 6), kSpanLeftEdge);
    EXPECT_EQ(HitSpan(106, 100, 200, 6), kSpanLeftEdge);
    EXPECT_EQ(HitSpan(107, 100, 200, 6), kSpanBody);
    EXPECT_EQ(HitSpan(194, 100, 200, 6), kSpanRightEdge);
    EXPECT_EQ(HitSpan(201, 100, 200, 6), kMissSpan);
    Box clipped = ClipBox(Box{-20, 5, 50, 40}, Box{32, 0, 800, 300});
    EXPECT_EQ(clipped.left, 32);
    EXPECT_EQ(clipped.right, 50);
    EXPECT_TRUE(BoxEmpty(ClipBox(Box{0, 0, 10, 10}, Box{32, 0, 800, 300})));
    EXPECT_TRUE(BoxContains(InflateBox(Box{10, 10, 20, 20}, 5, 5), 5, 24));
    EXPECT_FALSE(BoxContains(Box{10, 10, 20, 20}, 20, 15));
    EXPECT_DOUBLE_EQ(ClampUnit(1.7), 1.0);
    EXPECT_DOUBLE_EQ(ClampUnit(-0.2), 0.0);
}

TEST(WindowFrameBitmaps, OnlyBmpFilesLoad) {
    EXPECT_EQ(LoadFrameBitmap("/nonexistent/frame.bmp", 160, 90), kNoBitmap);
    EXPECT_EQ(LoadFrameBitmap("/proc/self/status", 160, 90), kNoBitmap);
}
