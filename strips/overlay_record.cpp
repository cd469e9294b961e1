#include "strips/overlay_record.h"
#include <cstring>
#include "host/text_util.h"
#include "strips/strip_slots.h"

int OpenOverlay(const std::string& rectName, WindowHandle rectWindow, int clientWidth, int clientHeight) {
    int existing = FindOverlay(rectName);
    if (existing >= 0) CloseOverlay(existing);
    int slot = FreeOverlaySlot();
    OverlayRecord* o = ClaimRecord(OverlayAt(slot));
    if (!o) return -1;
    o->rectWindow = rectWindow;
    SetField(o->rectName, rectName);
    SetField(o->fontName, "Arial");
    o->refWidth = clientWidth;
    o->refHeight = clientHeight;
    return slot;
}

void CloseOverlay(int slot) {
    OverlayRecord* o = OverlayAt(slot);
    if (!o || !o->inUse) return;
    o->inUse = 0;
    DestroyFrameWindow(o->overlayWindow);
    o->overlayWindow = kNoWindow;
    DeleteOverlayImage(o->image);
    o->image = kNoBitmap;
    plat::DeleteLock(o->lock);
}
