// The OS calls of the embedded players and FFplay previews: window sizes and
// positions, the preview's own process, finding its window and taking it in.
#pragma once
#include <cstdint>
#include <string>
#include "platform/handles.h"
#include "platform/platform.h"

namespace plat {

// Client size of a window; false (0 x 0) when it is not a window.
bool ClientSize(WindowHandle window, int& width, int& height);
// Screen position of a window's client origin.
bool ClientOrigin(WindowHandle window, int& x, int& y);
void ScreenSize(int& width, int& height);
bool IsLiveWindow(WindowHandle window);

// Starts a program without pipes and without a console: `shown` picks the
// normal show state, otherwise hidden. `processId` receives the child's id.
bool StartDetached(const std::string& commandLine, bool shown, ChildProcess& child, unsigned long& processId);

// Waits up to `timeoutMs` for the started program to open a top-level window
// with exactly this title; kNoWindow when it has not (or has ended) by then.
WindowHandle WaitForProcessWindow(const std::string& title, ChildProcess& child, unsigned long processId,
                                  unsigned long timeoutMs);
// Makes a top-level window a visible child of `parent` filling 0,0 to
// width x height.
void AdoptAsChild(WindowHandle window, WindowHandle parent, int width, int height);
// Posts a space key press and release, the pause toggle of FFplay.
void PostSpaceKey(WindowHandle window);
// A thread timer (one made without a window) that calls `tick` every
// `periodMs` on this thread; its id, 0 when none could be made.
uintptr_t StartThreadTimer(unsigned periodMs, void (*tick)());
// Stops a thread timer.
void KillThreadTimer(uintptr_t timerId);
// The system tick count in ms, as the timers see it (GetTickCount); natively
// the stand-in clock that tests step.
uint32_t TickCount();

}  // namespace plat
