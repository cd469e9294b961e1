#include "host/teardown.h"
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

void UnloadCleanUp() {
    PageTearDown();
    ClearBackupStack();
    ShutdownGdiPlus();
    DeleteLongLivedGdiObjects();
}

void DetachCleanUp() { ClearBackupStack(); }
