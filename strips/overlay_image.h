// The picture of an image overlay, loaded into a bitmap its window paints.
#pragma once
#include <cstdint>
#include <string>

// The bitmap and the picture's pixel size; false when the file does not load.
bool LoadOverlayImage(const std::string& path, intptr_t& bitmap, int& width, int& height);
