// Native build: the unload sequence runs when the shared library is unloaded.
#include "host/teardown.h"

__attribute__((destructor)) static void OnLibraryUnload() { UnloadCleanUp(); }

// The dynamic loader may keep the library mapped after dlclose (a unique
// symbol pins it), so a later load would see the last user's tables. The host
// simulator calls this right after loading, giving what a fresh load gives
// on Windows.
extern "C" __attribute__((visibility("default"))) void qmt_reset_plugin_tables() { ResetPluginTables(); }
