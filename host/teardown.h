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
// Every table of the plug-in back to its state after loading: page windows
// and timelines closed, the host's callbacks forgotten, transitions, undo
// stack and recent files emptied, the tool location forgotten, the dispatch
// table refilled on its next use. Unloading calls it; tests call it so they
// pass in any order in one process.
void ResetPluginTables();

// Provided by the subsystems.
void TerminatePreviewProcess();    // playback
void CloseAllPlayers();            // playback
void CloseAllFrameStrips();        // strips
void CloseAllWaveforms();          // strips
void CloseAllTrackLanes();         // strips
void CloseAllOverlays();           // strips
void DestroyAllTimelines();        // timeline
void ClearBackupStack();           // toolchain
void ClearRecentFiles();           // toolchain
void ForgetToolLocation();         // toolchain
void ClearTransitions();           // operations
void ResetDispatchTable();         // host
void ForgetHostCallbacks();        // host: every stored callback and the host window
void ShutdownGdiPlus();            // strips
void DeleteLongLivedGdiObjects();  // host dialogs
