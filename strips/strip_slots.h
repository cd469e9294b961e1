// The life steps every strip record shares: taking a free slot, starting its
// worker and stopping it together with the window.
#pragma once
#include <cstring>
#include "host/window_frame.h"
#include "strips/worker_link.h"

// Zeroes the record of a free slot and gives it its lock; null for no slot.
template <class R>
R* ClaimRecord(R* record) {
    if (!record) return nullptr;
    memset(static_cast<void*>(record), 0, sizeof *record);
    plat::InitLock(record->lock);
    record->inUse = 1;
    return record;
}

// Starts the record's worker with the tools located here, on the host's
// thread; `busy` (set at creation) is cleared when no thread could be started.
template <class R>
bool StartRecordWorker(R* record, int slot, void (*body)(WorkerLink&), std::atomic<bool> R::*busy) {
    if (!record || !record->inUse) return false;
    record->worker = StartWorker(record, slot, LocatedToolPaths(), body);
    if (!record->worker) record->*busy = false;
    return record->worker != nullptr;
}

// Cancels the worker and waits for it up to `waitMs` (it can no longer reach
// the record afterwards), then destroys the window; the frame stops its timers.
template <class R>
void StopRecordWorker(R& record, WindowHandle R::*window, unsigned long waitMs) {
    StopWorker(record.worker, waitMs);
    DestroyFrameWindow(record.*window);
    record.*window = kNoWindow;
}
