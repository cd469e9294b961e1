// A window-system stand-in for the native build: windows that have a parent,
// a class name, a rectangle, a user-data word and a count of invalidations,
// plus what embedded windows need to be driven and checked without a
// display: class procedures, injected input, timers, capture, cursors, menus
// and a log of every drawing call of the last paint.
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
// Shown or hidden (windows start shown), and the window in front of the
// desktop: 0 until one is set, which the plug-in reads as its host in front.
QMT_HW_API void hwShowWindow(intptr_t window, int show);
QMT_HW_API int hwIsVisible(intptr_t window);
QMT_HW_API void hwSetForeground(intptr_t window);
QMT_HW_API intptr_t hwGetForeground();
QMT_HW_API void hwSetUserData(intptr_t window, intptr_t data);
QMT_HW_API intptr_t hwGetUserData(intptr_t window);
QMT_HW_API void hwInvalidate(intptr_t window);
QMT_HW_API int hwInvalidationCount(intptr_t window);
QMT_HW_API int hwWindowCount();

// ---- input, timers and painting ---------------------------------------------
// The stand-in's messages. A class procedure receives them for every window of
// that class; the host simulator sends them the way user32 delivers input.
enum {
    HW_PAINT = 1,
    HW_PRESS,         // left button down
    HW_MOVE,
    HW_RELEASE,       // left button up
    HW_DOUBLE_CLICK,  // left button
    HW_RIGHT_PRESS,
    HW_WHEEL,
    HW_KEY,           // key down; `key` is a Windows virtual-key code
    HW_TIMER,
    HW_DESTROY
};
enum { HW_CTRL = 1, HW_SHIFT = 2, HW_LEFT_BUTTON = 4 };
typedef struct HwEvent {
    int type;
    int x, y;       // client coordinates
    int delta;      // wheel: 120 per notch, positive away from the user
    int flags;      // HW_CTRL | HW_SHIFT | HW_LEFT_BUTTON
    int key;
    int timerId;
} HwEvent;
typedef void (*HwEventProc)(intptr_t window, const HwEvent* event);

// One recorded drawing call of a window's last paint.
typedef struct HwDrawCall {
    char kind[12];             // fill, frame, line, hatch, text, bitmap, triangle
    int left, top, right, bottom;  // a line: from (left,top) to (right,bottom)
    uint32_t colour;           // 0x00BBGGRR
    int width;                 // pen width; text: 0
    int style;                 // line style, text layout or bitmap mode
    int points[6];             // triangle corners
    intptr_t bitmap;
    char font[48];             // "Segoe UI 11 bold"
    char text[256];
} HwDrawCall;

QMT_HW_API void hwRegisterClassProc(const char* className, HwEventProc proc);  // null proc removes it
// Delivers an event to the window's class procedure; 0 when there is none.
QMT_HW_API int hwSendEvent(intptr_t window, const HwEvent* event);
QMT_HW_API void hwSetTimer(intptr_t window, int id, int periodMs);
QMT_HW_API void hwKillTimer(intptr_t window, int id);
QMT_HW_API int hwTimerPeriod(intptr_t window, int id);  // 0 when the timer is not running
QMT_HW_API int hwFirstTimer(intptr_t window);           // lowest running timer id, 0 when none
// Thread timers (SetTimer without a window): they run only when fired, so a
// test steps them the way it steps the clock.
typedef void (*HwThreadTimerProc)(uintptr_t timerId);
QMT_HW_API uintptr_t hwSetThreadTimer(int periodMs, HwThreadTimerProc proc);  // its id, never 0
QMT_HW_API void hwKillThreadTimer(uintptr_t timerId);
QMT_HW_API int hwThreadTimerPeriod(uintptr_t timerId);  // 0 when the timer is not running
QMT_HW_API int hwThreadTimerCount();
// Calls every running thread timer once, oldest first; how many were called.
QMT_HW_API int hwFireThreadTimers();
QMT_HW_API void hwSetCapture(intptr_t window);
QMT_HW_API void hwReleaseCapture();
QMT_HW_API intptr_t hwGetCapture();
QMT_HW_API void hwSetCursor(intptr_t window, int shape);
QMT_HW_API int hwGetCursor(intptr_t window);
// The first child (or owned popup) whose class name begins with `prefix`.
QMT_HW_API intptr_t hwFindChild(intptr_t parent, const char* prefix);
// A pop-up menu: the items as "id:text" lines are kept for the host to read,
// and the answer is the command the host chose beforehand (0 = dismissed).
QMT_HW_API int hwTrackMenu(intptr_t window, const char* items);
QMT_HW_API void hwSetMenuAnswer(int command);
QMT_HW_API const char* hwLastMenu();
// The draw log: a paint starts a new one.
QMT_HW_API void hwClearDrawLog(intptr_t window);
QMT_HW_API void hwAddDrawCall(intptr_t window, const HwDrawCall* call);
QMT_HW_API int hwDrawCallCount(intptr_t window);
QMT_HW_API int hwGetDrawCall(intptr_t window, int index, HwDrawCall* out);
QMT_HW_API int hwPaintCount(intptr_t window);
// One line of text for a call, such as
//   text 84 3 320 90 #00ff50 layout=0 font="Segoe UI 11 bold" "IN"
// written into `out` (always terminated); the length it needed.
QMT_HW_API int hwFormatDrawCall(const HwDrawCall* call, char* out, int size);

// Bitmaps: pixels (0x00BBGGRR, rows from the top) kept under a handle, so
// what the plug-in loads can be drawn into pictures of its windows. Safe on
// any thread.
QMT_HW_API intptr_t hwCreateBitmap(int width, int height, const uint32_t* pixels);
// The size, and the pixels into `pixels` (width * height entries) when it is
// not null; 0 when there is no such bitmap.
QMT_HW_API int hwGetBitmap(intptr_t bitmap, int* width, int* height, uint32_t* pixels);
QMT_HW_API int hwDeleteBitmap(intptr_t bitmap);
QMT_HW_API int hwBitmapCount();

// The process heap: zero-filled blocks whose validity can be asked.
QMT_HW_API void* hwHeapAlloc(size_t size);
QMT_HW_API void* hwHeapReAlloc(void* block, size_t size);  // a new block when `block` is not valid
QMT_HW_API int hwHeapValidate(const void* block);
QMT_HW_API int hwHeapFree(void* block);
}
