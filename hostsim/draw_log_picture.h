// Pictures of native windows: a window's draw log played back onto a
// picture painter, and written as a BMP or PNG file.
#pragma once
#include <string>
#include "platform/headless/headless_window.h"
#include "platform/headless/picture_file.h"

// The window's client area as its last paint drew it (black where it drew
// nothing, as a fresh back buffer is).
Picture PictureOfDrawLog(intptr_t window);
// One recorded call drawn onto `picture`.
void DrawRecordedCall(Picture& picture, const HwDrawCall& call);

// True when `path` names a picture file: it ends in ".bmp" or ".png", in any case.
bool IsPicturePath(const std::string& path);
// Writes a BMP or a PNG as `path`'s ending says.
bool WritePictureFile(const std::string& path, const Picture& picture);
