// The waveform and track-lane windows: their numbers, what they paint at
// computed coordinates (read from the draw log), where a click seeks the
// player, the create actions' messages, and their tear-down while ffmpeg
// still decodes.
#include <gtest/gtest.h>
#include <signal.h>
#include <algorithm>
#include <map>
#include <string>
#include <vector>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/text_util.h"
#include "host/teardown.h"
#include "host/window_frame.h"
#include "platform/headless/headless_mci.h"
#include "platform/headless/headless_window.h"
#include "platform/platform.h"
#include "strips/filmstrip_record.h"
#include "strips/strip_records.h"
#include "strips/thumbnail_bitmap.h"
#include "strips/track_lane_record.h"
#include "strips/wave_geometry.h"
#include "strips/waveform_record.h"
#include "tests/support/test_support.h"
#include "tests/unit/capture_host.h"
#include "tests/unit/recorded_tools.h"

TEST(WaveRules, PeaksColumnsRulerAndSeeks) {
    // 400 columns over 4000 peaks take every tenth; past the end, the last.
    EXPECT_EQ(ColumnPeakIndex(0, 400, 4000), 0);
    EXPECT_EQ(ColumnPeakIndex(399, 400, 4000), 3990);
    EXPECT_EQ(ColumnPeakIndex(400, 400, 4000), 3999);
    EXPECT_EQ(ColumnPeakIndex(1, 400, 3), 0);
    EXPECT_EQ(PeakAmplitude(0.0f, 38), 1);  // silence is still a line
    EXPECT_EQ(PeakAmplitude(0.125f, 38), 4);
    EXPECT_EQ(PeakAmplitude(1.0f, 38), 38);
    EXPECT_EQ(RulerStep(9), 2);
    EXPECT_EQ(RulerStep(10), 5);
    EXPECT_EQ(RulerStep(29.9), 5);
    EXPECT_EQ(RulerStep(30), 10);
    EXPECT_EQ(RulerStep(120), 10);
    EXPECT_EQ(RulerStep(121), 30);
    EXPECT_EQ(RulerStep(600), 30);
    EXPECT_EQ(RulerStep(700), 60);
    EXPECT_EQ(RulerLabel(2), "0:02");
    EXPECT_EQ(RulerLabel(660), "11:00");
    EXPECT_EQ(WaveTimeX(2, 3, 400), 266);
    EXPECT_EQ(WavePlayheadX(1500, 3, 400), 200);
    EXPECT_EQ(WavePlayheadX(-20, 3, 400), 0);
    EXPECT_EQ(WavePlayheadX(9000, 3, 400), 400);
    EXPECT_EQ(WaveClickSeekMs(100, 400, 3), 750);
    EXPECT_EQ(WaveClickSeekMs(65535, 400, 3), 3000);
    EXPECT_EQ(WaveClickSeekMs(10, 0, 3), 0);
}

TEST(LaneRules, HeightsThumbnailsPlayheadAndSeeks) {
    EXPECT_EQ(LaneHeight(80, 2), 40);
    EXPECT_EQ(LaneHeight(80, 3), 26);
    // A 40-pixel lane: thumbnails 67 wide in cells of 68.
    EXPECT_EQ(LaneThumbWidth(40), 67);
    EXPECT_EQ(LaneThumbWidth(6), 10);
    EXPECT_EQ(LaneThumbCells(300, 67), 4);
    EXPECT_EQ(LaneThumbFrame(1, 4, 20), 5);
    EXPECT_EQ(LaneThumbFrame(3, 4, 2), 1);
    EXPECT_EQ(LaneThumbFrame(5, 8, 3), 1);
    EXPECT_EQ(LanePlayheadX(1500, 3, 300), 28 + 136);
    EXPECT_EQ(LanePlayheadX(0, 3, 300), 28);
    // The header column seeks to the start.
    EXPECT_EQ(LaneClickSeekMs(10, 300, 3), 0);
    EXPECT_EQ(LaneClickSeekMs(28 + 136, 300, 3), 1500);
    EXPECT_EQ(LaneClickSeekMs(299, 300, 3), 2988);
    EXPECT_EQ(LaneClickSeekMs(20, 28, 3), 0);
}

namespace {

std::map<std::string, intptr_t> g_rects;
std::map<std::string, std::string> g_vars;

void QMT_CALL GetVar(const char* name, char** value) {
    auto it = g_vars.find(name);
    if (it != g_vars.end()) *value = const_cast<char*>(it->second.c_str());
}

// The host finds Rectangles by name in any case.
int32_t QMT_CALL Access(int32_t code, char** text) {
    intptr_t rect = 0;
    for (auto& r : g_rects)
        if (EqualsNoCase(r.first, *text)) rect = r.second;
    if (code != 7 || !rect) return 0;
    std::string answer = std::to_string(static_cast<long long>(rect));
    char* block = static_cast<char*>(hwHeapAlloc(answer.size() + 1));
    memcpy(block, answer.c_str(), answer.size() + 1);
    hwHeapFree(*text);
    *text = block;
    return 1;
}

std::string Hex(Colour c) {
    char text[8];
    snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(c), GreenOf(c), BlueOf(c));
    return text;
}

std::string LineCall(int x1, int y1, int x2, int y2, Colour c, int width) {
    return "line " + std::to_string(x1) + " " + std::to_string(y1) + " " + std::to_string(x2) + " " +
           std::to_string(y2) + " " + Hex(c) + " width=" + std::to_string(width) + " style=0";
}

std::string FillCall(int l, int t, int r, int b, Colour c) {
    return "fill " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " + std::to_string(b) +
           " " + Hex(c);
}

std::string TextCall(int l, int t, int r, int b, Colour c, int layout, const std::string& font,
                     const std::string& text) {
    return "text " + std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
           std::to_string(b) + " " + Hex(c) + " layout=" + std::to_string(layout) + " font=\"" + font + "\" \"" +
           text + "\"";
}

class WaveLaneWindows : public RecordedToolsTest {
protected:
    void SetUp() override {
        RecordedToolsTest::SetUp();
        g_host.interfaceAccess = Access;
        g_host.getVariable = GetVar;
        g_vars.clear();
        hmMciAdvanceClock(0);  // the device's clock moves only when stepped
    }
    void TearDown() override {
        PageTearDown();
        for (auto& r : g_rects) hwDestroyWindow(r.second);
        g_rects.clear();
        g_host.interfaceAccess = nullptr;
        g_host.getVariable = nullptr;
        EXPECT_EQ(LiveThumbnailBitmaps(), 0);
        RecordedToolsTest::TearDown();
    }
    intptr_t Rect(const std::string& name, int w, int h) {
        return g_rects[name] = hwCreateWindow(0, "Rectangle", 0, 0, w, h);
    }
    void Call(int id, std::vector<std::string> args) {
        std::vector<char*> params;
        for (auto& a : args) params.push_back(&a[0]);
        DispatchAction(id, params.data());
    }
    // A player of a 3 s clip, 1.5 s in.
    void PlayerHalfWay(const std::string& video) {
        Rect("Player", 320, 180);
        hmMciSetNextLength(3000);
        Call(121, {"Player", video, ""});
        Call(123, {"Player"});
        hmMciAdvanceClock(1500);
        hmMciClearLog();
    }
    static intptr_t Window(const std::string& rect) { return hwFindChild(g_rects[rect], "QMT_"); }
    // The window a create action made in `rect`, of its class, with its follow timer running.
    static intptr_t Created(const std::string& rect, const char* className, int timerId, const char* status) {
        EXPECT_EQ(capture::Last("[QMT_Status]"), status);
        intptr_t window = Window(rect);
        EXPECT_STREQ(window ? hwGetClassName(window) : "", className);
        EXPECT_EQ(hwTimerPeriod(window, timerId), 100);
        return window;
    }
    static std::vector<std::string> Paint(intptr_t window) {
        HwEvent paint = {};
        paint.type = HW_PAINT;
        hwSendEvent(window, &paint);
        std::vector<std::string> lines;
        char line[512];
        HwDrawCall call;
        for (int i = 0; hwGetDrawCall(window, i, &call); ++i) {
            hwFormatDrawCall(&call, line, sizeof line);
            lines.push_back(line);
        }
        return lines;
    }
    static bool Has(const std::vector<std::string>& log, const std::string& line) {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    static void Press(intptr_t window, int x, int y) {
        HwEvent e = {HW_PRESS, x, y, 0, HW_LEFT_BUTTON, 0, 0};
        hwSendEvent(window, &e);
    }
    static std::string LastMci() { return hmMciLogCount() ? hmMciLogEntry(hmMciLogCount() - 1) : ""; }
    std::vector<std::string> Leftovers() const { return plat::FindFiles(tmp, "qmt_*"); }
    static bool Alive(int pid) { return kill(pid, 0) == 0; }
};

}  // namespace

TEST_F(WaveLaneWindows, WaveformDrawsTheSoundThePlayheadRulerAndTrimMarks) {
    std::string video = qt::ClipAV(3.0, 160, 90);
    PlayerHalfWay(video);
    Rect("Wave", 400, 80);
    Call(145, {"Wave", video, "player"});
    intptr_t window = Created("Wave", "QMT_WaveformWnd", kWaveformTimerId, "Waveform created");
    ASSERT_NE(window, 0);
    WaveformRecord& wave = *WaveformAt(FindWaveform("WAVE"));
    EXPECT_EQ(wave.waveWindow, WindowHandle{window});
    ASSERT_TRUE(qt::WaitUntil([&] { return !wave.analysing; }, 120000));
    ASSERT_EQ(wave.peakCount, 4000);
    double duration = wave.duration;
    ASSERT_GT(duration, 2.9);

    g_vars["[TrimIn]"] = "0:01";  // [TrimStart] is empty, so [TrimIn] holds the in-point
    g_vars["[TrimEnd]"] = "2.5";
    g_vars["[TrimOut]"] = "0.2";  // not read while [TrimEnd] has a value
    std::vector<std::string> log = Paint(window);
    ASSERT_GT(log.size(), 402u);
    EXPECT_EQ(log[0], FillCall(0, 0, 400, 80, Rgb(15, 15, 20)));
    EXPECT_EQ(log[1], LineCall(0, 40, 400, 40, Rgb(40, 40, 50), 1));
    // One line per column around the centre; lavfi's sine has an amplitude of 1/8.
    int a = PeakAmplitude(wave.peaks[ColumnPeakIndex(200, 400, 4000)], 38);
    EXPECT_GE(a, 4);
    EXPECT_LE(a, 5);
    EXPECT_EQ(log[2 + 200], LineCall(200, 40 - a, 200, 40 + a, Rgb(0, 180, 120), 1));
    EXPECT_EQ(log[2 + 399].substr(0, 9), "line 399 ");
    size_t at = 402;
    int x = static_cast<int>(1500 / (duration * 1000) * 400);
    EXPECT_EQ(log[at++], LineCall(x, 0, x, 80, Rgb(255, 60, 60), 2));
    EXPECT_EQ(log[at++], LineCall(x - 1, 0, x - 1, 80, Rgb(255, 255, 255), 1));
    // Under 10 s a tick every 2 s.
    int tick = static_cast<int>(2 / duration * 400);
    EXPECT_EQ(log[at++], LineCall(tick, 70, tick, 80, Rgb(60, 60, 75), 1));
    EXPECT_EQ(log[at++], TextCall(tick + 2, 69, 400, 80, Rgb(100, 100, 120), 0, "Segoe UI 9", "0:02"));
    int in = static_cast<int>(1 / duration * 400), out = static_cast<int>(2.5 / duration * 400);
    EXPECT_EQ(log[at++], LineCall(in, 0, in, 80, Rgb(0, 230, 80), 2));
    EXPECT_EQ(log[at++], LineCall(out, 0, out, 80, Rgb(255, 50, 50), 2));
    EXPECT_EQ(log.size(), at);

    // A click seeks the player to its fraction of the duration; the timer repaints.
    Press(window, 100, 30);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to " + std::to_string(static_cast<int>(0.25 * duration * 1000)));
    int before = hwInvalidationCount(window);
    HwEvent tickEvent = {HW_TIMER, 0, 0, 0, 0, 0, kWaveformTimerId};
    hwSendEvent(window, &tickEvent);
    EXPECT_EQ(hwInvalidationCount(window), before + 1);

    // Without a player there is no playhead, and a click seeks nothing.
    Call(122, {"Player"});
    hmMciClearLog();
    log = Paint(window);
    EXPECT_FALSE(Has(log, LineCall(x, 0, x, 80, Rgb(255, 60, 60), 2)));
    Press(window, 100, 30);
    EXPECT_EQ(hmMciLogCount(), 0);

    Call(146, {"wave"});
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(hwTimerPeriod(window, kWaveformTimerId), 0);
    EXPECT_EQ(FindWaveform("Wave"), -1);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(WaveLaneWindows, SilenceIsAThinLineAndNoSoundIsSaid) {
    std::string silence = qt::Media("silence_1s.wav", "-f lavfi -i anullsrc=r=8000:cl=mono -t 1 -c:a pcm_s16le");
    Rect("Wave", 200, 60);
    Call(145, {"Wave", silence, "Player"});
    WaveformRecord& wave = *WaveformAt(FindWaveform("Wave"));
    ASSERT_TRUE(qt::WaitUntil([&] { return !wave.analysing; }, 120000));
    std::vector<std::string> log = Paint(Window("Wave"));
    // Two pixels high along the centre: from row 29 up to, not including, row 31.
    EXPECT_EQ(log[2 + 50], LineCall(50, 29, 50, 31, Rgb(0, 180, 120), 1));
    EXPECT_EQ(log.size(), 202u);  // a 1 s clip has no ruler tick (the step is 2 s)

    Rect("Mute", 200, 60);
    Call(145, {"Mute", qt::ClipVideoOnly(1.0, 160, 90), "Player"});
    WaveformRecord& mute = *WaveformAt(FindWaveform("Mute"));
    ASSERT_TRUE(qt::WaitUntil([&] { return !mute.analysing; }, 120000));
    log = Paint(Window("Mute"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1], TextCall(0, 0, 200, 60, Rgb(140, 140, 160), 1, "Segoe UI 12", "No audio"));
}

TEST_F(WaveLaneWindows, LanesDrawHeadersPeaksBorrowedThumbnailsAndThePlayhead) {
    std::string video = qt::ClipAV(3.0, 160, 90);
    PlayerHalfWay(video);
    // A filmstrip of the same video with 20 thumbnails (made here without its worker).
    std::string bmp = qt::Media("thumb_160x90.bmp", "-f lavfi -i testsrc=size=160x90 -frames:v 1 -pix_fmt bgr24");
    int strip = OpenFrameStrip("Strip", video, "Player", kNoWindow, 320, 90);
    ASSERT_GE(strip, 0);
    FrameStripRecord& s = *FrameStripAt(strip);
    for (int i = 0; i < 20; ++i) StoreThumbnail(s, i, LoadThumbnailBitmap(bmp, 160, 90));
    s.extracting = false;

    rec->DelayWhen("-ar");  // A1's decode does not end until the display is destroyed
    Rect("Lanes", 300, 80);
    Call(148, {"Lanes", video, "", "Player"});
    intptr_t window = Created("Lanes", "QMT_TrackLaneWnd", kTrackLaneTimerId, "Track lanes created");
    ASSERT_NE(window, 0);
    TrackLaneRecord& d = *TrackLaneAt(FindTrackLane("lanes"));
    ASSERT_TRUE(qt::WaitUntil([&] { return !rec->DelayedPids().empty(); }, 60000));
    EXPECT_EQ(d.lanes[0].linkedStrip, strip);
    double duration = 0;
    {
        plat::LockHold held(d.lock);  // the worker, still decoding, wrote it
        duration = d.duration;
    }
    ASSERT_GT(duration, 2.9);

    // Two lanes of 40 pixels: V1 with cells of 68 (frames 0, 5, 10, 15), A1 still analysing.
    std::vector<std::string> log = Paint(window);
    std::vector<std::string> expected = {
        FillCall(0, 0, 300, 80, Rgb(18, 18, 22)),
        FillCall(28, 1, 300, 39, Rgb(22, 22, 28)),
        FillCall(0, 0, 28, 40, Rgb(80, 140, 255)),
        TextCall(2, 2, 26, 40, Rgb(255, 255, 255), 1, "Segoe UI 10 bold", "V1"),
    };
    for (int i = 0; i < 4; ++i)
        expected.push_back("bitmap " + std::to_string(28 + i * 68) + " 1 " + std::to_string(28 + i * 68 + 67) +
                           " 39 #000000 bitmap=" + std::to_string(static_cast<long long>(s.thumbnails[i * 5])) +
                           " mode=1");
    int x = static_cast<int>(1500 / (duration * 1000) * 272) + 28;
    std::vector<std::string> more = {
        LineCall(0, 39, 300, 39, Rgb(50, 50, 60), 1),
        FillCall(28, 41, 300, 79, Rgb(22, 22, 28)),
        FillCall(0, 40, 28, 80, Rgb(0, 180, 120)),
        TextCall(2, 42, 26, 80, Rgb(255, 255, 255), 1, "Segoe UI 10 bold", "A1"),
        TextCall(28, 41, 300, 79, Rgb(80, 80, 90), 1, "Segoe UI 10", "Analyzing..."),
        LineCall(0, 79, 300, 79, Rgb(50, 50, 60), 1),
        LineCall(x, 0, x, 80, Rgb(255, 50, 50), 2),
    };
    expected.insert(expected.end(), more.begin(), more.end());
    EXPECT_EQ(log, expected);

    // Clicks: the header column seeks to the start, the middle of the lanes to half the duration.
    Press(window, 10, 60);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to 0");
    Press(window, 28 + 136, 20);
    EXPECT_EQ(LastMci(), "seek qmt_p0 to " + std::to_string(static_cast<int>(0.5 * duration * 1000)));

    // Destroyed while A1 still decodes: the tool is ended, the window and its timer go.
    int pid = rec->DelayedPids()[0];
    uint64_t t0 = plat::TickMs();
    Call(150, {"LANES"});
    EXPECT_LT(plat::TickMs() - t0, kLaneDestroyWaitMs);
    EXPECT_FALSE(Alive(pid));
    EXPECT_FALSE(hwIsWindow(window));
    EXPECT_EQ(FindTrackLane("Lanes"), -1);
    EXPECT_TRUE(Leftovers().empty());

}

TEST_F(WaveLaneWindows, LanesWithoutAFilmstripDrawEveryAudioLane) {
    std::string video = qt::ClipAV(3.0, 160, 90);
    Rect("Lanes", 300, 80);
    Call(148, {"Lanes", video, "", "Player"});
    TrackLaneRecord& d = *TrackLaneAt(FindTrackLane("Lanes"));
    ASSERT_TRUE(qt::WaitUntil([&] { return !d.analysing; }, 120000));
    ASSERT_EQ(d.lanes[1].peakCount, 2000);  // A1 is the video's own sound
    Call(149, {"Lanes", qt::ClipAudio(0.25), "Voice", "PINK"});
    ASSERT_EQ(d.laneCount, 3);
    ASSERT_EQ(d.lanes[2].peakCount, 1000);
    // Three lanes of 26 pixels; no player, so no playhead.
    std::vector<std::string> log = Paint(Window("Lanes"));
    EXPECT_EQ(log[4], TextCall(28, 1, 300, 25, Rgb(80, 80, 90), 1, "Segoe UI 10", "No video"));
    int a = PeakAmplitude(d.lanes[1].peaks[ColumnPeakIndex(100, 272, 2000)], 11);
    EXPECT_TRUE(Has(log, LineCall(128, 39 - a, 128, 39 + a, Rgb(0, 180, 120), 1)));
    EXPECT_TRUE(Has(log, FillCall(0, 52, 28, 78, Rgb(255, 100, 150))));
    EXPECT_TRUE(Has(log, TextCall(2, 54, 26, 78, Rgb(255, 255, 255), 1, "Segoe UI 10 bold", "Voice")));
    a = PeakAmplitude(d.lanes[2].peaks[ColumnPeakIndex(271, 272, 1000)], 11);
    EXPECT_EQ(log[log.size() - 2], LineCall(299, 65 - a, 299, 65 + a, Rgb(255, 100, 150), 1));
    EXPECT_EQ(log.back(), LineCall(0, 77, 300, 77, Rgb(50, 50, 60), 1));
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(WaveLaneWindows, CreateMessagesAndLimits) {
    Call(145, {"Nowhere", "/v.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Rectangle not found.");
    Call(148, {"Nowhere", "/v.mp4", "", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Error");
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Rectangle not found.");
    for (int i = 0; i < 5; ++i) Rect("W" + std::to_string(i), 100, 40);
    capture::writes.clear();
    for (int i = 0; i < 4; ++i) Call(145, {"W" + std::to_string(i), "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Values("[QMT_Status]"), std::vector<std::string>(4, "Waveform created"));
    Call(145, {"W4", "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max waveforms reached.");
    // Created again under its name in another case, a waveform keeps its place.
    intptr_t old = Window("W1");
    Call(145, {"w1", "/missing.mp4", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Status]"), "Waveform created");
    EXPECT_FALSE(hwIsWindow(old));
    EXPECT_NE(Window("W1"), 0);
    // Its paint says it is analysing for as long as there is nothing to draw.
    std::vector<std::string> log = Paint(Window("W1"));
    EXPECT_EQ(log.back(), TextCall(0, 0, 100, 40, Rgb(140, 140, 160), 1, "Segoe UI 12", "Analyzing audio..."));

    Call(148, {"W0", "/missing.mp4", "", "Player"});
    Call(148, {"W1", "/missing.mp4", "", "Player"});
    capture::writes.clear();
    Call(148, {"W2", "/missing.mp4", "", "Player"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max track lanes reached.");
    Call(149, {"W3", "/a.wav", "A2", "green"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Track lane not found.");
    capture::writes.clear();
    for (int i = 0; i < 2; ++i) Call(149, {"W0", "/a.wav", "A" + std::to_string(i + 2), "green"});
    EXPECT_TRUE(capture::writes.empty());  // nothing is reported when a lane is added
    EXPECT_EQ(TrackLaneAt(FindTrackLane("W0"))->lanes[2].colour, Rgb(255, 160, 30));
    Call(149, {"W0", "/a.wav", "A5", "pink"});
    EXPECT_EQ(capture::Last("[QMT_Error]"), "Max lanes reached.");
    // Destroying what is not there is silent.
    capture::writes.clear();
    Call(146, {"Nowhere"});
    Call(150, {"Nowhere"});
    EXPECT_TRUE(capture::writes.empty());
}

TEST_F(WaveLaneWindows, RecreateAndPageTearDownDuringTheDecodeLeaveNothing) {
    rec->DelayWhen("s16le");
    std::string video = qt::ClipAV(3.0, 160, 90);
    Rect("Wave", 200, 60);
    Rect("Lanes", 200, 80);
    int windows = BoundFrameWindowCount();
    Call(145, {"Wave", video, "Player"});
    Call(148, {"Lanes", video, "", "Player"});
    ASSERT_TRUE(qt::WaitUntil([&] { return rec->DelayedPids().size() == 2; }, 60000));
    std::vector<int> first = rec->DelayedPids();
    intptr_t oldWave = Window("Wave");

    uint64_t t0 = plat::TickMs();
    Call(145, {"WAVE", video, "Player"});
    EXPECT_LT(plat::TickMs() - t0, kWaveformRecreateWaitMs);
    EXPECT_FALSE(hwIsWindow(oldWave));
    ASSERT_TRUE(qt::WaitUntil([&] { return rec->DelayedPids().size() == 3; }, 60000));
    int stopped = 0;
    for (int pid : first) stopped += Alive(pid) ? 0 : 1;
    EXPECT_EQ(stopped, 1);  // the old waveform's decode, not the lanes'

    t0 = plat::TickMs();
    PageTearDown();
    EXPECT_LT(plat::TickMs() - t0, 2 * kWaveformRecreateWaitMs);
    for (int pid : rec->DelayedPids()) EXPECT_FALSE(Alive(pid)) << pid;
    EXPECT_EQ(Window("Wave"), 0);
    EXPECT_EQ(Window("Lanes"), 0);
    EXPECT_EQ(BoundFrameWindowCount(), windows);
    EXPECT_EQ(FindWaveform("Wave"), -1);
    EXPECT_EQ(FindTrackLane("Lanes"), -1);
    EXPECT_TRUE(Leftovers().empty());
}
