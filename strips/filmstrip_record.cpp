#include "strips/filmstrip_record.h"
#include <cstring>
#include "host/messages.h"
#include "host/text_util.h"
#include "strips/filmstrip_geometry.h"
#include "strips/strip_slots.h"
#include "strips/thumbnail_bitmap.h"
#include "strips/thumbnail_worker.h"
#include "strips/worker_link.h"
#include "toolchain/time_values.h"

int OpenFrameStrip(const std::string& rectName, const std::string& videoPath, const std::string& playerRect,
                   WindowHandle rectWindow, int clientWidth, int clientHeight) {
    int existing = FindFrameStrip(rectName);
    if (existing >= 0) CloseFrameStrip(existing, kStripRecreateWaitMs);
    int slot = FreeFrameStripSlot();
    FrameStripRecord* strip = ClaimRecord(FrameStripAt(slot));
    if (!strip) return -1;
    strip->rectWindow = rectWindow;
    SetField(strip->rectName, rectName);
    SetField(strip->videoPath, videoPath);
    SetField(strip->playerRectName, playerRect);
    strip->extracting = true;
    strip->selectedSplit = -1;
    strip->thumbHeight = clientHeight;
    strip->cellWidth = strip->baseWidth = InitialCellWidth(clientHeight);
    strip->zoomLevel = 3;
    (void)clientWidth;  // the window takes the whole client area; only the height sizes the cells
    return slot;
}

bool StartFrameStripExtraction(int slot) {
    return StartRecordWorker(FrameStripAt(slot), slot, FrameExtractionThread, &FrameStripRecord::extracting);
}

void CloseFrameStrip(int slot, unsigned long waitMs) {
    FrameStripRecord* strip = FrameStripAt(slot);
    if (!strip || !strip->inUse) return;
    StopRecordWorker(*strip, &FrameStripRecord::stripWindow, waitMs);
    {
        plat::LockHold held(strip->lock);
        for (BitmapHandle& bitmap : strip->thumbnails) {
            DeleteThumbnailBitmap(bitmap);
            bitmap = kNoBitmap;
        }
    }
    plat::DeleteLock(strip->lock);
    strip->inUse = 0;
}

Outcome AddMarker(FrameStripRecord& strip, const std::string& timeText, const std::string& label,
                  const std::string& colour) {
    plat::LockHold held(strip.lock);
    if (strip.markerCount >= kMaxMarkers) return Failed(msg::kMarkersFull);
    MarkerRecord& m = strip.markers[strip.markerCount];
    m.time = ParseTimeValue(timeText);
    m.inUse = 1;
    m.colour = ParseMarkerColour(colour);
    SetField(m.label, label);
    ++strip.markerCount;
    return Done();
}

void ClearMarkers(FrameStripRecord& strip) {
    plat::LockHold held(strip.lock);
    strip.markerCount = 0;
    memset(strip.markers, 0, sizeof strip.markers);
}

void SetZoom(FrameStripRecord& strip, int level) {
    plat::LockHold held(strip.lock);
    strip.zoomLevel = level;
    strip.cellWidth = ZoomCellWidth(strip.baseWidth, level);
}

void WheelStrip(FrameStripRecord& strip, int delta, bool control) {
    plat::LockHold held(strip.lock);
    if (control) {
        strip.zoomLevel = WheelZoomLevel(strip.zoomLevel, delta);
        strip.cellWidth = ZoomCellWidth(strip.baseWidth, strip.zoomLevel);
    } else {
        strip.firstVisible = WheelFirstVisible(strip.firstVisible, delta, strip.framesReady);
    }
}

void StoreThumbnail(FrameStripRecord& strip, int index, BitmapHandle bitmap) {
    if (index < 0 || index >= kMaxThumbnails) {
        DeleteThumbnailBitmap(bitmap);
        return;
    }
    plat::LockHold held(strip.lock);
    DeleteThumbnailBitmap(strip.thumbnails[index]);
    strip.thumbnails[index] = bitmap;
    strip.framesReady = index + 1;
}
