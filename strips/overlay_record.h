// An overlay preview's record from opening to closing.
#pragma once
#include <string>
#include "strips/strip_records.h"

// Creation steps without the window: an existing overlay on that Rectangle
// is closed, a free slot zeroed and filled with the Rectangle's client size.
// The slot, or -1 when the table is full.
int OpenOverlay(const std::string& rectName, WindowHandle rectWindow, int clientWidth, int clientHeight);
// Destroys the window, deletes the image and the lock, frees the slot.
void CloseOverlay(int slot);
// Frees an image the window side loaded for an image overlay.
void DeleteOverlayImage(BitmapHandle image);
