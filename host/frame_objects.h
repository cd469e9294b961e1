// The one table of brushes, pens and fonts that embedded windows paint with:
// each is made on first use and kept until page tear-down or unload, so a
// paint makes no GDI objects of its own.
#pragma once
#include <cstdint>
#include <string>
#include "host/painter.h"

enum FrameObjectType { kSolidBrush, kHatchBrush, kPen, kFont };

struct FrameObjectKey {
    FrameObjectType type;
    Colour colour;       // brushes and pens
    int width;           // pens
    int style;           // pens: LineStyle
    std::string face;    // fonts
    int height;          // fonts
    bool bold;           // fonts
};

FrameObjectKey BrushKey(Colour colour);
FrameObjectKey HatchKey(Colour colour);
FrameObjectKey PenKey(Colour colour, int width, LineStyle style);
FrameObjectKey FontKey(const FontSpec& font);

// The object for the key, made when it is not in the table yet; kNoGdiObject
// when the platform cannot make it.
GdiObjectHandle FrameObject(const FrameObjectKey& key);
void ReleaseFrameObjects();
int FrameObjectCount();

// Each platform half makes and deletes the real objects.
GdiObjectHandle MakeFrameObject(const FrameObjectKey& key);
void DeleteFrameObject(FrameObjectType type, GdiObjectHandle object);
