// Natively a thumbnail is the window frame's stand-in bitmap: the BMP's
// pixels stretched to the cell, so pictures of the strip show them. They are
// counted so tests can check none is leaked.
#include <atomic>
#include "host/window_frame.h"
#include "platform/headless/headless_window.h"
#include "strips/thumbnail_bitmap.h"

namespace {
std::atomic<int> g_live(0);
}  // namespace

BitmapHandle LoadThumbnailBitmap(const std::string& path, int width, int height) {
    BitmapHandle bitmap = LoadFrameBitmap(path, width, height);
    if (bitmap != kNoBitmap) ++g_live;
    return bitmap;
}

void DeleteThumbnailBitmap(BitmapHandle bitmap) {
    if (!bitmap) return;
    DeleteFrameBitmap(bitmap);
    --g_live;
}

bool ThumbnailBitmapSize(BitmapHandle bitmap, int& width, int& height) {
    return bitmap != kNoBitmap && hwGetBitmap(HandleBits(bitmap), &width, &height, nullptr);
}

int LiveThumbnailBitmaps() { return g_live.load(); }
