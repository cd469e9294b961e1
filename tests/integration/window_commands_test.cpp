// The host simulator's window-driving commands against the timeline window,
// the first kind on the window frame: capture as a draw log, pointer and key
// input, timer ticks, and what happens when the window is gone.
#include <gtest/gtest.h>
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

class WindowCommands : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        host.AddRectangle("NLE1", 400, 120);
        ASSERT_TRUE(Run("QMT_TimelineCreate", {"NLE1", ""}));
        ExpectComplete();
        window = hwFindChild(host.Rectangle("NLE1"), "QMT_");
    }
    // Runs script text; the error text, empty on success.
    std::string Script(const std::string& text) {
        std::string out, err;
        host.RunScript(text, &out, &err);
        return err;
    }
    intptr_t window = 0;
};

}  // namespace

TEST_F(WindowCommands, CaptureWritesTheTimelinesDrawLog) {
    ASSERT_NE(window, 0);
    EXPECT_STREQ(hwGetClassName(window), "QMT_NLETimelineWnd");
    host.SetVar("[Shot]", Out("timeline.txt"));
    EXPECT_EQ(Script("Capture NLE1 \"[Shot]\"\n"), "");
    std::string log = qt::ReadFile(Out("timeline.txt"));
    EXPECT_EQ(log.rfind("window QMT_NLETimelineWnd 400x120\nfill 0 0 400 120 #121216\n", 0), 0u) << log;
    EXPECT_NE(log.find("\"V1\"\n"), std::string::npos) << log;
    int calls = hwDrawCallCount(window);
    // Creating it again repaints it at once through the same handler.
    int paints = hwPaintCount(window);
    Run("QMT_TimelineCreate", {"nle1", ""});
    EXPECT_EQ(hwPaintCount(window), paints + 1);
    EXPECT_EQ(hwDrawCallCount(window), calls);
}

TEST_F(WindowCommands, PointerKeysAndTimersReachTheWindow) {
    // The timeline follows its player on timer 1 every 200 ms.
    EXPECT_EQ(hwTimerPeriod(window, 1), 200);
    EXPECT_EQ(Script("Tick NLE1\nTick NLE1 1 3\n"), "");
    EXPECT_EQ(Script("Tick NLE1 2\n"), "line 1: timer 2 is not running");
    hwSetCursor(window, 2);
    EXPECT_EQ(Script("Hover NLE1 100 50\n"), "");
    EXPECT_EQ(hwGetCursor(window), 0);  // the arrow, chosen on mouse move
    EXPECT_EQ(Script("Click NLE1 100 50\nDoubleClick NLE1 10 40\nDrag NLE1 100 50 160 50 3\n"
                     "RightClick NLE1 100 50 1\nWheel NLE1 200 60 -120 Ctrl\nWheel NLE1 200 60 120\nKey NLE1 Delete\n"),
              "");
}

TEST_F(WindowCommands, BadCommandsNameTheProblem) {
    EXPECT_EQ(Script("Click Nowhere 1 1\n"), "line 1: no Rectangle named Nowhere");
    host.AddRectangle("Empty", 100, 100);
    EXPECT_EQ(Script("Capture Empty \"x.txt\"\n"), "line 1: no plug-in window in Rectangle Empty");
    EXPECT_EQ(Script("Click NLE1 1\n"), "line 1: usage: Click Rect X Y [Ctrl]");
    EXPECT_EQ(Script("Wheel NLE1 1 2 up\n"), "line 1: usage: Wheel Rect X Y Delta [Ctrl]");
    EXPECT_EQ(Script("Key NLE1 Hyper\n"), "line 1: unknown key \"Hyper\"");
    EXPECT_EQ(Script("Capture NLE1 \"/nonexistent/dir/x.txt\"\n"), "line 1: cannot write /nonexistent/dir/x.txt");
}

TEST_F(WindowCommands, DestroyAndPageTearDownUnbindTheWindow) {
    Run("QMT_TimelineDestroy", {"NLE1"});
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(Script("Click NLE1 1 1\n"), "line 1: no plug-in window in Rectangle NLE1");
    Run("QMT_TimelineCreate", {"NLE1", ""});
    intptr_t again = hwFindChild(host.Rectangle("NLE1"), "QMT_");
    ASSERT_NE(again, 0);
    host.Message(2);
    EXPECT_FALSE(hwIsWindow(again));
    // The stand-in keeps no procedure that points into the plug-in after the
    // page has gone: a window of the class made now hears nothing.
    intptr_t stray = hwCreateWindow(host.Rectangle("NLE1"), "QMT_NLETimelineWnd", 0, 0, 10, 10);
    HwEvent paint = {};
    paint.type = HW_PAINT;
    EXPECT_EQ(hwSendEvent(stray, &paint), 0);
    // The next page starts from empty tables and paints again.
    Run("QMT_TimelineCreate", {"NLE1", ""});
    ExpectComplete();
    host.SetVar("[Shot]", Out("again.txt"));
    hwDestroyWindow(stray);
    EXPECT_EQ(Script("Capture NLE1 \"[Shot]\"\n"), "");
    EXPECT_NE(qt::ReadFile(Out("again.txt")).find("fill 0 0 400 120 #121216"), std::string::npos);
}
