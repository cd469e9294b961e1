#include "strips/worker_link.h"

static void Release(WorkerLink* link) {
    if (link->refs.fetch_sub(1) != 1) return;
    plat::DeleteLock(link->guard);
    delete link;
}

static void ThreadMain(void* arg) {
    WorkerLink* link = static_cast<WorkerLink*>(arg);
    link->body(*link);
    link->finished = true;
    Release(link);
}

WorkerLink* StartWorker(void* record, int slot, const ToolPaths& tools, void (*body)(WorkerLink&)) {
    WorkerLink* link = new WorkerLink();
    link->refs = 2;  // the record's side and the thread's
    link->cancel = false;
    link->finished = false;
    plat::InitLock(link->guard);
    link->record = record;
    link->slot = slot;
    link->tools = tools;
    link->body = body;
    if (!plat::StartThread(link->thread, ThreadMain, link)) {
        plat::DeleteLock(link->guard);
        delete link;
        return nullptr;
    }
    return link;
}

bool StopWorker(WorkerLink*& link, unsigned long waitMs) {
    if (!link) return true;
    link->cancel = true;
    bool ended = plat::JoinThread(link->thread, waitMs);
    // Once the guard has been had, the worker can no longer reach the record.
    {
        plat::LockHold held(link->guard);
        link->record = nullptr;
    }
    Release(link);
    link = nullptr;
    return ended;
}

bool WorkerRunning(const WorkerLink* link) { return link && !link->finished.load(); }
