#include "hostsim/picture_painter.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>
#include "hostsim/bitmap_font.h"

namespace {

// A cosmetic pen's on/off pattern along its path, carried from one segment
// to the next as GDI carries it round a rectangle.
struct Dashes {
    int on, period, step;
    explicit Dashes(LineStyle style)
        : on(style == kDashedLine ? 18 : style == kDottedLine ? 3 : 1),
          period(style == kDashedLine ? 24 : style == kDottedLine ? 6 : 1), step(0) {}
    bool Next() { return step++ % period < on; }
};

Box Intersect(const Box& a, const Box& b) {
    return Box{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
}

struct Canvas {
    Picture& picture;
    Box clip;
    Canvas(Picture& p, const Box& within) : picture(p), clip(Intersect(within, Box{0, 0, p.width, p.height})) {}
    explicit Canvas(Picture& p) : Canvas(p, Box{0, 0, p.width, p.height}) {}

    void Plot(int x, int y, Colour colour) {
        if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)
            picture.pixels[static_cast<size_t>(y) * picture.width + x] = colour;
    }
    void Rect(const Box& box, Colour colour) {
        Box b = Intersect(box, clip);
        for (int y = b.top; y < b.bottom; ++y)
            for (int x = b.left; x < b.right; ++x) picture.pixels[static_cast<size_t>(y) * picture.width + x] = colour;
    }
    // One pixel wide, from `from` up to but not including `to`.
    void CosmeticLine(Point from, Point to, Colour colour, Dashes& dashes) {
        int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
        int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
        int err = dx + dy, x = from.x, y = from.y;
        while (x != to.x || y != to.y) {
            if (dashes.Next()) Plot(x, y, colour);
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }
    // A geometric pen: the pixels whose centres lie in the band `width` wide
    // around the segment, ending flat at both end points.
    void WideLine(Point from, Point to, int width, Colour colour) {
        double dx = to.x - from.x, dy = to.y - from.y, length = std::sqrt(dx * dx + dy * dy);
        if (length == 0) return;
        double half = width / 2.0;
        int reach = width / 2 + 1;
        Box bounds{std::min(from.x, to.x) - reach, std::min(from.y, to.y) - reach, std::max(from.x, to.x) + reach,
                   std::max(from.y, to.y) + reach};
        for (int y = bounds.top; y < bounds.bottom; ++y)
            for (int x = bounds.left; x < bounds.right; ++x) {
                double px = x + 0.5 - from.x, py = y + 0.5 - from.y;
                double along = (px * dx + py * dy) / length, across = (dx * py - dy * px) / length;
                if (along >= 0 && along < length && across >= -half && across < half) Plot(x, y, colour);
            }
    }
};

// The picture font: 5x7 glyphs in cells six columns wide, scaled by whole
// pixels to roughly the font's height.
int GlyphScale(const FontSpec& font) { return std::max(1, (font.height + 4) / 12); }
int LineHeight(const FontSpec& font) { return std::max(font.height, (kGlyphRows + 1) * GlyphScale(font)); }

void DrawTextLine(Canvas& canvas, int left, int top, const std::string& text, const FontSpec& font, Colour colour) {
    int s = GlyphScale(font);
    int glyphTop = top + (LineHeight(font) - kGlyphRows * s) / 2;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char* rows = GlyphRows(text[i]);
        int cellLeft = left + static_cast<int>(i) * (kGlyphColumns + 1) * s;
        for (int row = 0; row < kGlyphRows; ++row)
            for (int col = 0; col < kGlyphColumns; ++col) {
                if (!(rows[row] & (1 << (kGlyphColumns - 1 - col)))) continue;
                int y = glyphTop + (row + GlyphDrop(text[i])) * s;
                Box dot{cellLeft + col * s, y, cellLeft + (col + 1) * s, y + s};
                canvas.Rect(dot, colour);
                if (font.bold) canvas.Rect(Box{dot.left + 1, dot.top, dot.right + 1, dot.bottom}, colour);
            }
    }
}

// Word-wrapped lines of `text` no wider than `width`; a word wider than that
// keeps a line of its own.
std::vector<std::string> WrapLines(const std::string& text, const FontSpec& font, int width) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        size_t end = text.find('\n', start);
        std::string paragraph = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
        std::string line;
        size_t at = 0;
        while (at <= paragraph.size()) {
            size_t space = paragraph.find(' ', at);
            std::string word = paragraph.substr(at, space == std::string::npos ? std::string::npos : space - at);
            std::string joined = line.empty() ? word : line + " " + word;
            if (line.empty() || PictureTextWidth(font, joined) <= width) {
                line = joined;
            } else {
                lines.push_back(line);
                line = word;
            }
            if (space == std::string::npos) break;
            at = space + 1;
        }
        lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// The longest start of `text` that fits `width` with "..." after it.
std::string Ellipsised(const std::string& text, const FontSpec& font, int width) {
    if (PictureTextWidth(font, text) <= width) return text;
    std::string cut = text;
    while (!cut.empty() && PictureTextWidth(font, cut + "...") > width) cut.pop_back();
    return cut + "...";
}

}  // namespace

int PictureTextWidth(const FontSpec& font, const std::string& text) {
    int s = GlyphScale(font);
    return text.empty() ? 0 : static_cast<int>(text.size()) * (kGlyphColumns + 1) * s - s;
}

void PicturePainter::Fill(const Box& box, Colour colour) { Canvas(picture).Rect(box, colour); }

void PicturePainter::Frame(const Box& box, int width, Colour colour, LineStyle style) {
    Canvas canvas(picture);
    if (style == kSolidLine) {  // four bands inside the box
        int w = width < 1 ? 1 : width;
        canvas.Rect(Box{box.left, box.top, box.right, box.top + w}, colour);
        canvas.Rect(Box{box.left, box.bottom - w, box.right, box.bottom}, colour);
        canvas.Rect(Box{box.left, box.top + w, box.left + w, box.bottom - w}, colour);
        canvas.Rect(Box{box.right - w, box.top + w, box.right, box.bottom - w}, colour);
        return;
    }
    // Dashes and dots exist only for one-pixel pens: the outline runs round
    // the box's last pixels clockwise, one pattern all the way.
    Dashes dashes(style);
    Point corners[4] = {{box.left, box.top}, {box.right - 1, box.top}, {box.right - 1, box.bottom - 1},
                        {box.left, box.bottom - 1}};
    for (int i = 0; i < 4; ++i) canvas.CosmeticLine(corners[i], corners[(i + 1) % 4], colour, dashes);
}

void PicturePainter::Line(Point from, Point to, int width, Colour colour, LineStyle style) {
    Canvas canvas(picture);
    if (width > 1 && style == kSolidLine) {
        canvas.WideLine(from, to, width, colour);
        return;
    }
    Dashes dashes(style);
    canvas.CosmeticLine(from, to, colour, dashes);
}

// GDI's diagonal cross-hatch: an 8x8 pattern aligned to the window's origin.
void PicturePainter::Hatch(const Box& box, Colour colour) {
    Canvas canvas(picture);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            if ((x & 7) == (y & 7) || (x & 7) == 7 - (y & 7)) canvas.Plot(x, y, colour);
}

void PicturePainter::Triangle(Point a, Point b, Point c, Colour colour) {
    Canvas canvas(picture);
    auto edge = [](Point p, Point q, double x, double y) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
    double area = edge(a, b, c.x, c.y);
    if (area != 0) {
        int left = std::min({a.x, b.x, c.x}), right = std::max({a.x, b.x, c.x});
        int top = std::min({a.y, b.y, c.y}), bottom = std::max({a.y, b.y, c.y});
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                double px = x + 0.5, py = y + 0.5;
                double e0 = edge(a, b, px, py) * area, e1 = edge(b, c, px, py) * area, e2 = edge(c, a, px, py) * area;
                if (e0 >= 0 && e1 >= 0 && e2 >= 0) canvas.Plot(x, y, colour);
            }
    }
    Dashes solid(kSolidLine);  // the outline, drawn with a one-pixel pen of the same colour
    canvas.CosmeticLine(a, b, colour, solid);
    canvas.CosmeticLine(b, c, colour, solid);
    canvas.CosmeticLine(c, a, colour, solid);
}

void PicturePainter::Text(const Box& box, const std::string& text, const FontSpec& font, Colour colour,
                          TextLayout layout) {
    int lineHeight = LineHeight(font);
    int middle = box.top + (box.Height() - lineHeight) / 2;
    if (layout == kTextTopLeft) {
        Canvas canvas(picture);
        DrawTextLine(canvas, box.left, box.top, text, font, colour);
        return;
    }
    Canvas canvas(picture, box);
    if (layout == kTextCentred) {
        DrawTextLine(canvas, box.left + (box.Width() - PictureTextWidth(font, text)) / 2, middle, text, font, colour);
    } else if (layout == kTextEllipsis) {
        DrawTextLine(canvas, box.left, middle, Ellipsised(text, font, box.Width()), font, colour);
    } else {
        int top = box.top;
        for (const std::string& line : WrapLines(text, font, box.Width())) {
            if (top >= box.bottom) break;
            DrawTextLine(canvas, box.left, top, line, font, colour);
            top += lineHeight;
        }
    }
}

void PicturePainter::Bitmap(const Box& box, BitmapHandle bitmap, BitmapMode mode) {
    Picture source;
    if (!hwGetBitmap(HandleBits(bitmap), &source.width, &source.height, nullptr)) return;
    source.pixels.resize(static_cast<size_t>(source.width) * source.height);
    hwGetBitmap(HandleBits(bitmap), nullptr, nullptr, source.pixels.data());
    if (mode == kBitmapStretch) source = StretchPicture(source, box.Width(), box.Height());
    Canvas canvas(picture, box);
    for (int y = 0; y < std::min(source.height, box.Height()); ++y)
        for (int x = 0; x < std::min(source.width, box.Width()); ++x)
            canvas.Plot(box.left + x, box.top + y, source.pixels[static_cast<size_t>(y) * source.width + x]);
}
