// Helpers the plug-in's Win32 dialogs share.
#pragma once
#include <windows.h>

// Centres over the owner window, or over the work area when there is none,
// without resizing.
void CentreOverOwner(HWND dialog);
// The parameter editor's fonts, brush and bitmap, released at unload.
void DeleteEditorGdiObjects();
// The system's message font, from the non-client metrics.
LOGFONTA MessageFontSpec();
