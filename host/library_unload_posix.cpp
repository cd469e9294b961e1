// Native build: the unload sequence runs when the shared library is unloaded.
#include "host/teardown.h"

__attribute__((destructor)) static void OnLibraryUnload() { UnloadCleanUp(); }
