// Page tear-down (host message 2) and library unload, and the release
// functions of each subsystem they call.
#pragma once

void PageTearDown();
void UnloadCleanUp();
// What the Windows library entry point may do when the library is let go:
// it runs under the loader lock, where user32, GDI, multimedia calls and
// waits on threads are unsafe, so it only deletes the backup files. Windows,
// players and GDI objects are released by host message 2.
void DetachCleanUp();

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
