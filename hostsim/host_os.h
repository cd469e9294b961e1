// The host simulator's operating-system calls: loading the plug-in, the
// host's windows for named Rectangles, the process heap and the message pump.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

void* OsLoadLibrary(const std::string& path, std::string* error);
void* OsFindSymbol(void* module, const char* name);
void OsFreeLibrary(void* module);
// The host's main window (hidden), created once.
intptr_t OsHostWindow();
// A child window of the host window with the given client size.
intptr_t OsCreateRectangle(intptr_t parent, int width, int height);
void OsDestroyWindow(intptr_t window);
char* OsHeapAlloc(size_t size);
bool OsHeapValid(const void* block);
void OsHeapFree(void* block);
// Dispatches waiting window messages.
void OsPumpMessages();
// Dispatches window messages as they come for `ms` milliseconds.
void OsWaitPumping(unsigned long ms);
// The native MCI stand-in: steps its clock (false where the system's own
// clock runs) and hands over, then forgets, the command strings sent so far.
bool OsMciAdvanceClock(unsigned long ms);
std::string OsMciTakeLog();
// Fires the plug-in's thread timers `count` times (false where the system
// runs them itself).
bool OsFireThreadTimers(int count);
