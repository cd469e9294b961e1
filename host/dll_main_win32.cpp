// The library entry point: remembers the module handle and deletes the backup
// files when the host lets the library go (see DetachCleanUp).
#include <windows.h>
#include "host/host_state.h"
#include "host/teardown.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    // Stored before the reason is looked at: every window class, dialog and
    // resource of the plug-in is created on this instance.
    g_host.moduleHandle = instance;
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    else if (reason == DLL_PROCESS_DETACH) DetachCleanUp();
    return TRUE;
}
