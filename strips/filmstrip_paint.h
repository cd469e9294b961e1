// What a filmstrip window draws, layer by layer: the thumbnails with their
// time labels, the trim range, the frame separators, the playhead, the
// markers and the split points. The window gathers what lies outside the
// record (the host's trim variables, the player's position) beforehand, so
// the paint itself only reads the record and draws.
#pragma once
#include "host/painter.h"
#include "strips/strip_records.h"
#include "strips/trim_points.h"

struct StripPaintInputs {
    TrimPoints trim;     // the page's trim range
    bool playerFound;
    double positionMs;   // the player's position
};

// The record's numbers one paint works with, read once under the lock.
struct StripView {
    int framesReady;
    int firstVisible;
    int cellWidth;
    int thumbHeight;
    double duration;
};
// x of a time; with the half cell for the playhead, markers and splits.
int ViewX(const StripView& view, double t, bool halfCell);

// The whole picture of a `width` x `height` client area; takes the lock as
// it reads the record.
void PaintFrameStrip(FrameStripRecord& strip, const StripPaintInputs& in, Painter& painter, int width, int height);
