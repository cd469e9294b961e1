// Thumbnails as the filmstrip paints them: the BMP a one-frame extraction
// wrote, drawn into a screen-compatible bitmap of the cell size.
#pragma once
#include <string>
#include "platform/handles.h"

// kNoBitmap when the file does not load as a bitmap.
BitmapHandle LoadThumbnailBitmap(const std::string& path, int width, int height);
void DeleteThumbnailBitmap(BitmapHandle bitmap);
// The size the bitmap was made at.
bool ThumbnailBitmapSize(BitmapHandle bitmap, int& width, int& height);
// Thumbnails made and not deleted yet; counted only natively (-1 elsewhere).
int LiveThumbnailBitmaps();
