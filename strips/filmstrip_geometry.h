// The filmstrip's numbers: how many thumbnails and at which times, cell
// widths and zoom, where a time lies on the strip, what a click or a wheel
// turn does, and the marker colours.
#pragma once
#include <string>
#include "strips/strip_records.h"

// 20 under 10 s, 40 under 60 s, 60 otherwise.
int ThumbnailCount(double duration);
// Time of thumbnail i: (i + 1) x duration / (count + 1).
double ThumbnailTime(double duration, int index);

// Cell width at creation for a Rectangle `height` pixels high: 16:9, at least 40.
int InitialCellWidth(int height);
// Cell width at a zoom level (1..5) of a base width, never below 20.
int ZoomCellWidth(int baseWidth, int level);
// A typed zoom level, limited to 1..5 ("abc" gives 1).
int ParseZoomLevel(const std::string& text);
// One wheel notch with Ctrl held: a level up for a positive delta, else down, 1..5.
int WheelZoomLevel(int level, int delta);
// Plain wheel: three frames per notch toward the start for a positive delta.
int WheelFirstVisible(int firstVisible, int delta, int framesReady);

// Frame position of a time: trunc(t / duration x (framesReady - 1)).
int FramePosition(double t, double duration, int framesReady);
// x of a time on the strip; with the half cell for the playhead, markers and
// splits, without it for the trim marks.
int StripTimeX(double t, double duration, int framesReady, int firstVisible, int cellWidth, bool halfCell);
// Playhead fraction of a player position, clamped to 0..1.
double PlayheadFraction(double positionMs, double duration);
// x of the playhead for a player position: the clamped fraction's frame,
// with the half cell.
int PlayheadX(double positionMs, double duration, int framesReady, int firstVisible, int cellWidth);
// The leftmost frame that keeps the playhead in the middle of a strip
// `clientWidth` wide (the follow timer).
int FollowFirstVisible(double positionMs, double duration, int framesReady, int cellWidth, int clientWidth);
// Thumbnail cells a paint walks: client width / cell + 2.
int PaintedCells(int clientWidth, int cellWidth);
// Where a click at client x seeks the player, in ms; -1 when nothing is ready.
int ClickSeekMs(int x, int cellWidth, int framesReady, int firstVisible, double duration);
// "m:ss" label of thumbnail i ("0:00" with fewer than two frames).
std::string ThumbnailLabel(int index, double duration, int framesReady);

// A marker colour: a name of the colour table, "#rrggbb", otherwise yellow.
Colour ParseMarkerColour(const std::string& text);
