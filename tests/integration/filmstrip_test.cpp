// The filmstrip through the host simulator: re-created and destroyed while a
// thumbnail run is stuck. The extraction with the real ffmpeg is in the unit
// strip_workers_test, the window's layout and input in filmstrip_window_test.
#include <gtest/gtest.h>
#include <signal.h>
#include <chrono>
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class Filmstrips : public qt::PluginTest {};

}  // namespace

TEST_F(Filmstrips, DestroyAndRecreateWhileAThumbnailRunIsStuck) {
    host.SetVar("[Clip]", qt::ClipAV(3.0, 160, 90));
    qt::ToolRecorder& rec = Record();
    rec.DelayWhen("bgr24");
    ASSERT_EQ(Script("Rectangle Strip 480 90\nQMT_FrameStripCreate \"Strip\" \"[Clip]\" \"Player\"\n"), "");
    ASSERT_TRUE(qt::WaitUntil([&] { return !rec.DelayedPids().empty(); }, 60000));
    intptr_t window = hwFindChild(host.Rectangle("Strip"), "QMT_");
    ASSERT_NE(window, 0);
    EXPECT_TRUE(Has(Capture("Strip"), "text 0 0 480 90 #b4b4b4 layout=1 font=\"Segoe UI 14\" \"Extracting frames...\""));
    // Scripts can give such background work time with Sleep.
    EXPECT_EQ(Script("Sleep 20\n"), "");
    EXPECT_EQ(Script("Sleep\n"), "line 1: usage: Sleep Milliseconds");

    // Re-created under the same name: the stuck run is ended within the
    // 3 s wait and the strip starts again in a new window.
    long long t0 = NowMs();
    ASSERT_EQ(Script("QMT_FrameStripCreate \"STRIP\" \"[Clip]\" \"Player\"\n"), "");
    EXPECT_LT(NowMs() - t0, 3000);
    EXPECT_EQ(Var("[QMT_Status]"), "FrameStrip created");
    int first = rec.DelayedPids()[0];
    EXPECT_NE(kill(first, 0), 0);
    EXPECT_FALSE(hwIsWindow(window));
    ASSERT_TRUE(qt::WaitUntil([&] { return rec.DelayedPids().size() == 2; }, 60000));

    // Destroyed while stuck again: back within the 5 s wait, no child, no window, no file.
    t0 = NowMs();
    ASSERT_EQ(Script("QMT_FrameStripDestroy \"Strip\"\n"), "");
    EXPECT_LT(NowMs() - t0, 5000);
    EXPECT_EQ(Var("[QMT_Status]"), "FrameStrip destroyed");
    EXPECT_NE(kill(rec.DelayedPids()[1], 0), 0);
    EXPECT_EQ(hwFindChild(host.Rectangle("Strip"), "QMT_"), 0);
    EXPECT_EQ(Script("Tick Strip 1\n"), "line 1: no plug-in window in Rectangle Strip");
    EXPECT_TRUE(Leftovers().empty());
    EXPECT_EQ(rec.RunCount(), 2u);
}
