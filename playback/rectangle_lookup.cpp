#include "playback/rectangle_lookup.h"
#include <cstdlib>
#include <cstring>
#include "host/host_state.h"
#include "platform/platform.h"

WindowHandle FindRectangleWindow(const std::string& name) {
    InterfaceAccessProc access = g_host.interfaceAccess;
    if (!access) return kNoWindow;
    char* buffer = plat::HostAlloc(name.size() + 1);
    if (!buffer) return kNoWindow;
    memcpy(buffer, name.c_str(), name.size() + 1);
    intptr_t handle = 0;
    // The host may swap the block, so the pointer is read as the call leaves it.
    if (access(7, &buffer) & 0xFF) handle = buffer ? static_cast<intptr_t>(atoi(buffer)) : 0;
    if (buffer && plat::HostBlockValid(buffer)) plat::HostFree(buffer);
    return WindowHandle{handle};
}
