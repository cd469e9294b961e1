// The waveform and the track lanes through the host: created beside a player
// on a generated clip, analysed with the real ffmpeg, following the player
// as its clock is stepped, seeking it on a click, and gone with their
// Rectangle's page. What they paint for given peaks is in the unit
// wave_lane_windows_test.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "platform/headless/headless_window.h"
#include "tests/support/test_support.h"

namespace {

class WaveLanesHost : public qt::PluginTest {
protected:
    void SetUp() override {
        qt::PluginTest::SetUp();
        Record();
        host.SetVar("[Clip]", qt::ClipAV(3.0, 160, 90));
    }
    // The draw log of the window in `rect` once it no longer says it is
    // analysing; a failure when it still does after two minutes.
    std::string AnalysedCapture(const std::string& rect) {
        std::string log;
        EXPECT_TRUE(qt::WaitUntil([&] { return (log = Capture(rect)).find("Analyzing") == std::string::npos; },
                                  120000))
            << rect << " is still analysing:" << log;
        return log;
    }
};

std::string Line(int x1, int y1, int x2, int y2, const char* colour, int width) {
    return "line " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
           std::to_string(y2) + " " + colour + " width=" + std::to_string(width) + " style=0";
}

}  // namespace

TEST_F(WaveLanesHost, BothFollowThePlayerAndSeekItOnAClick) {
    ASSERT_EQ(Script("MciClock 0\n"
                     "Rectangle Player1 320 180\n"
                     "QMT_PlayerCreate \"Player1\" \"[Clip]\" \"[State]\"\n"
                     "Assert [State] \"Ready\"\n"
                     "Rectangle Wave1 300 60\n"
                     "QMT_WaveformCreate \"Wave1\" \"[Clip]\" \"Player1\"\n"
                     "Assert [QMT_Status] \"Waveform created\"\n"
                     "Rectangle Lanes1 300 80\n"
                     "QMT_TrackLaneCreate \"Lanes1\" \"[Clip]\" \"\" \"Player1\"\n"
                     "Assert [QMT_Status] \"Track lanes created\"\n"),
              "");
    intptr_t wave = hwFindChild(host.Rectangle("Wave1"), "QMT_");
    std::string log = AnalysedCapture("Wave1");
    EXPECT_EQ(log.substr(0, 55), "\nwindow QMT_WaveformWnd 300x60\nfill 0 0 300 60 #0f0f14\n");
    EXPECT_TRUE(Has(log, Line(0, 30, 300, 30, "#282832", 1)));
    EXPECT_GT(Count(log, "line "), 300);  // the centre line and a line per column
    AnalysedCapture("Lanes1");

    // Playing for 1.5 s of the clip: the lanes' playhead half-way (the clip
    // lasts what the plug-in probed, as the MCI device reports its length);
    // a click on the waveform seeks the player without starting it.
    ASSERT_EQ(Script("QMT_PlayerPlay \"Player1\"\nMciClock 1500\nTick Lanes1 3\nQMT_GetDuration \"[Clip]\" \"[D]\"\n"),
              "");
    double duration = atof(host.Var("[QMT_DurationSec]").c_str());
    ASSERT_GT(duration, 2.9);
    int x = static_cast<int>(1500 / (duration * 1000) * 272) + 28;
    EXPECT_TRUE(Has(AnalysedCapture("Lanes1"), Line(x, 0, x, 80, "#ff3232", 2)));
    ASSERT_EQ(Script("QMT_PlayerPause \"Player1\"\n"), "");
    MciLog();
    ASSERT_EQ(Script("Click Wave1 75 30\n"), "");
    EXPECT_EQ(MciLog(), std::vector<std::string>{"seek qmt_p0 to " + std::to_string(int(0.25 * duration * 1000))});

    // Destroying one leaves the other; leaving the page takes the rest.
    ASSERT_EQ(Script("QMT_WaveformDestroy \"wave1\"\n"), "");
    EXPECT_FALSE(hwIsWindow(wave));
    EXPECT_EQ(Script("Click Wave1 1 1\n"), "line 1: no plug-in window in Rectangle Wave1");
    host.Message(2);
    EXPECT_EQ(Script("Capture Lanes1 \"[Shot]\"\n"), "line 1: no plug-in window in Rectangle Lanes1");
    EXPECT_TRUE(Leftovers().empty());
}
