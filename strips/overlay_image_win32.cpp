// Overlay pictures through GDI+, which reads PNG, JPEG, GIF and BMP alike.
// GDI+ is started by the first picture and kept until the page is torn down:
// its shutdown must not run inside the library entry point.
#include <windows.h>
#include <gdiplus.h>
#include <string>
#include "host/teardown.h"
#include "platform/win32/win32_handles.h"
#include "strips/overlay_image.h"
#include "strips/overlay_record.h"

namespace {

bool g_gdiPlusStarted = false;
ULONG_PTR g_gdiPlusToken = 0;

bool StartGdiPlus() {
    if (g_gdiPlusStarted) return true;
    Gdiplus::GdiplusStartupInput input;
    g_gdiPlusStarted = Gdiplus::GdiplusStartup(&g_gdiPlusToken, &input, nullptr) == Gdiplus::Ok;
    return g_gdiPlusStarted;
}

std::wstring Wide(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

// Transparent pixels come out in the overlay's see-through colour.
const Gdiplus::ARGB kSeeThrough = 0xFF010101;

}  // namespace

bool LoadOverlayImage(const std::string& path, BitmapHandle& bitmap, int& width, int& height) {
    using namespace Gdiplus::DllExports;
    bitmap = kNoBitmap;
    width = height = 0;
    std::wstring file = Wide(path);
    if (file.empty() || !StartGdiPlus()) return false;
    Gdiplus::GpBitmap* picture = nullptr;
    if (GdipCreateBitmapFromFile(file.c_str(), &picture) != Gdiplus::Ok || !picture) return false;
    UINT w = 0, h = 0;
    HBITMAP converted = nullptr;
    bool ok = GdipGetImageWidth(picture, &w) == Gdiplus::Ok && GdipGetImageHeight(picture, &h) == Gdiplus::Ok &&
              w > 0 && h > 0 && GdipCreateHBITMAPFromBitmap(picture, &converted, kSeeThrough) == Gdiplus::Ok &&
              converted;
    GdipDisposeImage(picture);
    if (!ok) return false;
    bitmap = BitmapHandleOf(converted);
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

void DeleteOverlayImage(BitmapHandle image) {
    if (image != kNoBitmap) DeleteObject(AsHbitmap(image));
}

void ShutdownGdiPlus() {
    if (!g_gdiPlusStarted) return;
    Gdiplus::GdiplusShutdown(g_gdiPlusToken);
    g_gdiPlusStarted = false;
    g_gdiPlusToken = 0;
}
