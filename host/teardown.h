// Page tear-down (host message 2) and library unload, and the release
// functions of each subsystem they call.
#pragma once

void PageTearDown();
void UnloadCleanUp();

// Provided by the subsystems.
void TerminatePreviewProcess();    // playback
void CloseAllPlayers();            // playback
void CloseAllFrameStrips();        // strips
void CloseAllWaveforms();          // strips
void CloseAllTrackLanes();         // strips
void CloseAllOverlays();           // strips
void DestroyAllTimelines();        // timeline
void ClearBackupStack();           // toolchain
void ShutdownGdiPlus();            // strips
void DeleteLongLivedGdiObjects();  // host dialogs
