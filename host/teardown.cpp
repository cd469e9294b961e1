#include "host/teardown.h"

void PageTearDown() {
    TerminatePreviewProcess();
    CloseAllPlayers();
    CloseAllFrameStrips();
    CloseAllWaveforms();
    CloseAllTrackLanes();
    CloseAllOverlays();
    DestroyAllTimelines();
}

void UnloadCleanUp() {
    PageTearDown();
    ClearBackupStack();
    ShutdownGdiPlus();
    DeleteLongLivedGdiObjects();
}
