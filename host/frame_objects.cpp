#include "host/frame_objects.h"
#include <vector>

namespace {

// Painting happens on the user-interface thread only, so the table needs no
// lock. A page uses a few dozen objects; the cap only guards against a kind
// that makes a new colour on every paint.
const size_t kMaxObjects = 256;

struct Entry {
    FrameObjectKey key;
    GdiObjectHandle object;
};
std::vector<Entry> g_objects;

bool SameKey(const FrameObjectKey& a, const FrameObjectKey& b) {
    if (a.type != b.type) return false;
    switch (a.type) {
    case kSolidBrush:
    case kHatchBrush:
        return a.colour == b.colour;
    case kPen:
        return a.colour == b.colour && a.width == b.width && a.style == b.style;
    case kFont:
        return a.face == b.face && a.height == b.height && a.bold == b.bold;
    }
    return false;
}

}  // namespace

FrameObjectKey BrushKey(Colour colour) { return FrameObjectKey{kSolidBrush, colour, 0, 0, "", 0, false}; }
FrameObjectKey HatchKey(Colour colour) { return FrameObjectKey{kHatchBrush, colour, 0, 0, "", 0, false}; }
FrameObjectKey PenKey(Colour colour, int width, LineStyle style) {
    return FrameObjectKey{kPen, colour, width < 1 ? 1 : width, style, "", 0, false};
}
FrameObjectKey FontKey(const FontSpec& font) {
    return FrameObjectKey{kFont, 0, 0, 0, font.face ? font.face : "", font.height, font.bold};
}

GdiObjectHandle FrameObject(const FrameObjectKey& key) {
    for (const Entry& e : g_objects)
        if (SameKey(e.key, key)) return e.object;
    // Nothing stays selected between painter calls, so a full table can be
    // emptied at any call.
    if (g_objects.size() >= kMaxObjects) ReleaseFrameObjects();
    GdiObjectHandle object = MakeFrameObject(key);
    if (object != kNoGdiObject) g_objects.push_back(Entry{key, object});
    return object;
}

void ReleaseFrameObjects() {
    for (const Entry& e : g_objects) DeleteFrameObject(e.key.type, e.object);
    g_objects.clear();
}

int FrameObjectCount() { return static_cast<int>(g_objects.size()); }
