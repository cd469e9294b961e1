// Typed handles of the system objects that cross the plug-in's own
// interfaces. Each holds the handle's bits (an HWND, an HBITMAP, a GDI
// brush, pen or font, a process HANDLE or pid, or the headless stand-in's
// number) and costs nothing at run time, but a bitmap can no longer be passed
// where a window is expected. The zero value of each is "none", and `!h`
// asks for it.
#pragma once
#include <cstdint>

enum class WindowHandle : intptr_t {};
enum class BitmapHandle : intptr_t {};
enum class GdiObjectHandle : intptr_t {};
enum class ProcessHandle : intptr_t {};

const WindowHandle kNoWindow{};
const BitmapHandle kNoBitmap{};
const GdiObjectHandle kNoGdiObject{};
const ProcessHandle kNoProcess{};

inline bool operator!(WindowHandle h) { return h == kNoWindow; }
inline bool operator!(BitmapHandle h) { return h == kNoBitmap; }
inline bool operator!(GdiObjectHandle h) { return h == kNoGdiObject; }
inline bool operator!(ProcessHandle h) { return h == kNoProcess; }

// The bits, for the platform halves that hand them to the system.
template <class Handle>
intptr_t HandleBits(Handle h) {
    return static_cast<intptr_t>(h);
}
