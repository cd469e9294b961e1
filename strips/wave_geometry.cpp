#include "strips/wave_geometry.h"
#include "host/text_util.h"
#include "host/window_layout.h"
#include "strips/filmstrip_geometry.h"

namespace {
int SeekMs(double fraction, double duration) { return static_cast<int>(ClampUnit(fraction) * duration * 1000); }
}  // namespace

int ColumnPeakIndex(int x, int width, int peakCount) {
    if (width <= 0 || peakCount <= 0) return 0;
    int index = static_cast<int>(static_cast<double>(x) / width * peakCount);
    if (index < 0) return 0;
    return index < peakCount ? index : peakCount - 1;
}

int PeakAmplitude(float peak, int scale) {
    int a = static_cast<int>(scale * peak);
    return a < 1 ? 1 : a;
}

int WaveTimeX(double t, double duration, int width) {
    return duration > 0 ? static_cast<int>(t / duration * width) : 0;
}

int WavePlayheadX(double positionMs, double duration, int width) {
    return static_cast<int>(PlayheadFraction(positionMs, duration) * width);
}

int WaveClickSeekMs(int x, int width, double duration) {
    return SeekMs(width > 0 ? static_cast<double>(x) / width : 0, duration);
}

int RulerStep(double duration) {
    if (duration > 600) return 60;
    if (duration > 120) return 30;
    if (duration < 10) return 2;
    if (duration < 30) return 5;
    return 10;
}

std::string RulerLabel(int seconds) { return Fmt("%d:%02d", seconds / 60, seconds % 60); }

int LaneHeight(int height, int laneCount) { return laneCount > 0 ? height / laneCount : height; }

int LaneThumbWidth(int laneHeight) {
    int w = (laneHeight - 2) * 16 / 9;
    return w < 10 ? 10 : w;
}

int LaneThumbCells(int width, int thumbWidth) { return (width - kLaneHeaderWidth) / (thumbWidth + 1); }

int LaneThumbFrame(int cell, int cells, int framesReady) {
    int frame = cells > 0 ? static_cast<int>(static_cast<double>(cell) / cells * framesReady) : 0;
    return frame < framesReady - 1 ? frame : framesReady - 1;
}

int LanePlayheadX(double positionMs, double duration, int width) {
    return static_cast<int>(PlayheadFraction(positionMs, duration) * (width - kLaneHeaderWidth)) + kLaneHeaderWidth;
}

int LaneClickSeekMs(int x, int width, double duration) {
    double fraction = width > kLaneHeaderWidth
                          ? static_cast<double>(x - kLaneHeaderWidth) / (width - kLaneHeaderWidth)
                          : 0;
    return SeekMs(fraction, duration);
}
