// Natively a thumbnail is the checked header of the BMP the extraction wrote:
// enough to count, size and leak-check them without a screen.
#include <atomic>
#include <cstdio>
#include <cstring>
#include "strips/thumbnail_bitmap.h"

namespace {
struct Thumbnail {
    int width, height;              // as made
    int sourceWidth, sourceHeight;  // as extracted
};
std::atomic<int> g_live(0);

int32_t LittleEndian(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return bytes == 2 ? static_cast<int16_t>(v) : static_cast<int32_t>(v);
}
}  // namespace

intptr_t LoadThumbnailBitmap(const std::string& path, int width, int height) {
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return 0;
    unsigned char header[30];
    size_t got = fread(header, 1, sizeof header, f);
    fclose(f);
    // An uncompressed 24-bit Windows bitmap, as the extraction asks for.
    if (got != sizeof header || header[0] != 'B' || header[1] != 'M' || LittleEndian(header + 28, 2) != 24) return 0;
    int w = LittleEndian(header + 18, 4), h = LittleEndian(header + 22, 4);
    if (w <= 0 || h == 0 || width <= 0 || height <= 0) return 0;
    ++g_live;
    return reinterpret_cast<intptr_t>(new Thumbnail{width, height, w, h < 0 ? -h : h});
}

void DeleteThumbnailBitmap(intptr_t bitmap) {
    if (!bitmap) return;
    delete reinterpret_cast<Thumbnail*>(bitmap);
    --g_live;
}

bool ThumbnailBitmapSize(intptr_t bitmap, int& width, int& height) {
    if (!bitmap) return false;
    const Thumbnail* t = reinterpret_cast<const Thumbnail*>(bitmap);
    width = t->width;
    height = t->height;
    return true;
}

int LiveThumbnailBitmaps() { return g_live.load(); }
