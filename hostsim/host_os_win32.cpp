// Windows host: LoadLibrary, a hidden main window with real child windows for
// the named Rectangles, the process heap and the thread's message queue.
#include <windows.h>
#include <cstdio>
#include "hostsim/host_os.h"

static const char kHostClass[] = "QuillmontHostWnd";

void* OsLoadLibrary(const std::string& path, std::string* error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module && error) {
        char text[64];
        snprintf(text, sizeof text, "LoadLibrary error %lu", static_cast<unsigned long>(GetLastError()));
        *error = text;
    }
    return reinterpret_cast<void*>(module);
}

void* OsFindSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

void OsFreeLibrary(void* module) { FreeLibrary(static_cast<HMODULE>(module)); }

intptr_t OsHostWindow() {
    static HWND window = nullptr;
    if (window && IsWindow(window)) return reinterpret_cast<intptr_t>(window);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    // Never shown: the plug-in needs a parent for its windows, not a screen.
    window = CreateWindowExA(0, kHostClass, "Quillmont host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 1280, 800,
                             nullptr, nullptr, instance, nullptr);
    return reinterpret_cast<intptr_t>(window);
}

intptr_t OsCreateRectangle(intptr_t parent, int width, int height) {
    // No border, so the client area is exactly the requested size.
    HWND window = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width, height,
                                  reinterpret_cast<HWND>(parent), nullptr, GetModuleHandleA(nullptr), nullptr);
    return reinterpret_cast<intptr_t>(window);
}

void OsDestroyWindow(intptr_t window) {
    if (window) DestroyWindow(reinterpret_cast<HWND>(window));
}

char* OsHeapAlloc(size_t size) { return static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)); }

bool OsHeapValid(const void* block) { return block && HeapValidate(GetProcessHeap(), 0, block); }

void OsHeapFree(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

void OsPumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void OsWaitPumping(unsigned long ms) {
    DWORD start = GetTickCount();
    do {
        OsPumpMessages();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

bool OsMciAdvanceClock(unsigned long) { return false; }
std::string OsMciTakeLog() { return std::string(); }
bool OsFireThreadTimers(int) { return false; }
