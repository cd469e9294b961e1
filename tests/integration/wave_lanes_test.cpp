// The waveform and the track lanes through the host: created beside a player
// on a generated clip, analysed with the real ffmpeg, following the player
// as its clock is stepped, seeking it on a click, and gone with their
// Rectangle's page.
#include <gtest/gtest.h>
#include <unistd.h>
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
        clip = qt::ClipAV(3.0, 160, 90);
        host.SetVar("[Clip]", clip);
    }
    std::string Script(const std::string& text, std::string* out = nullptr) {
        std::string printed, err;
        host.RunScript(text, &printed, &err);
        if (out) *out = printed;
        return err;
    }
    // The draw log of the window in `rect` once it no longer says it is analysing.
    std::string AnalysedCapture(const std::string& rect) {
        std::string shot = Out(rect + ".txt"), log;
        host.SetVar("[Shot]", shot);
        for (int i = 0; i < 1200; ++i) {
            EXPECT_EQ(Script("Capture " + rect + " \"[Shot]\"\n"), "");
            log = qt::ReadFile(shot);
            if (log.find("Analyzing") == std::string::npos) break;
            usleep(50000);
        }
        return log;
    }
    static bool Has(const std::string& log, const std::string& line) {
        return log.find("\n" + line + "\n") != std::string::npos;
    }
    std::string clip;
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
    ASSERT_NE(wave, 0);
    EXPECT_STREQ(hwGetClassName(wave), "QMT_WaveformWnd");
    EXPECT_EQ(hwTimerPeriod(wave, 2), 100);
    EXPECT_EQ(hwTimerPeriod(hwFindChild(host.Rectangle("Lanes1"), "QMT_"), 3), 100);
    std::string log = AnalysedCapture("Wave1");
    ASSERT_EQ(log.find("Analyzing"), std::string::npos) << log;
    EXPECT_EQ(log.substr(0, 54), "window QMT_WaveformWnd 300x60\nfill 0 0 300 60 #0f0f14\n");
    EXPECT_TRUE(Has(log, Line(0, 30, 300, 30, "#282832", 1)));
    AnalysedCapture("Lanes1");

    // Playing for 1.5 s of the clip: both playheads half-way (the clip lasts
    // what the plug-in probed, as the MCI device reports its length).
    std::string out;
    ASSERT_EQ(Script("QMT_PlayerPlay \"Player1\"\nMciClock 1500\nTick Wave1\nTick Lanes1 3\n"
                     "QMT_GetDuration \"[Clip]\" \"[D]\"\n",
                     &out),
              "");
    double duration = atof(host.Var("[QMT_DurationSec]").c_str());
    ASSERT_GT(duration, 2.9);
    int x = static_cast<int>(1500 / (duration * 1000) * 300);
    log = AnalysedCapture("Wave1");
    EXPECT_TRUE(Has(log, Line(x, 0, x, 60, "#ff3c3c", 2))) << log.substr(log.size() - 400);
    EXPECT_TRUE(Has(log, Line(x - 1, 0, x - 1, 60, "#ffffff", 1)));
    int lx = static_cast<int>(1500 / (duration * 1000) * 272) + 28;
    log = AnalysedCapture("Lanes1");
    EXPECT_TRUE(Has(log, Line(lx, 0, lx, 80, "#ff3232", 2))) << log.substr(log.size() - 400);
    EXPECT_TRUE(Has(log, "fill 0 0 28 40 #508cff"));
    EXPECT_TRUE(Has(log, "fill 0 40 28 80 #00b478"));

    // Clicks seek the player without starting it.
    ASSERT_EQ(Script("MciLog\nQMT_PlayerPause \"Player1\"\nClick Wave1 75 30\nClick Lanes1 5 70\nClick Lanes1 232 10\n"
                     "MciLog\n",
                     &out),
              "");
    size_t after = out.find("pause qmt_p0");
    ASSERT_NE(after, std::string::npos) << out;
    std::string seeks = out.substr(after);
    EXPECT_NE(seeks.find("seek qmt_p0 to " + std::to_string(static_cast<int>(0.25 * duration * 1000)) + "\n"),
              std::string::npos)
        << seeks;
    EXPECT_NE(seeks.find("seek qmt_p0 to 0\n"), std::string::npos) << seeks;
    EXPECT_NE(seeks.find("seek qmt_p0 to " + std::to_string(static_cast<int>(0.75 * duration * 1000)) + "\n"),
              std::string::npos)
        << seeks;
    EXPECT_EQ(seeks.find("play"), std::string::npos) << seeks;

    // Destroying one leaves the other; leaving the page takes the rest.
    ASSERT_EQ(Script("QMT_WaveformDestroy \"wave1\"\n"), "");
    EXPECT_FALSE(hwIsWindow(wave));
    EXPECT_EQ(Script("Click Wave1 1 1\n"), "line 1: no plug-in window in Rectangle Wave1");
    host.Message(2);
    EXPECT_EQ(Script("Capture Lanes1 \"[Shot]\"\n"), "line 1: no plug-in window in Rectangle Lanes1");
    EXPECT_TRUE(qt::Shell("ls '" + tmp + "' | grep -q qmt_") != 0) << "temporary files left";
}
