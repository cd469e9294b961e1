#include "strips/waveform_window.h"
#include <cstdint>
#include "platform/platform.h"
#include "strips/player_follow.h"
#include "strips/strip_records.h"
#include "strips/trim_points.h"
#include "strips/wave_geometry.h"
#include "strips/waveform_record.h"

namespace {

const FontSpec kWaveStateFont = {"Segoe UI", 12, false};
const FontSpec kWaveRulerFont = {"Segoe UI", 9, false};

WaveformRecord* BoundWave(const FrameTarget& at) {
    return OwningRecord(WaveformAt(at.slot), &WaveformRecord::waveWindow, at);
}

double Duration(WaveformRecord& wave) {
    plat::LockHold held(wave.lock);
    return wave.duration;
}

// The peaks, or what stands in for them; false when there are none yet.
bool PaintPeaks(WaveformRecord& wave, Painter& p, int w, int h) {
    plat::LockHold held(wave.lock);
    if (wave.peakCount == 0) {
        // A source without sound never gets peaks: say so rather than analyse for ever.
        p.Text(Box{0, 0, w, h}, wave.noSound ? "No audio" : "Analyzing audio...", kWaveStateFont, Rgb(140, 140, 160),
               kTextCentred);
        return false;
    }
    int centre = h / 2;
    p.Line(Point{0, centre}, Point{w, centre}, 1, Rgb(40, 40, 50));
    int scale = h / 2 - 2;
    for (int x = 0; x < w; ++x) {
        int a = PeakAmplitude(wave.peaks[ColumnPeakIndex(x, w, wave.peakCount)], scale);
        p.Line(Point{x, centre - a}, Point{x, centre + a}, 1, wave.waveColour);
    }
    return true;
}

void PaintPlayhead(const WaveformRecord& wave, double duration, Painter& p, int w, int h) {
    double ms = 0;
    if (!FollowedPosition(wave.playerRectName, ms) || !(duration > 0)) return;
    int x = WavePlayheadX(ms, duration, w);
    p.Line(Point{x, 0}, Point{x, h}, 2, wave.playheadColour);
    if (x > 0) p.Line(Point{x - 1, 0}, Point{x - 1, h}, 1, Rgb(255, 255, 255));
}

void PaintRuler(double duration, Painter& p, int w, int h) {
    if (!(duration > 0)) return;
    int step = RulerStep(duration);
    for (int t = step; t < duration; t += step) {
        int x = WaveTimeX(t, duration, w);
        p.Line(Point{x, h - 10}, Point{x, h}, 1, Rgb(60, 60, 75));
        p.Text(Box{x + 2, h - 11, w, h}, RulerLabel(t), kWaveRulerFont, Rgb(100, 100, 120));
    }
}

void PaintTrimMark(bool set, double t, double duration, Colour colour, Painter& p, int w, int h) {
    if (!set) return;
    int x = WaveTimeX(t, duration, w);
    if (x >= 0 && x <= w) p.Line(Point{x, 0}, Point{x, h}, 2, colour);
}

void PaintWaveform(const FrameTarget& at, Painter& p, int w, int h) {
    WaveformRecord* wave = BoundWave(at);
    if (!wave) return;
    p.Fill(Box{0, 0, w, h}, wave->backColour);
    if (!PaintPeaks(*wave, p, w, h)) return;
    double duration = Duration(*wave);
    PaintPlayhead(*wave, duration, p, w, h);
    PaintRuler(duration, p, w, h);
    if (!(duration > 0)) return;
    TrimPoints trim = ReadTrimPoints();
    PaintTrimMark(trim.hasIn, trim.in, duration, Rgb(0, 230, 80), p, w, h);
    PaintTrimMark(trim.hasOut, trim.out, duration, Rgb(255, 50, 50), p, w, h);
}

void PressWaveform(const FrameTarget& at, const PointerInput& in) {
    WaveformRecord* wave = BoundWave(at);
    if (!wave) return;
    double duration = Duration(*wave);
    int w = 0, h = 0;
    if (!(duration > 0) || !FrameClientSize(at.window, w, h)) return;
    // The client x arrives as the low word of the message.
    SeekFollowed(wave->playerRectName, WaveClickSeekMs(static_cast<uint16_t>(in.x), w, duration));
}

}  // namespace

// Only painting, the left button and the follow timer are handled; the frame
// stops the timer when the window is destroyed.
const WindowKind kWaveformWindowKind = {
    "QMT_WaveformWnd", kCursorArrow, false, PaintWaveform, PressWaveform,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,  // move to key
    RepaintOnTick, nullptr,                                         // timer, destroyed
};

WindowHandle CreateWaveformWindow(WindowHandle rectWindow, int slot) {
    WindowHandle window = CreateFrameWindow(kWaveformWindowKind, slot, rectWindow);
    StartFrameTimer(window, kWaveformTimerId, kWaveformFollowMs);
    return window;
}
