// The numbers of the waveform and the track lanes: which peak a column
// draws, how tall its line is, where a time or the playhead falls, the
// ruler's step and where a click seeks. Lanes keep a header column of
// kLaneHeaderWidth pixels at the left that belongs to no time.
#pragma once
#include <string>

const int kLaneHeaderWidth = 28;

// Peak drawn in column x of `width` columns: trunc(x / width x peakCount), within 0..peakCount-1.
int ColumnPeakIndex(int x, int width, int peakCount);
// Half height of a peak's line: trunc(scale x peak), at least 1.
int PeakAmplitude(float peak, int scale);
// x of time t on a waveform `width` wide: trunc(t / duration x width).
int WaveTimeX(double t, double duration, int width);
// x of the player's position, held within the waveform.
int WavePlayheadX(double positionMs, double duration, int width);
// The player position a click at x seeks to, in ms.
int WaveClickSeekMs(int x, int width, double duration);
// Seconds between ruler ticks: 2 under 10 s, 5 under 30 s, 10, 30 over 120 s, 60 over 600 s.
int RulerStep(double duration);
// "m:ss" of a ruler tick.
std::string RulerLabel(int seconds);

// Height of each of `laneCount` lanes in a client `height` high.
int LaneHeight(int height, int laneCount);
// Width of a V1 thumbnail in a lane `laneHeight` high: 16:9 of the lane less 2, at least 10.
int LaneThumbWidth(int laneHeight);
// Thumbnail cells (width + 1) that fit right of the header.
int LaneThumbCells(int width, int thumbWidth);
// Filmstrip frame shown in cell i of n: min(trunc(i / n x framesReady), framesReady - 1).
int LaneThumbFrame(int cell, int cells, int framesReady);
// x of the playhead across the lanes, right of the header.
int LanePlayheadX(double positionMs, double duration, int width);
// The player position a click at x seeks to, in ms; the header column seeks to 0.
int LaneClickSeekMs(int x, int width, double duration);
