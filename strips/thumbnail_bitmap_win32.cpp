#include <windows.h>
#include "strips/thumbnail_bitmap.h"

intptr_t LoadThumbnailBitmap(const std::string& path, int width, int height) {
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!loaded) return 0;
    BITMAP info;
    GetObjectA(loaded, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    HBITMAP made = CreateCompatibleBitmap(screen, width, height);
    if (made) {
        HDC from = CreateCompatibleDC(screen);
        HDC to = CreateCompatibleDC(screen);
        HGDIOBJ oldFrom = SelectObject(from, loaded);
        HGDIOBJ oldTo = SelectObject(to, made);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        DeleteDC(from);
        DeleteDC(to);
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(loaded);
    return reinterpret_cast<intptr_t>(made);
}

void DeleteThumbnailBitmap(intptr_t bitmap) {
    if (bitmap) DeleteObject(reinterpret_cast<HBITMAP>(bitmap));
}

bool ThumbnailBitmapSize(intptr_t bitmap, int& width, int& height) {
    BITMAP info;
    if (!bitmap || !GetObjectA(reinterpret_cast<HBITMAP>(bitmap), sizeof info, &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

int LiveThumbnailBitmaps() { return -1; }
