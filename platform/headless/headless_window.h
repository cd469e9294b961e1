// A window-system stand-in for the native build: windows that have a parent,
// a class name, a rectangle, a user-data word and a count of invalidations.
// It is a shared library so the host simulator and the plug-in see the same
// windows, as both see user32 on Windows.
#pragma once
#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define QMT_HW_API __attribute__((visibility("default")))
#else
#define QMT_HW_API
#endif

extern "C" {
QMT_HW_API intptr_t hwCreateWindow(intptr_t parent, const char* className, int x, int y, int width, int height);
QMT_HW_API int hwDestroyWindow(intptr_t window);  // also destroys children
QMT_HW_API int hwIsWindow(intptr_t window);
QMT_HW_API int hwGetClientSize(intptr_t window, int* width, int* height);
QMT_HW_API int hwGetPosition(intptr_t window, int* x, int* y);
QMT_HW_API int hwMoveWindow(intptr_t window, int x, int y, int width, int height);
QMT_HW_API intptr_t hwGetParent(intptr_t window);
QMT_HW_API const char* hwGetClassName(intptr_t window);
QMT_HW_API void hwSetUserData(intptr_t window, intptr_t data);
QMT_HW_API intptr_t hwGetUserData(intptr_t window);
QMT_HW_API void hwInvalidate(intptr_t window);
QMT_HW_API int hwInvalidationCount(intptr_t window);
QMT_HW_API int hwWindowCount();

// The process heap: zero-filled blocks whose validity can be asked.
QMT_HW_API void* hwHeapAlloc(size_t size);
QMT_HW_API void* hwHeapReAlloc(void* block, size_t size);  // a new block when `block` is not valid
QMT_HW_API int hwHeapValidate(const void* block);
QMT_HW_API int hwHeapFree(void* block);
}
