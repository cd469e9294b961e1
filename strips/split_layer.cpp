#include "strips/split_layer.h"
#include <cstring>
#include "host/text_util.h"
#include "host/window_frame.h"
#include "platform/platform.h"

namespace {

const Colour kSplit = Rgb(255, 140, 0), kSelectedSplit = Rgb(255, 200, 40);
const Colour kClipText = Rgb(0, 200, 200), kClipBox = Rgb(0, 40, 40);
const FontSpec kCaptionFont = {"Segoe UI", 9, true};
const FontSpec kClipFont = {"Segoe UI", 8, true};

// A solid diamond 14 pixels high and wide whose tip is at (x, tipY); `down`
// is +1 for one hanging from the top edge, -1 for one standing on the bottom.
void Diamond(Painter& p, int x, int tipY, int down, Colour colour) {
    int middle = tipY + 7 * down;
    p.Triangle(Point{x, tipY}, Point{x + 7, middle}, Point{x - 7, middle}, colour);
    p.Triangle(Point{x - 7, middle}, Point{x + 7, middle}, Point{x, tipY + 14 * down}, colour);
}

// The file name of a path, after its last backslash, else its last slash.
const char* FileNameOf(const char* path) {
    const char* slash = strrchr(path, '\\');
    if (!slash) slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

void PaintSplit(const SplitRecord& split, bool selected, int x, Painter& p, int height) {
    Colour colour = selected ? kSelectedSplit : kSplit;
    p.Line(Point{x, 0}, Point{x, height}, selected ? 3 : 2, colour);
    Diamond(p, x, 0, 1, colour);
    Diamond(p, x, height, -1, colour);
    int tw = 0, th = 0;
    if (split.transition[0]) {
        std::string name = CutTo(split.transition, 40);
        MeasureFrameText(kCaptionFont, name, tw, th);
        int left = x - tw / 2, top = height / 2 - th / 2;
        p.Fill(Box{left - 2, top - 1, left + tw + 2, top + th + 1}, Rgb(0, 0, 0));
        p.Text(Box{left, top, left + tw, top + th}, name, kCaptionFont, colour);
    } else if (selected) {
        MeasureFrameText(kCaptionFont, "CUT", tw, th);
        p.Text(Box{x + 4, height / 2 - 5, x + 4 + tw, height / 2 - 5 + th}, "CUT", kCaptionFont, colour);
    }
    if (split.insertClip[0]) {
        std::string label = Fmt("[+%.20s]", FileNameOf(split.insertClip));
        MeasureFrameText(kClipFont, label, tw, th);
        int left = x - tw / 2, top = height / 2 + 8;
        p.Fill(Box{left - 2, height / 2 + 7, left + tw + 2, height / 2 + 9 + th}, kClipBox);
        p.Text(Box{left, top, left + tw, top + th}, label, kClipFont, kClipText);
    }
}

}  // namespace

void PaintSplitLayer(FrameStripRecord& strip, const StripView& view, Painter& p, int width, int height) {
    plat::LockHold held(strip.lock);
    for (int i = 0; i < strip.splitCount && i < kMaxSplits; ++i) {
        const SplitRecord& split = strip.splits[i];
        if (!split.inUse) continue;
        int x = ViewX(view, split.time, true);
        if (x < -10 || x > width + 10) continue;
        PaintSplit(split, i == strip.selectedSplit, x, p, height);
    }
}
