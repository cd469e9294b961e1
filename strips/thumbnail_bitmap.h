// Thumbnails as the filmstrip paints them: the BMP a one-frame extraction
// wrote, drawn into a screen-compatible bitmap of the cell size.
#pragma once
#include <cstdint>
#include <string>

// 0 when the file does not load as a bitmap.
intptr_t LoadThumbnailBitmap(const std::string& path, int width, int height);
void DeleteThumbnailBitmap(intptr_t bitmap);
// The size the bitmap was made at.
bool ThumbnailBitmapSize(intptr_t bitmap, int& width, int& height);
// Thumbnails made and not deleted yet; counted only natively (-1 elsewhere).
int LiveThumbnailBitmaps();
