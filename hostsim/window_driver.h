// How the host simulator drives the plug-in's embedded windows the way a
// visitor's mouse and keyboard do: input posted to a real window on Windows,
// events sent to the headless stand-in natively; and how it captures what a
// window shows (pixels to a BMP file, or natively the draw log as text).
#pragma once
#include <cstdint>
#include <string>

enum DriverPointer { kDriverPress, kDriverMove, kDriverRelease, kDriverDoubleClick, kDriverRightPress };

// The plug-in's window in a Rectangle: its first child, or else the first
// pop-up it owns, whose class name begins with "QMT_"; 0 when none.
intptr_t OsEmbeddedWindow(intptr_t rectangle);
// Client coordinates of `window`.
void OsPointer(intptr_t window, DriverPointer what, int x, int y, bool ctrl, bool leftHeld);
void OsWheel(intptr_t window, int x, int y, int delta, bool ctrl);
void OsKey(intptr_t window, int virtualKey);
// Fires timer `timerId` (0: the window's first timer) once; false with a
// reason when the window has no such timer.
bool OsFireTimer(intptr_t window, int timerId, std::string* error);
// The command the next pop-up menu is answered with (0 dismisses it).
void OsChooseNextMenu(int command);
bool OsCaptureWindow(intptr_t window, const std::string& path, std::string* error);
