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
