// On Windows a thumbnail is the window frame's screen-compatible bitmap of
// the cell size, drawn from the extracted BMP in halftone mode.
#include <windows.h>
#include "host/window_frame.h"
#include "platform/win32/win32_handles.h"
#include "strips/thumbnail_bitmap.h"

BitmapHandle LoadThumbnailBitmap(const std::string& path, int width, int height) {
    return LoadFrameBitmap(path, width, height);
}

void DeleteThumbnailBitmap(BitmapHandle bitmap) { DeleteFrameBitmap(bitmap); }

bool ThumbnailBitmapSize(BitmapHandle bitmap, int& width, int& height) {
    BITMAP info;
    if (!bitmap || !GetObjectA(AsHbitmap(bitmap), sizeof info, &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

int LiveThumbnailBitmaps() { return -1; }
