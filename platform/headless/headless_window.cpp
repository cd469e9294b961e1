#include "platform/headless/headless_window.h"
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {
struct HeadlessWindow {
    intptr_t parent;
    std::string className;
    int x, y, width, height;
    intptr_t userData;
    int invalidations;
};
std::recursive_mutex g_mutex;
std::map<void*, size_t> g_blocks;
std::map<intptr_t, HeadlessWindow> g_windows;
intptr_t g_next = 0x1000;  // handles look like small window handles
}  // namespace

extern "C" {

intptr_t hwCreateWindow(intptr_t parent, const char* className, int x, int y, int width, int height) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (parent && !g_windows.count(parent)) return 0;
    intptr_t handle = g_next;
    g_next += 4;
    g_windows[handle] = HeadlessWindow{parent, className ? className : "", x, y, width, height, 0, 0};
    return handle;
}

int hwDestroyWindow(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    if (!g_windows.count(window)) return 0;
    std::vector<intptr_t> children;
    for (auto& entry : g_windows)
        if (entry.second.parent == window) children.push_back(entry.first);
    for (intptr_t child : children) hwDestroyWindow(child);
    g_windows.erase(window);
    return 1;
}

int hwIsWindow(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_windows.count(window) ? 1 : 0;
}

int hwGetClientSize(intptr_t window, int* width, int* height) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it == g_windows.end()) return 0;
    if (width) *width = it->second.width;
    if (height) *height = it->second.height;
    return 1;
}

int hwGetPosition(intptr_t window, int* x, int* y) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it == g_windows.end()) return 0;
    if (x) *x = it->second.x;
    if (y) *y = it->second.y;
    return 1;
}

int hwMoveWindow(intptr_t window, int x, int y, int width, int height) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it == g_windows.end()) return 0;
    it->second.x = x;
    it->second.y = y;
    it->second.width = width;
    it->second.height = height;
    return 1;
}

intptr_t hwGetParent(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? 0 : it->second.parent;
}

const char* hwGetClassName(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? "" : it->second.className.c_str();
}

void hwSetUserData(intptr_t window, intptr_t data) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it != g_windows.end()) it->second.userData = data;
}

intptr_t hwGetUserData(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? 0 : it->second.userData;
}

void hwInvalidate(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    if (it != g_windows.end()) ++it->second.invalidations;
}

int hwInvalidationCount(intptr_t window) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_windows.find(window);
    return it == g_windows.end() ? 0 : it->second.invalidations;
}

int hwWindowCount() {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return static_cast<int>(g_windows.size());
}

void* hwHeapAlloc(size_t size) {
    void* block = calloc(1, size ? size : 1);
    if (!block) return nullptr;
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_blocks[block] = size;
    return block;
}

void* hwHeapReAlloc(void* block, size_t size) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_blocks.find(block);
    void* fresh = hwHeapAlloc(size);
    if (fresh && it != g_blocks.end()) {
        memcpy(fresh, block, it->second < size ? it->second : size);
        hwHeapFree(block);
    }
    return fresh;
}

int hwHeapValidate(const void* block) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_blocks.count(const_cast<void*>(block)) ? 1 : 0;
}

int hwHeapFree(void* block) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    auto it = g_blocks.find(block);
    if (it == g_blocks.end()) return 0;
    g_blocks.erase(it);
    free(block);
    return 1;
}

}  // extern "C"
