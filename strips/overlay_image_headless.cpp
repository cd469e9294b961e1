// Natively there is no GDI+: an overlay's picture is known by the size its
// file header gives (BMP or PNG), and its bitmap is a number that is never 0.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include "host/teardown.h"
#include "strips/overlay_image.h"
#include "strips/overlay_record.h"

namespace {

uint32_t Little(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint32_t Big(const unsigned char* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

bool HeaderSize(const unsigned char* h, size_t n, int& width, int& height) {
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n >= 26 && h[0] == 'B' && h[1] == 'M') {
        width = static_cast<int32_t>(Little(h + 18));
        height = abs(static_cast<int32_t>(Little(h + 22)));  // negative for top-down rows
        return true;
    }
    if (n >= 24 && std::equal(kPng, kPng + 8, h)) {
        width = static_cast<int>(Big(h + 16));
        height = static_cast<int>(Big(h + 20));
        return true;
    }
    return false;
}

}  // namespace

bool LoadOverlayImage(const std::string& path, BitmapHandle& bitmap, int& width, int& height) {
    static intptr_t next = 0x9000;
    bitmap = kNoBitmap;
    width = height = 0;
    unsigned char header[32] = {0};
    FILE* f = fopen(path.c_str(), "rb");
    size_t n = f ? fread(header, 1, sizeof header, f) : 0;
    if (f) fclose(f);
    if (!HeaderSize(header, n, width, height) || width <= 0 || height <= 0) return false;
    bitmap = BitmapHandle{next++};
    return true;
}

void DeleteOverlayImage(BitmapHandle) {}

void ShutdownGdiPlus() {}
