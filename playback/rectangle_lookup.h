// Finding the window of a named page Rectangle through the host.
#pragma once
#include <cstdint>
#include <string>
#include "platform/handles.h"

// The Rectangle's window handle, kNoWindow when the host does not know it.
WindowHandle FindRectangleWindow(const std::string& name);
