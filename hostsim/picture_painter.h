// A painter that draws into a picture as GDI draws into a window's back
// buffer, so the native build can show what a window painted: pens, dashes
// and end points as GDI's, the diagonal cross-hatch brush, filled polygons
// with their outline, and text in a built-in bitmap font.
#pragma once
#include "host/painter.h"
#include "platform/headless/picture_file.h"

struct PicturePainter : Painter {
    Picture& picture;
    explicit PicturePainter(Picture& p) : picture(p) {}

    void Fill(const Box& box, Colour colour) override;
    void Frame(const Box& box, int width, Colour colour, LineStyle style = kSolidLine) override;
    void Line(Point from, Point to, int width, Colour colour, LineStyle style = kSolidLine) override;
    void Hatch(const Box& box, Colour colour) override;
    void Triangle(Point a, Point b, Point c, Colour colour) override;
    void Text(const Box& box, const std::string& text, const FontSpec& font, Colour colour,
              TextLayout layout = kTextTopLeft) override;
    // A bitmap of the UI stand-in (hwCreateBitmap).
    void Bitmap(const Box& box, BitmapHandle bitmap, BitmapMode mode = kBitmapCopy) override;
};

// How wide the picture font draws `text` at `font`'s height, in pixels.
int PictureTextWidth(const FontSpec& font, const std::string& text);
