// Pictures of the native build: pixels in memory, read from and written to
// BMP files, written as PNG, and stretched the way a halftone blit smooths.
// The plug-in loads thumbnails with them and the host simulator writes its
// window pictures with them, so they live in the UI stand-in library.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "platform/headless/headless_window.h"

struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00BBGGRR, rows from the top
};

QMT_HW_API Picture BlankPicture(int width, int height, uint32_t colour);
// 24-bit and 32-bit uncompressed BMP files, stored bottom-up or top-down;
// false with the reason for anything else.
QMT_HW_API bool ReadBmpFile(const std::string& path, Picture& picture, std::string* error);
// A 24-bit bottom-up BMP.
QMT_HW_API bool WriteBmpFile(const std::string& path, const Picture& picture);
// An 8-bit RGB PNG in stored (uncompressed) deflate blocks.
QMT_HW_API bool WritePngFile(const std::string& path, const Picture& picture);
// Each target pixel is the average of the source area it covers.
QMT_HW_API Picture StretchPicture(const Picture& from, int width, int height);
