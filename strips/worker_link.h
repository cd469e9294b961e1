// A strip's worker thread and the one path by which it reaches its record.
// The UI side can let go of a worker that does not end in time: from then on
// the worker finds no record, so the record's lock and bitmaps may be freed
// while the worker winds down on its own. The link itself lives until both
// sides are done with it.
#pragma once
#include <atomic>
#include "platform/platform.h"

struct WorkerLink {
    std::atomic<int> refs;
    std::atomic<bool> cancel;
    std::atomic<bool> finished;
    plat::Lock guard;  // held while the worker uses the record
    void* record;      // null once the UI side has let go
    int slot;
    plat::Thread thread;
    void (*body)(WorkerLink&);
};

// Starts `body` on a thread of its own; null when no thread could be started.
WorkerLink* StartWorker(void* record, int slot, void (*body)(WorkerLink&));
// Sets the cancel flag, waits up to `waitMs` for the thread and lets go of it
// either way; `link` is null afterwards. True when the worker ended in time.
bool StopWorker(WorkerLink*& link, unsigned long waitMs);
bool WorkerRunning(const WorkerLink* link);
inline bool Cancelled(const WorkerLink& link) { return link.cancel.load(); }

// Runs fn(record) under the guard while the record is still reachable; false
// once the UI side has let go.
template <class R, class F>
bool WithRecord(WorkerLink& link, F fn) {
    plat::LockHold held(link.guard);
    R* record = static_cast<R*>(link.record);
    if (record) fn(*record);
    return record != nullptr;
}
