// The filmstrip through the host simulator with the real ffmpeg: thumbnails
// arriving in the window, a click seeking the stand-in player, the follow
// timer, wheel zoom, splits selected with the mouse, and the window torn down
// while a thumbnail run is stuck.
#include <gtest/gtest.h>
#include <signal.h>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

class Filmstrips : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        clip = qt::ClipAV(3.0, 160, 90);
        hmMciAdvanceClock(0);
        hmMciClearLog();
    }
    // Runs script text; the error text, empty on success.
    std::string Script(const std::string& text) {
        std::string out, err;
        host.RunScript(text, &out, &err);
        return err;
    }
    // The window's draw log as Capture writes it, one call a line.
    std::vector<std::string> Shot(const std::string& rect) {
        host.SetVar("[Shot]", Out("shot.txt"));
        std::vector<std::string> lines;
        if (!Script("Capture " + rect + " \"[Shot]\"\n").empty()) return lines;
        std::istringstream in(qt::ReadFile(Out("shot.txt")));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    static int Count(const std::vector<std::string>& log, const std::string& prefix) {
        return static_cast<int>(
            std::count_if(log.begin(), log.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
    }
    static bool Has(const std::vector<std::string>& log, const std::string& line) {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    static long long Now() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    bool WaitFor(const std::function<bool()>& done, int ms = 120000) {
        long long end = Now() + ms;
        while (!done()) {
            if (Now() > end) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }
    std::vector<std::string> MciLog() {
        std::vector<std::string> log;
        for (int i = 0; i < hmMciLogCount(); ++i) log.push_back(hmMciLogEntry(i));
        hmMciClearLog();
        return log;
    }
    // Names in the plug-in's temporary folder that begin with qmt_.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(tmp))
            if (entry.path().filename().string().rfind("qmt_", 0) == 0) names.push_back(entry.path().filename());
        return names;
    }
    std::string clip;
};

}  // namespace

// A strip wide enough for all 20 thumbnails of the 3 s clip: cells of 162.
TEST_F(Filmstrips, ThumbnailsArriveAndTheWindowSeeksFollowsAndZooms) {
    host.SetVar("[Clip]", clip);
    ASSERT_EQ(Script("Rectangle Player 160 90\n"
                     "Rectangle Strip 3240 90\n"
                     "QMT_PlayerCreate \"Player\" \"[Clip]\" \"\"\n"
                     "QMT_FrameStripCreate \"Strip\" \"[Clip]\" \"Player\"\n"),
              "");
    EXPECT_EQ(Var("[QMT_Status]"), "FrameStrip created");
    std::vector<std::string> log = Shot("Strip");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "window QMT_FrameStripWnd 3240x90");
    // Scripts can give background work time with Wait.
    EXPECT_EQ(Script("Sleep 20\n"), "");
    EXPECT_EQ(Script("Wait\n"), "line 1: usage: Wait Milliseconds");
    ASSERT_TRUE(WaitFor([&] { return Count(Shot("Strip"), "bitmap ") == 20; }));
    EXPECT_TRUE(WaitFor([&] { return Leftovers().empty(); }, 10000));
    log = Shot("Strip");
    EXPECT_TRUE(Has(log, "fill 0 0 3240 90 #141419"));
    EXPECT_EQ(Count(log, "text 0 0 3240 90 "), 0);  // "Extracting frames..." has gone
    EXPECT_EQ(Count(log, "bitmap 3078 0 3238 90 "), 1);  // the 20th, unscaled at the cell size
    EXPECT_TRUE(Has(log, "text 3080 79 3238 90 #c8c8c8 layout=0 font=\"Consolas 10\" \"0:03\""));

    // A click on the sixth cell seeks the player to 5/19 of the probed duration.
    double duration = qt::Probe(clip).duration;
    ASSERT_GT(duration, 2.9);
    MciLog();
    ASSERT_EQ(Script("Click Strip 820 40\n"), "");
    int seekMs = static_cast<int>(5.0 / 19 * duration * 1000.0);
    EXPECT_EQ(MciLog(), std::vector<std::string>{"seek qmt_p0 to " + std::to_string(seekMs)});
    EXPECT_EQ(Var("[QMT_SplitIndex]"), "-1");

    // Playing on: the timer's paint puts the playhead on the playing frame.
    ASSERT_EQ(Script("QMT_PlayerPlay \"Player\"\nMciClock 1200\nTick Strip 1\n"), "");
    int frame = static_cast<int>((seekMs + 1200) / (duration * 1000.0) * 19);
    int x = frame * 162 + 80;
    log = Shot("Strip");
    EXPECT_TRUE(Has(log, "line " + std::to_string(x) + " 0 " + std::to_string(x) + " 90 #ff3232 width=2 style=0"))
        << frame;

    // A split at the playhead, then picked with the mouse: no seek.
    ASSERT_EQ(Script("QMT_PlayerPause \"Player\"\nQMT_SplitAdd \"Strip\"\nClick Strip 5 40\n"), "");
    EXPECT_EQ(Var("[QMT_SplitIndex]"), "-1");
    MciLog();
    ASSERT_EQ(Script("Click Strip " + std::to_string(x + 3) + " 60\n"), "");
    EXPECT_EQ(Var("[QMT_Status]"), "Split selected");
    EXPECT_EQ(Var("[QMT_SplitIndex]"), "0");
    EXPECT_EQ(MciLog(), std::vector<std::string>{});
    log = Shot("Strip");
    EXPECT_TRUE(Has(log, "line " + std::to_string(x) + " 0 " + std::to_string(x) + " 90 #ffc828 width=3 style=0"));

    // Ctrl+wheel: level 4, cells of 240 + 2; the plain wheel scrolls three frames a notch.
    ASSERT_EQ(Script("Wheel Strip 100 40 120 Ctrl\nWheel Strip 100 40 -120\n"), "");
    log = Shot("Strip");
    EXPECT_TRUE(Has(log, "fill 242 78 482 90 #000000"));
    EXPECT_TRUE(Has(log, "text 2 79 240 90 #c8c8c8 layout=0 font=\"Consolas 10\" \"0:00\""));  // frame 3 of 3 s
    ASSERT_EQ(Script("QMT_FrameStripZoom \"Strip\" \"1\"\n"), "");
    EXPECT_EQ(Var("[QMT_ZoomLevel]"), "1");
    EXPECT_TRUE(Has(Shot("Strip"), "fill 82 78 162 90 #000000"));

    ASSERT_EQ(Script("QMT_FrameStripDestroy \"strip\"\n"), "");
    EXPECT_EQ(Var("[QMT_Status]"), "FrameStrip destroyed");
    EXPECT_EQ(hwFindChild(host.Rectangle("Strip"), "QMT_"), 0);
}

TEST_F(Filmstrips, DestroyAndRecreateWhileAThumbnailRunIsStuck) {
    qt::ToolRecorder& rec = Record();
    rec.DelayWhen("bgr24");
    host.SetVar("[Clip]", clip);
    ASSERT_EQ(Script("Rectangle Strip 480 90\nQMT_FrameStripCreate \"Strip\" \"[Clip]\" \"Player\"\n"), "");
    ASSERT_TRUE(WaitFor([&] { return !rec.DelayedPids().empty(); }, 60000));
    intptr_t window = hwFindChild(host.Rectangle("Strip"), "QMT_");
    ASSERT_NE(window, 0);
    EXPECT_EQ(Count(Shot("Strip"), "text 0 0 480 90 #b4b4b4 layout=1 font=\"Segoe UI 14\" \"Extracting frames...\""),
              1);

    // Re-created under the same name: the stuck run is ended within the
    // 3 s wait and the strip starts again in a new window.
    long long t0 = Now();
    ASSERT_EQ(Script("QMT_FrameStripCreate \"STRIP\" \"[Clip]\" \"Player\"\n"), "");
    EXPECT_LT(Now() - t0, 3000);
    EXPECT_EQ(Var("[QMT_Status]"), "FrameStrip created");
    int first = rec.DelayedPids()[0];
    EXPECT_NE(kill(first, 0), 0);
    EXPECT_FALSE(hwIsWindow(window));
    ASSERT_TRUE(WaitFor([&] { return rec.DelayedPids().size() == 2; }, 60000));

    // Destroyed while stuck again: back within the 5 s wait, no child, no window, no file.
    t0 = Now();
    ASSERT_EQ(Script("QMT_FrameStripDestroy \"Strip\"\n"), "");
    EXPECT_LT(Now() - t0, 5000);
    EXPECT_EQ(Var("[QMT_Status]"), "FrameStrip destroyed");
    EXPECT_NE(kill(rec.DelayedPids()[1], 0), 0);
    EXPECT_EQ(hwFindChild(host.Rectangle("Strip"), "QMT_"), 0);
    EXPECT_EQ(Script("Tick Strip 1\n"), "line 1: no plug-in window in Rectangle Strip");
    EXPECT_TRUE(Leftovers().empty());
    EXPECT_EQ(rec.RunCount(), 2u);
}
