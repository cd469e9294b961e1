#include "host/teardown.h"
#include "host/host_state.h"
#include "host/window_frame.h"

void PageTearDown() {
    TerminatePreviewProcess();
    CloseAllPlayers();
    CloseAllFrameStrips();
    CloseAllWaveforms();
    CloseAllTrackLanes();
    CloseAllOverlays();
    DestroyAllTimelines();
    ReleaseWindowFrame();
    // The library entry point may not shut GDI+ down, and a host sends
    // message 2 before it lets the library go; the next picture starts it again.
    ShutdownGdiPlus();
}

void ResetPluginTables() {
    PageTearDown();
    ForgetHostCallbacks();
    ClearTransitions();
    ClearBackupStack();
    ClearRecentFiles();
    ForgetToolLocation();
    ResetDispatchTable();
}

void UnloadCleanUp() {
    ResetPluginTables();
    ShutdownGdiPlus();
    DeleteLongLivedGdiObjects();
}

void DetachCleanUp() { ClearBackupStack(); }

void ForgetHostCallbacks() {
    void* module = g_host.moduleHandle;
    g_host = HostState();
    g_host.moduleHandle = module;
}
