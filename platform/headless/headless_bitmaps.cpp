// The stand-in's bitmaps: pixel blocks under handles, as GDI keeps them.
#include <cstring>
#include <map>
#include <mutex>
#include <vector>
#include "platform/headless/headless_window.h"

namespace {
struct StoredBitmap {
    int width, height;
    std::vector<uint32_t> pixels;
};
std::mutex g_bitmapMutex;
std::map<intptr_t, StoredBitmap> g_bitmaps;
intptr_t g_nextBitmap = 0x5000;
}  // namespace

extern "C" {

intptr_t hwCreateBitmap(int width, int height, const uint32_t* pixels) {
    if (width <= 0 || height <= 0) return 0;
    StoredBitmap b{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, 0)};
    if (pixels) memcpy(b.pixels.data(), pixels, b.pixels.size() * sizeof(uint32_t));
    std::lock_guard<std::mutex> hold(g_bitmapMutex);
    intptr_t handle = g_nextBitmap;
    g_nextBitmap += 4;
    g_bitmaps[handle] = std::move(b);
    return handle;
}

int hwGetBitmap(intptr_t bitmap, int* width, int* height, uint32_t* pixels) {
    std::lock_guard<std::mutex> hold(g_bitmapMutex);
    auto it = g_bitmaps.find(bitmap);
    if (it == g_bitmaps.end()) return 0;
    if (width) *width = it->second.width;
    if (height) *height = it->second.height;
    if (pixels) memcpy(pixels, it->second.pixels.data(), it->second.pixels.size() * sizeof(uint32_t));
    return 1;
}

int hwDeleteBitmap(intptr_t bitmap) {
    std::lock_guard<std::mutex> hold(g_bitmapMutex);
    return g_bitmaps.erase(bitmap) ? 1 : 0;
}

int hwBitmapCount() {
    std::lock_guard<std::mutex> hold(g_bitmapMutex);
    return static_cast<int>(g_bitmaps.size());
}
}
