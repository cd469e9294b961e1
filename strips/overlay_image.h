// The picture of an image overlay, loaded into a bitmap its window paints.
#pragma once
#include <string>
#include "platform/handles.h"

// The bitmap and the picture's pixel size; false when the file does not load.
bool LoadOverlayImage(const std::string& path, BitmapHandle& bitmap, int& width, int& height);
