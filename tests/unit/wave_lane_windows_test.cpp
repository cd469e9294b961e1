// The waveform and track-lane windows on the headless stand-in: what they
// paint for records given their peaks by hand (the workers' own analysis is
// in strip_workers_test), where a click seeks the player, and the create
// actions' messages and limits.
#include <gtest/gtest.h>
#include "platform/headless/picture_file.h"
#include "strips/filmstrip_record.h"
#include "strips/strip_records.h"
#include "strips/thumbnail_bitmap.h"
#include "strips/track_lane_record.h"
#include "strips/waveform_record.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/window_test.h"
#include "toolchain/tool_location.h"

namespace {

using wt::Has;

class WaveLaneWindows : public ::testing::Test {
protected:
    void SetUp() override {
        capture::Install();
        wt::Page::Open();
        tools = g_tools;
        g_tools = ToolLocation{true, "", "/nonexistent/ffmpeg", "/nonexistent/ffprobe", ""};  // no tool starts
        dir = qt::MakeTempDir("wave_lane_windows");
        video = dir + "/video.mp4";  // stands in for a video: no tool reads it
        qt::Shell("printf x > '" + video + "'");
    }
    void TearDown() override {
        wt::Page::Close();
        EXPECT_EQ(LiveThumbnailBitmaps(), 0);
        g_tools = tools;
        capture::Remove();
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    // A player of a 3 s clip, 1.5 s in.
    void PlayerHalfWay() {
        wt::Page::AddRect("Player", 320, 180);
        hmMciSetNextLength(3000);
        wt::Call(121, {"Player", video, ""});
        wt::Call(123, {"Player"});
        hmMciAdvanceClock(1500);
        hmMciClearLog();
    }
    // The window a create action made in `rect`, of its class, with its follow timer running.
    static intptr_t Created(const std::string& rect, const char* className, int timerId, const char* status) {
        EXPECT_EQ(capture::Last("[QMT_Status]"), status);
        intptr_t window = wt::Page::Window(rect);
        EXPECT_STREQ(window ? hwGetClassName(window) : "", className);
        EXPECT_EQ(hwTimerPeriod(window, timerId), 100);
        return window;
    }
    static std::string LastMci() { return hmMciLogCount() ? hmMciLogEntry(hmMciLogCount() - 1) : ""; }

    ToolLocation tools;
    std::string dir, video;
};

}  // namespace

TEST_F(WaveLaneWindows, WaveformDrawsTheSoundThePlayheadRulerAndTrimMarks) {
    PlayerHalfWay();
    wt::Page::AddRect("Wave", 400, 80);
    wt::Call(145, {"Wave", video, "player"});
    intptr_t window = Created("Wave", "QMT_WaveformWnd", kWaveformTimerId, "Waveform created");
    ASSERT_NE(window, 0);
    WaveformRecord& wave = *WaveformAt(FindWaveform("WAVE"));
    EXPECT_EQ(wave.waveWindow, WindowHandle{window});
    ASSERT_TRUE(qt::WaitUntil([&] { return !wave.analysing; }, 60000));
    const std::string analysing = "text 0 0 400 80 #8c8ca0 layout=1 font=\"Segoe UI 12\" \"Analyzing audio...\"";
    EXPECT_EQ(wt::Paint(window), (std::vector<std::string>{"fill 0 0 400 80 #0f0f14", analysing}));
    wave.noSound = true;
    EXPECT_EQ(wt::Paint(window)[1], "text 0 0 400 80 #8c8ca0 layout=1 font=\"Segoe UI 12\" \"No audio\"");

    // 3 s of 4000 peaks: silence, then a quarter, then half of full scale.
    wave.noSound = false;
    wave.duration = 3.0;
    for (int i = 0; i < 4000; ++i) wave.peaks[i] = i < 1000 ? 0.0f : i < 2000 ? 0.25f : 0.5f;
    wave.peakCount = 4000;
    wt::Page::Vars()["[TrimIn]"] = "0:01";  // [TrimStart] is empty, so [TrimIn] holds the in-point
    wt::Page::Vars()["[TrimEnd]"] = "2.5";
    wt::Page::Vars()["[TrimOut]"] = "0.2";  // not read while [TrimEnd] has a value
    std::vector<std::string> log = wt::Paint(window);
    ASSERT_EQ(log.size(), 408u);
    EXPECT_EQ(log[1], "line 0 40 400 40 #282832 width=1 style=0");
    // One line per column around the centre, every tenth peak; silence is still two pixels.
    EXPECT_EQ(log[2 + 0], "line 0 39 0 41 #00b478 width=1 style=0");
    EXPECT_EQ(log[2 + 100], "line 100 31 100 49 #00b478 width=1 style=0");
    EXPECT_EQ(log[2 + 399], "line 399 21 399 59 #00b478 width=1 style=0");
    EXPECT_EQ(std::vector<std::string>(log.begin() + 402, log.end()),
              (std::vector<std::string>{
                  "line 200 0 200 80 #ff3c3c width=2 style=0",  // the playhead at 1.5 s, white on its left
                  "line 199 0 199 80 #ffffff width=1 style=0",
                  "line 266 70 266 80 #3c3c4b width=1 style=0",  // under 10 s a tick every 2 s
                  "text 268 69 400 80 #646478 layout=0 font=\"Segoe UI 9\" \"0:02\"",
                  "line 133 0 133 80 #00e650 width=2 style=0",  // in at 1 s, out at 2.5 s
                  "line 333 0 333 80 #ff3232 width=2 style=0",
              }));

    // A click seeks the player to its fraction of the duration; the timer repaints.
    wt::Send(window, HW_PRESS, 100, 30, 0, HW_LEFT_BUTTON);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to 750");
    int before = hwInvalidationCount(window);
    wt::Send(window, HW_TIMER, 0, 0, 0, 0, kWaveformTimerId);
    EXPECT_EQ(hwInvalidationCount(window), before + 1);

    // Without a player there is no playhead, and a click seeks nothing.
    wt::Call(122, {"Player"});
    hmMciClearLog();
    EXPECT_FALSE(Has(wt::Paint(window), "line 200 0 200 80 #ff3c3c width=2 style=0"));
    wt::Send(window, HW_PRESS, 100, 30, 0, HW_LEFT_BUTTON);
    EXPECT_EQ(hmMciLogCount(), 0);

    wt::Call(146, {"wave"});
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(hwTimerPeriod(window, kWaveformTimerId), 0);
    EXPECT_EQ(FindWaveform("Wave"), -1);
}

TEST_F(WaveLaneWindows, LanesDrawHeadersPeaksBorrowedThumbnailsAndThePlayhead) {
    PlayerHalfWay();
    // A filmstrip of the same video with 20 thumbnails, made here without its worker.
    std::string bmp = dir + "/thumb.bmp";
    ASSERT_TRUE(WriteBmpFile(bmp, BlankPicture(160, 90, 0x808080)));
    int strip = OpenFrameStrip("Strip", video, "Player", kNoWindow, 320, 90);
    ASSERT_GE(strip, 0);
    FrameStripRecord& s = *FrameStripAt(strip);
    for (int i = 0; i < 20; ++i) StoreThumbnail(s, i, LoadThumbnailBitmap(bmp, 160, 90));

    wt::Page::AddRect("Lanes", 300, 80);
    wt::Call(148, {"Lanes", video, "", "Player"});
    intptr_t window = Created("Lanes", "QMT_TrackLaneWnd", kTrackLaneTimerId, "Track lanes created");
    ASSERT_NE(window, 0);
    TrackLaneRecord& d = *TrackLaneAt(FindTrackLane("lanes"));
    ASSERT_TRUE(qt::WaitUntil([&] { return !d.analysing; }, 60000));
    EXPECT_EQ(d.lanes[0].linkedStrip, strip);
    d.duration = 3.0;
    d.lanes[1].peakCount = 0;
    d.lanes[1].noSound = 0;

    // Two lanes of 40: V1 with thumbnails 67 wide in cells of 68 (frames 0, 5,
    // 10, 15), A1 still analysing, and the playhead half-way across the lanes.
    std::vector<std::string> expected = {
        "fill 0 0 300 80 #121216",
        "fill 28 1 300 39 #16161c",
        "fill 0 0 28 40 #508cff",
        "text 2 2 26 40 #ffffff layout=1 font=\"Segoe UI 10 bold\" \"V1\"",
    };
    for (int i = 0; i < 4; ++i)
        expected.push_back("bitmap " + std::to_string(28 + i * 68) + " 1 " + std::to_string(95 + i * 68) +
                           " 39 #000000 bitmap=" + std::to_string(static_cast<long long>(s.thumbnails[i * 5])) +
                           " mode=1");
    for (const char* line : {"line 0 39 300 39 #32323c width=1 style=0", "fill 28 41 300 79 #16161c",
                             "fill 0 40 28 80 #00b478",
                             "text 2 42 26 80 #ffffff layout=1 font=\"Segoe UI 10 bold\" \"A1\"",
                             "text 28 41 300 79 #50505a layout=1 font=\"Segoe UI 10\" \"Analyzing...\"",
                             "line 0 79 300 79 #32323c width=1 style=0", "line 164 0 164 80 #ff3232 width=2 style=0"})
        expected.push_back(line);
    EXPECT_EQ(wt::Paint(window), expected);

    // Clicks: the header column seeks to the start, the middle of the lanes to half the duration.
    wt::Send(window, HW_PRESS, 10, 60, 0, HW_LEFT_BUTTON);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to 0");
    wt::Send(window, HW_PRESS, 28 + 136, 20, 0, HW_LEFT_BUTTON);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to 1500");

    // A third lane makes three of 26: A1's half-scale peaks reach 5 of 11
    // pixels; V1 without its filmstrip says so.
    for (int i = 0; i < 2000; ++i) d.lanes[1].peaks[i] = 0.5f;
    d.lanes[1].peakCount = 2000;
    wt::Call(149, {"Lanes", dir + "/voice.wav", "Voice", "PINK"});
    ASSERT_EQ(d.laneCount, 3);
    CloseFrameStrip(strip, kStripDestroyWaitMs);
    std::vector<std::string> log = wt::Paint(window);
    EXPECT_TRUE(Has(log, "text 28 1 300 25 #50505a layout=1 font=\"Segoe UI 10\" \"No video\""));
    EXPECT_TRUE(Has(log, "line 128 34 128 44 #00b478 width=1 style=0"));
    EXPECT_TRUE(Has(log, "fill 0 52 28 78 #ff6496"));
    EXPECT_TRUE(Has(log, "text 2 54 26 78 #ffffff layout=1 font=\"Segoe UI 10 bold\" \"Voice\""));

    wt::Call(150, {"LANES"});
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(FindTrackLane("Lanes"), -1);
}

TEST_F(WaveLaneWindows, CreateMessagesAndLimits) {
    wt::Call(145, {"Nowhere", "/v.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Rectangle not found.");
    wt::Call(148, {"Nowhere", "/v.mp4", "", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Rectangle not found.");
    for (int i = 0; i < 5; ++i) wt::Page::AddRect("W" + std::to_string(i), 100, 40);
    capture::writes.clear();
    for (int i = 0; i < 4; ++i) wt::Call(145, {"W" + std::to_string(i), "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Values("[QMT_Status]"), std::vector<std::string>(4, "Waveform created"));
    wt::Call(145, {"W4", "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max waveforms reached.");
    // Created again under its name in another case, a waveform keeps its place.
    intptr_t old = wt::Page::Window("W1");
    wt::Call(145, {"w1", "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Waveform created");
    EXPECT_FALSE(hwIsWindow(old));
    EXPECT_NE(wt::Page::Window("W1"), 0);

    wt::Call(148, {"W0", "/missing.mp4", "", "Player"});
    wt::Call(148, {"W1", "/missing.mp4", "", "Player"});
    capture::writes.clear();
    wt::Call(148, {"W2", "/missing.mp4", "", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max track lanes reached.");
    wt::Call(149, {"W3", "/a.wav", "A2", "green"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Track lane not found.");
    capture::writes.clear();
    for (int i = 0; i < 2; ++i) wt::Call(149, {"W0", "/a.wav", "A" + std::to_string(i + 2), "green"});
    EXPECT_TRUE(capture::writes.empty());  // nothing is reported when a lane is added
    EXPECT_EQ(TrackLaneAt(FindTrackLane("W0"))->lanes[2].colour, Rgb(255, 160, 30));
    wt::Call(149, {"W0", "/a.wav", "A5", "pink"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max lanes reached.");
    // Destroying what is not there is silent.
    capture::writes.clear();
    wt::Call(146, {"Nowhere"});
    wt::Call(150, {"Nowhere"});
    EXPECT_TRUE(capture::writes.empty());
}
