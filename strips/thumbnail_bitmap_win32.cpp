// On Windows a thumbnail is the window frame's screen-compatible bitmap of
// the cell size, drawn from the extracted BMP in halftone mode.
#include <windows.h>
#include "host/window_frame.h"
#include "strips/thumbnail_bitmap.h"

intptr_t LoadThumbnailBitmap(const std::string& path, int width, int height) {
    return LoadFrameBitmap(path, width, height);
}

void DeleteThumbnailBitmap(intptr_t bitmap) { DeleteFrameBitmap(bitmap); }

bool ThumbnailBitmapSize(intptr_t bitmap, int& width, int& height) {
    BITMAP info;
    if (!bitmap || !GetObjectA(reinterpret_cast<HBITMAP>(bitmap), sizeof info, &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

int LiveThumbnailBitmaps() { return -1; }
