// The typed handles as the Win32 types whose bits they carry.
#pragma once
#include <windows.h>
#include "platform/handles.h"

inline HWND AsHwnd(WindowHandle w) { return reinterpret_cast<HWND>(HandleBits(w)); }
inline WindowHandle WindowHandleOf(HWND w) { return WindowHandle{reinterpret_cast<intptr_t>(w)}; }

inline HBITMAP AsHbitmap(BitmapHandle b) { return reinterpret_cast<HBITMAP>(HandleBits(b)); }
inline BitmapHandle BitmapHandleOf(HBITMAP b) { return BitmapHandle{reinterpret_cast<intptr_t>(b)}; }

inline HGDIOBJ AsGdiObject(GdiObjectHandle o) { return reinterpret_cast<HGDIOBJ>(HandleBits(o)); }
inline GdiObjectHandle GdiObjectHandleOf(HGDIOBJ o) { return GdiObjectHandle{reinterpret_cast<intptr_t>(o)}; }

inline HANDLE AsProcessHandle(ProcessHandle p) { return reinterpret_cast<HANDLE>(HandleBits(p)); }
inline ProcessHandle ProcessHandleOf(HANDLE p) { return ProcessHandle{reinterpret_cast<intptr_t>(p)}; }
