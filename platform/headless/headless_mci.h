// A media-control-interface stand-in for the native build: the string
// commands the embedded players send, answered by devices that keep a mode, a
// position that runs with a clock while playing, a length, a volume, a speed
// and a video window (a headless child of the parent given at open). It lives
// in the window stand-in library so the plug-in and the tests that drive it
// see the same devices, the way both would see winmm on Windows.
#pragma once
#include <cstddef>
#include <cstdint>
#include "platform/headless/headless_window.h"

extern "C" {
// mciSendStringA and mciGetErrorStringA.
QMT_HW_API unsigned long hmMciSendString(const char* command, char* reply, unsigned replySize);
QMT_HW_API int hmMciGetErrorString(unsigned long code, char* text, unsigned size);

// The clock positions run by: real milliseconds until the first step, then
// only what hmMciAdvanceClock adds. It is also the plug-in's system tick count
// natively (the timeline preview's playhead runs by it), as positions and
// GetTickCount both follow real time on Windows.
QMT_HW_API void hmMciAdvanceClock(unsigned long ms);
QMT_HW_API uint64_t hmMciClock();

// Length in ms the next open takes instead of asking ffprobe; < 0 = ask.
QMT_HW_API void hmMciSetNextLength(double ms);
// The next `count` opens fail with `code`.
QMT_HW_API void hmMciRefuseOpens(int count, unsigned long code);

// Every command string sent, oldest first, and how many devices are open.
QMT_HW_API int hmMciLogCount();
QMT_HW_API const char* hmMciLogEntry(int index);
QMT_HW_API void hmMciClearLog();
QMT_HW_API int hmMciOpenDevices();
}
