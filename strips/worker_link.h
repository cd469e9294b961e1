// A strip's worker thread and the one path by which it reaches its record.
// The host's side can let go of a worker that does not end in time: from then
// on the worker finds no record, so the record's lock and bitmaps may be freed
// while the worker winds down on its own. The link itself lives until both
// sides are done with it.
//
// Lock rules: the worker touches its record only inside WithRecord, holding
// `guard`; inside, it takes the record's own lock for the fields the host's
// thread also writes (strip_records.h). So the order is guard, then the
// record's lock; the host's thread takes `guard` only to let go, holding no
// record lock. The worker calls no host callback and never reads g_tools: it
// runs the tools copied into `tools` before it started.
#pragma once
#include <atomic>
#include "platform/platform.h"
#include "toolchain/tool_location.h"

struct WorkerLink {
    std::atomic<int> refs;       // one for each side; the last to let go frees the link
    std::atomic<bool> cancel;    // set by the host's thread, read by the worker
    std::atomic<bool> finished;  // set by the worker as it ends
    plat::Lock guard;            // held while the worker uses the record, and to let go of it
    void* record;                // guarded by guard; null once the host's side has let go
    // Set on the host's thread before the thread starts, read-only after:
    int slot;
    ToolPaths tools;
    void (*body)(WorkerLink&);
    plat::Thread thread;  // host's thread only
};

// Starts `body` on a thread of its own with a copy of `tools`; null when no
// thread could be started.
WorkerLink* StartWorker(void* record, int slot, const ToolPaths& tools, void (*body)(WorkerLink&));
// Sets the cancel flag, waits up to `waitMs` for the thread and lets go of it
// either way; `link` is null afterwards. True when the worker ended in time.
bool StopWorker(WorkerLink*& link, unsigned long waitMs);
bool WorkerRunning(const WorkerLink* link);
inline bool Cancelled(const WorkerLink& link) { return link.cancel.load(); }

// Runs fn(record) under the guard while the record is still reachable; false
// once the host's side has let go.
template <class R, class F>
bool WithRecord(WorkerLink& link, F fn) {
    plat::LockHold held(link.guard);
    R* record = static_cast<R*>(link.record);
    if (record) fn(*record);
    return record != nullptr;
}
