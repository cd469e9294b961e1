// A filmstrip's record from opening to closing: its creation values, the
// markers, zoom and scrolling, the thumbnails the worker stores, and the
// one way a strip is torn down.
#pragma once
#include <string>
#include "host/outcome.h"
#include "strips/strip_records.h"

// Waits for the extraction worker when a strip is destroyed, and when it is
// re-created or the page is torn down.
const unsigned long kStripDestroyWaitMs = 5000;
const unsigned long kStripRecreateWaitMs = 3000;
// The window's timer that follows the player, stopped with the window.
const int kStripFollowTimerId = 1;

// Creation steps without the window: an existing strip of that name is closed,
// a free slot is zeroed and filled for a Rectangle `clientWidth` x
// `clientHeight`. Returns the slot, or -1 when the table is full.
int OpenFrameStrip(const std::string& rectName, const std::string& videoPath, const std::string& playerRect,
                   WindowHandle rectWindow, int clientWidth, int clientHeight);
// Starts the thumbnail extraction of an open strip; false when no thread could be started.
bool StartFrameStripExtraction(int slot);
// Cancels and waits for the worker (up to `waitMs`), destroys the window,
// deletes the thumbnails and the lock and frees the slot.
void CloseFrameStrip(int slot, unsigned long waitMs);

// Under the lock: added, or refused when the strip has all its markers.
Outcome AddMarker(FrameStripRecord& strip, const std::string& timeText, const std::string& label,
                  const std::string& colour);
void ClearMarkers(FrameStripRecord& strip);
// Sets the zoom level (already limited to 1..5) and the cell width.
void SetZoom(FrameStripRecord& strip, int level);
// A wheel turn: zoom with Ctrl held, else scroll.
void WheelStrip(FrameStripRecord& strip, int delta, bool control);
// Stores thumbnail `index` in place of any earlier one; framesReady = index + 1.
void StoreThumbnail(FrameStripRecord& strip, int index, BitmapHandle bitmap);
