// The filmstrip, waveform and track-lane windows on the headless stand-in:
// the create actions' steps and limits, what each paints (draw log) for
// records given their frames or peaks by hand (the workers' own runs are in
// strip_workers_test), and clicks, wheel turns and timer ticks driven as
// injected input, with the player answered by the stand-in MCI device.
#include <gtest/gtest.h>
#include <algorithm>
#include "platform/headless/picture_file.h"
#include "strips/filmstrip_record.h"
#include "strips/filmstrip_window.h"
#include "strips/split_list.h"
#include "strips/strip_records.h"
#include "strips/thumbnail_bitmap.h"
#include "strips/track_lane_record.h"
#include "strips/waveform_record.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/window_test.h"
#include "toolchain/tool_location.h"

namespace {

using wt::Count;
using wt::Has;

class FilmstripWindow : public ::testing::Test {
protected:
    void SetUp() override {
        capture::Install();
        wt::Page::Open();
        g_tools = ToolLocation{true, "", "/nonexistent/ffmpeg", "/nonexistent/ffprobe", ""};  // no probe starts
        dir = qt::MakeTempDir("strip_windows");
        video = dir + "/video.mp4";  // stands in for a video: no tool reads it
        qt::Shell("printf x > '" + video + "'");
    }
    void TearDown() override {
        wt::Page::Close();
        EXPECT_EQ(LiveThumbnailBitmaps(), 0);
        if (!HasFailure()) qt::RemoveTree(dir);
    }
    std::string Error() const { return capture::Last("[QMT_Error]"); }
    // Creates the strip through its action in a Rectangle of that size and
    // waits for its worker, which finds no tool.
    FrameStripRecord* Create(int width, int height, const std::string& name = "Strip") {
        if (!wt::Page::Rects().count(name)) wt::Page::AddRect(name, width, height);
        wt::Call(141, {name, video, "Player"});
        FrameStripRecord* strip = FrameStripAt(FindFrameStrip(name));
        if (strip) EXPECT_TRUE(qt::WaitUntil([&] { return !strip->extracting; }, 60000));
        return strip;
    }
    // Gives the strip `frames` grey thumbnails of its cell size over `duration` seconds.
    void Fill(FrameStripRecord& strip, int frames, double duration) {
        std::string bmp = dir + "/thumb.bmp";
        ASSERT_TRUE(WriteBmpFile(bmp, BlankPicture(strip.cellWidth, strip.thumbHeight, 0x808080)));
        for (int i = 0; i < frames; ++i)
            StoreThumbnail(strip, i, LoadThumbnailBitmap(bmp, strip.cellWidth, strip.thumbHeight));
        strip.duration = duration;
    }
    // A player in its own Rectangle whose stand-in device is `lengthMs` long,
    // stopped at `positionMs`.
    void AddPlayer(double lengthMs, int positionMs) {
        wt::Page::AddRect("Player", 160, 90);
        hmMciSetNextLength(lengthMs);
        wt::Call(121, {"Player", video, ""});
        ASSERT_EQ(hmMciSendString(("seek qmt_p0 to " + std::to_string(positionMs)).c_str(), nullptr, 0), 0u);
        hmMciClearLog();
    }
    static std::vector<std::string> Paint(const FrameStripRecord& strip) {
        return wt::Paint(HandleBits(strip.stripWindow));
    }
    static void Send(const FrameStripRecord& strip, int type, int x, int delta = 0, int flags = 0) {
        wt::Send(HandleBits(strip.stripWindow), type, x, 40, delta, flags, kStripFollowTimerId);
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

    std::string dir, video;
};

using WaveLaneWindows = FilmstripWindow;

}  // namespace

TEST_F(FilmstripWindow, CreateMakesTheWindowTimerAndWorkerAndSaysSoWhileExtracting) {
    wt::Call(141, {"Nowhere", video, "Player"});
    EXPECT_EQ(Error(), "Rectangle not found.");
    wt::Call(141, {std::string(128, 'r'), video, "Player"});
    EXPECT_EQ(Error(), "Rectangle name too long.");

    intptr_t rect = wt::Page::AddRect("Strip", 640, 90);
    wt::Call(141, {"Strip", video, "Player"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "FrameStrip created");
    FrameStripRecord* strip = FrameStripAt(FindFrameStrip("strip"));
    ASSERT_NE(strip, nullptr);
    intptr_t window = HandleBits(strip->stripWindow);
    EXPECT_EQ(hwFindChild(rect, "QMT_"), window);
    EXPECT_EQ(hwTimerPeriod(window, kStripFollowTimerId), 200);
    EXPECT_EQ(strip->cellWidth, 160);  // 90 pixels high: 16:9
    ASSERT_TRUE(qt::WaitUntil([&] { return !strip->extracting; }, 60000));
    // No frame yet: the background and the one line of text, nothing else.
    EXPECT_EQ(Paint(*strip), (std::vector<std::string>{
                                 "fill 0 0 640 90 #141419",
                                 "text 0 0 640 90 #b4b4b4 layout=1 font=\"Segoe UI 14\" \"Extracting frames...\""}));

    // The same name in any case replaces the strip, window and all, at the
    // middle zoom level again.
    wt::Call(147, {"Strip", "5"});
    wt::Call(141, {"STRIP", video, "Player"});
    EXPECT_EQ(strip->zoomLevel, 3);
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(FindFrameStrip("Strip"), 0);
    EXPECT_EQ(hwFindChild(rect, "QMT_"), HandleBits(strip->stripWindow));

    Create(300, 90, "Second");
    Create(300, 90, "Third");
    Create(300, 90, "Fourth");
    wt::Page::AddRect("Fifth", 300, 90);
    wt::Call(141, {"Fifth", video, "Player"});
    EXPECT_EQ(Error(), "Max filmstrips reached.");
    EXPECT_EQ(hwFindChild(wt::Page::Rects()["Fifth"], "QMT_"), 0);

    // Destroy takes the window and its timer with it.
    intptr_t last = HandleBits(strip->stripWindow);
    wt::Call(142, {"strip"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "FrameStrip destroyed");
    EXPECT_FALSE(hwIsWindow(last));
    EXPECT_EQ(FindFrameStrip("Strip"), -1);
}

// 1280 x 90: cells of 162, frames 0..7 in view; 20 frames over 30 s, so a
// time t sits on frame trunc(t / 30 x 19).
TEST_F(FilmstripWindow, EachLayerIsDrawnWhereTheGeometryPutsIt) {
    FrameStripRecord* strip = Create(1280, 90);
    ASSERT_NE(strip, nullptr);
    Fill(*strip, 20, 30.0);
    AddPlayer(30000, 6000);  // 6 s: frame 3, x = 3 x 162 + 80
    wt::Page::Vars()["[TrimStart]"] = "";
    wt::Page::Vars()["[TrimIn]"] = "0:03";  // frame 1: x 162
    wt::Page::Vars()["[TrimEnd]"] = "9";    // frame 5: x 810
    wt::Page::Vars()["[TrimOut]"] = "20";   // not used while [TrimEnd] has a value
    wt::Call(143, {"Strip", "12", "Green", "#00ff00"});  // frame 7: x 1214
    wt::Call(143, {"Strip", "0:10.5", "", "#0f0"});      // frame 6: x 1052
    wt::Call(143, {"Strip", "40", "gone", "blue"});      // frame 25: off the strip
    ASSERT_TRUE(AddSplitAt(*strip, 7.5).ok);          // frame 4: x 728, selected
    ASSERT_TRUE(AddSplitAt(*strip, 3.2).ok);          // frame 2: x 404
    ASSERT_TRUE(AddSplitAt(*strip, 10.0).ok);         // frame 6: x 1052
    strip->selectedSplit = 0;                        // the one at 3.2 s

    std::vector<std::string> log = Paint(*strip);
    // Thumbnails: frames 0..8 (7 full cells + 2), each unscaled in its cell with its time label.
    EXPECT_EQ(Count(log, "bitmap "), 9);
    EXPECT_TRUE(Has(log, "bitmap 324 0 484 90 #000000 bitmap=" +
                             std::to_string(static_cast<long long>(strip->thumbnails[2])) + " mode=0"));
    EXPECT_TRUE(Has(log, "text 326 79 484 90 #c8c8c8 layout=0 font=\"Consolas 10\" \"0:03\""));  // 2 x 30 / 19
    // The trim range: hatched outside, IN green at 162, OUT red at 810.
    EXPECT_TRUE(Has(log, "hatch 810 0 1280 90 #0a0a0f"));
    EXPECT_TRUE(Has(log, "line 162 0 162 90 #00e650 width=3 style=0"));
    EXPECT_TRUE(Has(log, "line 810 0 810 90 #ff3232 width=3 style=0"));
    // Separators before each cell, none past the last full one; the playhead.
    EXPECT_TRUE(Has(log, "line 1133 0 1133 90 #2c2c30 width=1 style=0"));
    EXPECT_EQ(Count(log, "line 1295 "), 0);
    EXPECT_TRUE(Has(log, "line 566 0 566 90 #ff3232 width=2 style=0"));
    // Markers in their colours (#0f0 is no colour: yellow); the one past the end is not drawn.
    EXPECT_TRUE(Has(log, "line 1214 8 1214 90 #00ff00 width=2 style=0"));
    EXPECT_TRUE(Has(log, "line 1052 8 1052 90 #ffdc28 width=2 style=0"));
    EXPECT_EQ(Count(log, "line 4130 "), 0);
    // Splits: the selected one brighter and wider with "CUT", the others orange and silent.
    EXPECT_TRUE(Has(log, "line 404 0 404 90 #ffc828 width=3 style=0"));
    EXPECT_TRUE(Has(log, "text 408 40 421 49 #ffc828 layout=0 font=\"Segoe UI 9 bold\" \"CUT\""));
    EXPECT_TRUE(Has(log, "line 728 0 728 90 #ff8c00 width=2 style=0"));
    EXPECT_EQ(Count(log, "text 732 40 "), 0);
    // The order of the layers: picture, trim, separators, playhead, markers, splits.
    auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
    EXPECT_LT(at("hatch 810 0 1280 90 #0a0a0f"), at("line 1133 0 1133 90 #2c2c30 width=1 style=0"));
    EXPECT_LT(at("line 1133 0 1133 90 #2c2c30 width=1 style=0"), at("line 566 0 566 90 #ff3232 width=2 style=0"));
    EXPECT_LT(at("line 566 0 566 90 #ff3232 width=2 style=0"), at("line 1214 8 1214 90 #00ff00 width=2 style=0"));
    EXPECT_LT(at("line 1214 8 1214 90 #00ff00 width=2 style=0"), at("line 728 0 728 90 #ff8c00 width=2 style=0"));
}

TEST_F(FilmstripWindow, TransitionsAndInsertedClipsAreLabelledOnTheirSplits) {
    FrameStripRecord* strip = Create(1280, 90);
    ASSERT_NE(strip, nullptr);
    Fill(*strip, 20, 30.0);
    ASSERT_TRUE(AddSplitAt(*strip, 7.5).ok);  // x 728
    std::string clip = dir + "/an_intro_clip_with_a_long_name.mp4";
    qt::Shell("printf x > '" + clip + "'");
    wt::Call(185, {"Strip", "Dissolve", "2"});
    wt::Call(190, {"Strip", clip});
    std::vector<std::string> log = Paint(*strip);
    // The name centred on the line at half height on a black box (the stand-in
    // measures half the font height per character: 36 x 9 for these 8).
    EXPECT_TRUE(Has(log, "text 710 41 746 50 #ffc828 layout=0 font=\"Segoe UI 9 bold\" \"Dissolve\""));
    EXPECT_EQ(Count(log, "text 732 40 "), 0);  // no "CUT" with a transition
    // The clip's file name, cut to 20 characters, in cyan below it.
    EXPECT_TRUE(Has(log, "text 682 53 774 61 #00c8c8 layout=0 font=\"Segoe UI 8 bold\" \"[+an_intro_clip_with_a]\""));
}

TEST_F(FilmstripWindow, AClickSeeksThePlayerOrSelectsTheSplitUnderIt) {
    FrameStripRecord* strip = Create(640, 90);
    ASSERT_NE(strip, nullptr);
    Fill(*strip, 20, 30.0);
    AddPlayer(30000, 0);
    ASSERT_TRUE(AddSplitAt(*strip, 15.0).ok);  // frame 9: x 9 x 162 + 80, far right of the view
    strip->firstVisible = 7;                  // line at 2 x 162 + 80 = 404, hit around 2 x 162 + 81
    capture::writes.clear();

    Send(*strip, HW_PRESS, 397);
    EXPECT_EQ(wt::MciLog(), std::vector<std::string>{});  // 8 pixels off: selected, no seek
    EXPECT_EQ(strip->selectedSplit, 0);
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Split selected");
    EXPECT_EQ(capture::Last("[QMT_SplitIndex]"), "0");
    EXPECT_EQ(capture::Last("[QMT_SplitTimeSec]") + " " + capture::Last("[QMT_SplitExitDuration]"), "15.000 1.00");

    // 9 pixels off: frame 7 + 396 / 162 = 9 of 0..19, trunc(9 / 19 x 30000).
    Send(*strip, HW_PRESS, 396);
    EXPECT_EQ(wt::MciLog(), std::vector<std::string>{"seek qmt_p0 to 14210"});
    EXPECT_EQ(strip->selectedSplit, -1);
    EXPECT_EQ(capture::Last("[QMT_SplitIndex]"), "-1");
    Send(*strip, HW_PRESS, 5);
    EXPECT_EQ(wt::MciLog(), std::vector<std::string>{"seek qmt_p0 to 11052"});  // frame 7
    strip->firstVisible = 18;  // frame 21 is held at the last one
    Send(*strip, HW_PRESS, 600);
    EXPECT_EQ(wt::MciLog(), std::vector<std::string>{"seek qmt_p0 to 30000"});

    // Without its player the click seeks nothing but still clears the selection.
    wt::Call(122, {"Player"});
    wt::MciLog();
    Send(*strip, HW_PRESS, 5);
    EXPECT_EQ(wt::MciLog(), std::vector<std::string>{});
    EXPECT_EQ(capture::Last("[QMT_SplitIndex]"), "-1");
    // Before any frame is ready no split is hit.
    strip->firstVisible = 7;
    strip->framesReady = 0;
    Send(*strip, HW_PRESS, 404);
    EXPECT_EQ(strip->selectedSplit, -1);
}

TEST_F(FilmstripWindow, TheWheelScrollsAndZoomsWhatIsPainted) {
    FrameStripRecord* strip = Create(640, 90);
    ASSERT_NE(strip, nullptr);
    Fill(*strip, 20, 30.0);
    Send(*strip, HW_WHEEL, 100, -240);  // two notches toward the user: six frames on
    EXPECT_EQ(strip->firstVisible, 6);
    std::vector<std::string> log = Paint(*strip);
    EXPECT_TRUE(Has(log, "text 2 79 160 90 #c8c8c8 layout=0 font=\"Consolas 10\" \"0:09\""));  // frame 6
    Send(*strip, HW_WHEEL, 100, -119);  // less than a notch does nothing
    EXPECT_EQ(strip->firstVisible, 6);
    Send(*strip, HW_WHEEL, 100, -120 * 5);  // held at the last frame
    EXPECT_EQ(strip->firstVisible, 19);
    Send(*strip, HW_WHEEL, 100, 120 * 10);
    EXPECT_EQ(strip->firstVisible, 0);

    // Ctrl: one level per notch. A thumbnail made at 160 stays 160 wide in a
    // cell of 240 (level 4), and is cut to a cell of 80 (level 1).
    Send(*strip, HW_WHEEL, 100, 120, HW_CTRL);
    EXPECT_EQ(strip->zoomLevel, 4);
    EXPECT_EQ(Count(Paint(*strip), "bitmap 242 0 402 90 "), 1);
    for (int notch = 0; notch < 2; ++notch) Send(*strip, HW_WHEEL, 100, -120, HW_CTRL);
    Send(*strip, HW_WHEEL, 100, 0, HW_CTRL);  // no delta counts as a turn toward the user
    EXPECT_EQ(strip->zoomLevel, 1);
    EXPECT_EQ(Count(Paint(*strip), "bitmap 82 0 162 90 "), 1);

    // The zoom action: 9 is level 5, "abc" level 1, which halves the 40-pixel
    // base of a Rectangle 20 high.
    wt::Call(147, {"Strip", "9"});
    EXPECT_EQ(capture::Last("[QMT_ZoomLevel]"), "5");
    EXPECT_EQ(strip->cellWidth, 320);
    FrameStripRecord* low = Create(300, 20, "Low");
    ASSERT_NE(low, nullptr);
    EXPECT_EQ(low->cellWidth, 40);  // never narrower than 40 to start with
    wt::Call(147, {"Low", "abc"});
    EXPECT_EQ(capture::Last("[QMT_ZoomLevel]"), "1");
    EXPECT_EQ(low->cellWidth, 20);
}

TEST_F(FilmstripWindow, TheTimerKeepsThePlayheadInTheMiddle) {
    FrameStripRecord* strip = Create(650, 90);  // four cells of 162
    ASSERT_NE(strip, nullptr);
    Send(*strip, HW_TIMER, 0);  // nothing ready: it only repaints
    EXPECT_EQ(strip->firstVisible, 0);
    Fill(*strip, 20, 10.0);
    AddPlayer(10000, 0);
    wt::Call(123, {"Player"});  // play
    hmMciAdvanceClock(5000);
    strip->firstVisible = 0;
    Send(*strip, HW_TIMER, 0);
    EXPECT_EQ(strip->firstVisible, 7);  // playhead frame 9 with two cells either side
    std::vector<std::string> log = Paint(*strip);
    EXPECT_TRUE(Has(log, "line 404 0 404 90 #ff3232 width=2 style=0"));  // (9 - 7) x 162 + 80
    Send(*strip, HW_WHEEL, 10, 120 * 2);  // scrolled by hand...
    EXPECT_EQ(strip->firstVisible, 1);
    hmMciAdvanceClock(4000);
    Send(*strip, HW_TIMER, 0);  // ...until the next tick: frame 17 less two
    EXPECT_EQ(strip->firstVisible, 15);
    int before = hwInvalidationCount(HandleBits(strip->stripWindow));
    hmMciAdvanceClock(90000);  // past the end: held with the last frame in view
    Send(*strip, HW_TIMER, 0);
    EXPECT_EQ(strip->firstVisible, 16);
    EXPECT_GT(hwInvalidationCount(HandleBits(strip->stripWindow)), before);
}

TEST_F(FilmstripWindow, MarkersStopAtFiftyAndClearRepaints) {
    FrameStripRecord* strip = Create(640, 90);
    ASSERT_NE(strip, nullptr);
    Fill(*strip, 20, 30.0);
    for (int i = 0; i < 50; ++i) wt::Call(143, {"Strip", "1", "", "WHITE"});
    wt::Call(143, {"Strip", "2", "51st", "red"});
    EXPECT_EQ(Error(), "Max markers reached.");
    wt::Call(143, {"Elsewhere", "2", "", "red"});
    EXPECT_EQ(Error(), "FrameStrip not found.");
    EXPECT_EQ(Count(Paint(*strip), "line 80 8 80 90 #ffffff"), 50);
    int before = hwInvalidationCount(HandleBits(strip->stripWindow));
    wt::Call(144, {"strip"});
    EXPECT_GT(hwInvalidationCount(HandleBits(strip->stripWindow)), before);
    EXPECT_EQ(Count(Paint(*strip), "line 80 8 80 90 #ffffff"), 0);
    // A label keeps its first 31 characters.
    wt::Call(143, {"Strip", "1", std::string(40, 'x'), "white"});
    std::vector<std::string> log = Paint(*strip);
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& l) {
        return l.find(" \"" + std::string(31, 'x') + "\"") != std::string::npos;
    }));
}

TEST_F(WaveLaneWindows, WaveformDrawsTheSoundThePlayheadRulerAndTrimMarks) {
    AddPlayer(3000, 1500);
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

    // A click seeks the player to its fraction of the duration.
    wt::Send(window, HW_PRESS, 100, 30, 0, HW_LEFT_BUTTON);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to 750");

    wt::Call(146, {"wave"});
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(hwTimerPeriod(window, kWaveformTimerId), 0);
    EXPECT_EQ(FindWaveform("Wave"), -1);
}

TEST_F(WaveLaneWindows, LanesDrawHeadersPeaksBorrowedThumbnailsAndThePlayhead) {
    AddPlayer(3000, 1500);
    // A filmstrip of the same video with 20 thumbnails, made here without its worker.
    int strip = OpenFrameStrip("Strip", video, "Player", kNoWindow, 320, 90);
    ASSERT_GE(strip, 0);
    FrameStripRecord& s = *FrameStripAt(strip);
    Fill(s, 20, 3.0);

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
    std::vector<std::string> log = wt::Paint(window);
    EXPECT_TRUE(Has(log, "fill 0 0 28 40 #508cff"));
    EXPECT_TRUE(Has(log, "text 2 2 26 40 #ffffff layout=1 font=\"Segoe UI 10 bold\" \"V1\""));
    EXPECT_TRUE(Has(log, "bitmap 232 1 299 39 #000000 bitmap=" +
                             std::to_string(static_cast<long long>(s.thumbnails[15])) + " mode=1"));
    EXPECT_TRUE(Has(log, "text 28 41 300 79 #50505a layout=1 font=\"Segoe UI 10\" \"Analyzing...\""));
    EXPECT_TRUE(Has(log, "line 164 0 164 80 #ff3232 width=2 style=0"));

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
    log = wt::Paint(window);
    EXPECT_TRUE(Has(log, "text 28 1 300 25 #50505a layout=1 font=\"Segoe UI 10\" \"No video\""));
    EXPECT_TRUE(Has(log, "line 128 34 128 44 #00b478 width=1 style=0"));
    EXPECT_TRUE(Has(log, "fill 0 52 28 78 #ff6496"));
    EXPECT_TRUE(Has(log, "text 2 54 26 78 #ffffff layout=1 font=\"Segoe UI 10 bold\" \"Voice\""));

    wt::Call(150, {"LANES"});
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(FindTrackLane("Lanes"), -1);
}

TEST_F(WaveLaneWindows, CreateLimits) {
    for (int i = 0; i < 5; ++i) wt::Page::AddRect("W" + std::to_string(i), 100, 40);
    for (int i = 0; i < 5; ++i) wt::Call(145, {"W" + std::to_string(i), "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max waveforms reached.");
    for (int i = 0; i < 3; ++i) wt::Call(148, {"W" + std::to_string(i), "/missing.mp4", "", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max track lanes reached.");
    wt::Call(149, {"W3", "/a.wav", "A2", "green"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Track lane not found.");
    capture::writes.clear();
    for (int i = 0; i < 2; ++i) wt::Call(149, {"W0", "/a.wav", "A" + std::to_string(i + 2), "green"});
    EXPECT_TRUE(capture::writes.empty());  // nothing is reported when a lane is added
    EXPECT_EQ(TrackLaneAt(FindTrackLane("W0"))->lanes[2].colour, Rgb(255, 160, 30));  // no lane colour: orange
    wt::Call(149, {"W0", "/a.wav", "A5", "pink"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max lanes reached.");
}
