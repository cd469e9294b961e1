// Finding the window of a named page Rectangle through the host.
#pragma once
#include <cstdint>
#include <string>

// The Rectangle's window handle, 0 when the host does not know it.
intptr_t FindRectangleWindow(const std::string& name);
