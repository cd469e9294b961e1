#include "strips/filmstrip_paint.h"
#include <algorithm>
#include "platform/platform.h"
#include "strips/filmstrip_geometry.h"
#include "strips/split_layer.h"
#include "strips/thumbnail_bitmap.h"

namespace {

const Colour kBackground = Rgb(20, 20, 25);
const Colour kBlack = Rgb(0, 0, 0);
const Colour kHatch = Rgb(10, 10, 15);
const Colour kInPen = Rgb(0, 230, 80), kInText = Rgb(0, 255, 80);
const Colour kOutPen = Rgb(255, 50, 50), kOutText = Rgb(255, 70, 70);
const Colour kSeparator = Rgb(44, 44, 48);
const Colour kPlayhead = Rgb(255, 50, 50);
const FontSpec kWaitFont = {"Segoe UI", 14, false};
const FontSpec kLabelFont = {"Consolas", 10, false};
const FontSpec kTrimFont = {"Segoe UI", 11, true};
const FontSpec kMarkerFont = {"Segoe UI", 10, true};

int Cell(const StripView& v) { return v.cellWidth + 2; }

// Each thumbnail copied unscaled into its cell; after a zoom a bitmap made
// at the old width covers only part of the cell, and the rest shows the
// background.
void PaintThumbnails(const FrameStripRecord& s, const StripView& v, Painter& p, int width) {
    int cells = PaintedCells(width, v.cellWidth);
    for (int k = 0; k < cells; ++k) {
        int i = v.firstVisible + k;
        if (i >= v.framesReady) break;
        if (i < 0 || i >= kMaxThumbnails) continue;
        int x = k * Cell(v);
        int bw = 0, bh = 0;
        if (ThumbnailBitmapSize(s.thumbnails[i], bw, bh))
            p.Bitmap(Box{x, 0, x + std::min(bw, v.cellWidth), std::min(bh, v.thumbHeight)}, s.thumbnails[i]);
        if (v.duration > 0 && v.cellWidth >= 31) {
            p.Fill(Box{x, v.thumbHeight - 12, x + v.cellWidth, v.thumbHeight}, kBlack);
            p.Text(Box{x + 2, v.thumbHeight - 11, x + v.cellWidth, v.thumbHeight},
                   ThumbnailLabel(i, v.duration, v.framesReady), kLabelFont, Rgb(200, 200, 200));
        }
    }
}

// An IN or OUT mark: a full-height line with ticks at the top and bottom
// pointing into the kept range, and its word.
void PaintTrimMark(int x, int height, int tick, Colour pen, const char* word, int textX, Colour textColour,
                   Painter& p) {
    p.Line(Point{x, 0}, Point{x, height}, 3, pen);
    p.Line(Point{x, 0}, Point{x + tick, 0}, 3, pen);
    p.Line(Point{x, height - 1}, Point{x + tick, height - 1}, 3, pen);
    p.Text(Box{textX, 3, textX + 40, 3 + kTrimFont.height + 4}, word, kTrimFont, textColour);
}

bool InsideStrip(double t, double duration) { return t / duration >= 0 && t / duration <= 1; }

void PaintTrimRange(const StripView& v, const StripPaintInputs& in, Painter& p, int width, int height) {
    if (!(v.duration > 0)) return;
    bool hasIn = in.trim.hasIn, hasOut = in.trim.hasOut;
    double tIn = in.trim.in, tOut = in.trim.out;
    int xIn = ViewX(v, tIn, false), xOut = ViewX(v, tOut, false);
    if (hasIn && hasOut) {
        if (xIn > 0) p.Hatch(Box{0, 0, std::min(xIn, width), height}, kHatch);
        if (xOut < width) p.Hatch(Box{std::max(xOut, 0), 0, width, height}, kHatch);
    }
    if (hasIn && InsideStrip(tIn, v.duration) && xIn >= -5 && xIn <= width + 5)
        PaintTrimMark(xIn, height, 12, kInPen, "IN", xIn + 4, kInText, p);
    if (hasOut && InsideStrip(tOut, v.duration) && xOut >= -5 && xOut <= width + 5)
        PaintTrimMark(xOut, height, -12, kOutPen, "OUT", xOut - 28, kOutText, p);
}

void PaintSeparators(const StripView& v, Painter& p, int width, int height) {
    int visible = width / Cell(v);
    for (int k = 0; k <= visible && v.firstVisible + k <= v.framesReady; ++k) {
        int x = k * Cell(v) - 1;
        p.Line(Point{x, 0}, Point{x, height}, 1, kSeparator);
    }
}

void PaintPlayhead(const StripView& v, const StripPaintInputs& in, Painter& p, int width, int height) {
    if (!in.playerFound || !(v.duration > 0)) return;
    int x = PlayheadX(in.positionMs, v.duration, v.framesReady, v.firstVisible, v.cellWidth);
    if (x < -5 || x > width + 5) return;
    p.Line(Point{x, 0}, Point{x, height}, 2, kPlayhead);
    p.Triangle(Point{x - 6, 0}, Point{x + 6, 0}, Point{x, 9}, kPlayhead);
    p.Triangle(Point{x - 6, height}, Point{x + 6, height}, Point{x, height - 9}, kPlayhead);
}

void PaintMarkers(FrameStripRecord& s, const StripView& v, Painter& p, int width, int height) {
    plat::LockHold held(s.lock);
    for (const MarkerRecord& m : s.markers) {
        if (!m.inUse) continue;
        int x = ViewX(v, m.time, true);
        if (x < -10 || x > width + 10) continue;
        p.Triangle(Point{x - 5, 0}, Point{x + 5, 0}, Point{x, 8}, m.colour);
        p.Line(Point{x, 8}, Point{x, height}, 2, m.colour);
        if (m.label[0]) p.Text(Box{x + 4, 1, x + 4 + 200, 1 + kMarkerFont.height + 4}, m.label, kMarkerFont, m.colour);
    }
}

}  // namespace

int ViewX(const StripView& v, double t, bool halfCell) {
    return StripTimeX(t, v.duration, v.framesReady, v.firstVisible, v.cellWidth, halfCell);
}

void PaintFrameStrip(FrameStripRecord& strip, const StripPaintInputs& in, Painter& p, int width, int height) {
    p.Fill(Box{0, 0, width, height}, kBackground);
    StripView view;
    {
        plat::LockHold held(strip.lock);
        view = StripView{strip.framesReady, strip.firstVisible, strip.cellWidth, strip.thumbHeight, strip.duration};
        if (view.framesReady > 0) PaintThumbnails(strip, view, p, width);
    }
    if (view.framesReady < 1) {
        p.Text(Box{0, 0, width, height}, "Extracting frames...", kWaitFont, Rgb(180, 180, 180), kTextCentred);
        return;
    }
    PaintTrimRange(view, in, p, width, height);
    PaintSeparators(view, p, width, height);
    PaintPlayhead(view, in, p, width, height);
    PaintMarkers(strip, view, p, width, height);
    PaintSplitLayer(strip, view, p, width, height);
}
