// What an embedded window's paint handler draws with: a few stateless calls,
// each naming its colour, its pen or its font, so nothing is selected or left
// behind between calls. The Windows painter draws them with GDI into the back
// buffer; the native one records them so tests can read what was painted.
#pragma once
#include <cstdint>
#include <string>
#include "platform/handles.h"

typedef uint32_t Colour;  // 0x00BBGGRR, the layout of a Windows COLORREF

inline Colour Rgb(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline int RedOf(Colour c) { return c & 0xFF; }
inline int GreenOf(Colour c) { return (c >> 8) & 0xFF; }
inline int BlueOf(Colour c) { return (c >> 16) & 0xFF; }

struct Point {
    int x, y;
};

// A pixel rectangle; right and bottom are outside it, as in a Windows RECT.
struct Box {
    int left, top, right, bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

enum LineStyle { kSolidLine = 0, kDashedLine = 1, kDottedLine = 2 };

// Text placement inside the box given with each text call.
enum TextLayout {
    kTextTopLeft = 0,      // one line from the box's top left corner, not clipped
    kTextCentred = 1,      // one line centred both ways
    kTextEllipsis = 2,     // one line, left, vertically centred, cut with "..."
    kTextWrapped = 3       // word-wrapped from the top left, clipped to the box
};

enum BitmapMode { kBitmapCopy = 0, kBitmapStretch = 1 };  // unscaled from 0,0 / halftone stretch

struct FontSpec {
    const char* face;  // "Segoe UI"
    int height;        // pixels
    bool bold;
};

struct Painter {
    virtual ~Painter() {}
    virtual void Fill(const Box& box, Colour colour) = 0;
    // A hollow rectangle whose pen stays inside the box.
    virtual void Frame(const Box& box, int width, Colour colour, LineStyle style = kSolidLine) = 0;
    // From `from` up to, not including, `to`, as GDI draws lines.
    virtual void Line(Point from, Point to, int width, Colour colour, LineStyle style = kSolidLine) = 0;
    // Diagonal cross-hatch lines over the box; the gaps keep what was there.
    virtual void Hatch(const Box& box, Colour colour) = 0;
    virtual void Triangle(Point a, Point b, Point c, Colour colour) = 0;  // filled
    // Transparent background.
    virtual void Text(const Box& box, const std::string& text, const FontSpec& font, Colour colour,
                      TextLayout layout = kTextTopLeft) = 0;
    // A bitmap made by LoadFrameBitmap (window_frame.h) or an overlay's
    // picture (LoadOverlayImage); none draws nothing.
    virtual void Bitmap(const Box& box, BitmapHandle bitmap, BitmapMode mode = kBitmapCopy) = 0;
};
