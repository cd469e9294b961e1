#include <windows.h>
#include "strips/strip_windows.h"

static HWND W(intptr_t window) { return reinterpret_cast<HWND>(window); }

bool StripWindowAlive(intptr_t window) { return window && IsWindow(W(window)); }

void InvalidateStripWindow(intptr_t window) {
    if (StripWindowAlive(window)) InvalidateRect(W(window), nullptr, FALSE);
}

void DestroyStripWindow(intptr_t window, int timerId) {
    if (!StripWindowAlive(window)) return;
    KillTimer(W(window), static_cast<UINT_PTR>(timerId));
    DestroyWindow(W(window));
}
