// Environment, time, locks, threads, the message-pump hook and host blocks on POSIX.
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include "platform/headless/headless_window.h"
#include "platform/platform.h"

namespace plat {

bool ReadRegistryString(int, const std::string&, const std::string&, std::string&) { return false; }

std::string ModulePath() {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&ModulePath), &info) && info.dli_fname) return info.dli_fname;
    return std::string();
}

char PathListSeparator() { return ':'; }

bool GetEnv(const std::string& name, std::string& out, size_t capacity) {
    const char* value = getenv(name.c_str());
    if (!value) return false;
    if (strlen(value) >= capacity) return false;
    out = value;
    return true;
}

void SleepMs(unsigned long ms) { usleep(static_cast<useconds_t>(ms) * 1000); }

uint64_t TickMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec / 1000000);
}

static void (*g_pumpHook)() = nullptr;
void SetMessagePumpHook(void (*hook)()) { g_pumpHook = hook; }
void PumpMessages() {
    if (g_pumpHook) g_pumpHook();
}

void InitLock(Lock& lock) {
    if (!lock.impl) lock.impl = new std::recursive_mutex();
}
void DeleteLock(Lock& lock) {
    delete static_cast<std::recursive_mutex*>(lock.impl);
    lock.impl = nullptr;
}
void EnterLock(Lock& lock) { static_cast<std::recursive_mutex*>(lock.impl)->lock(); }
void LeaveLock(Lock& lock) { static_cast<std::recursive_mutex*>(lock.impl)->unlock(); }

namespace {
struct ThreadImpl {
    std::thread worker;
    std::mutex m;
    bool done = false;
};
}  // namespace

bool StartThread(Thread& t, void (*fn)(void*), void* arg) {
    ThreadImpl* impl = new ThreadImpl();
    impl->worker = std::thread([impl, fn, arg] {
        fn(arg);
        std::lock_guard<std::mutex> hold(impl->m);
        impl->done = true;
    });
    t.impl = impl;
    return true;
}

bool JoinThread(Thread& t, unsigned long ms) {
    ThreadImpl* impl = static_cast<ThreadImpl*>(t.impl);
    if (!impl) return true;
    uint64_t end = TickMs() + ms;
    while (true) {
        {
            std::lock_guard<std::mutex> hold(impl->m);
            if (impl->done) break;
        }
        if (TickMs() >= end) {
            // Like a timed WaitForSingleObject that gives up: the thread is left running.
            impl->worker.detach();
            t.impl = nullptr;
            return false;
        }
        usleep(1000);
    }
    impl->worker.join();
    delete impl;
    t.impl = nullptr;
    return true;
}

// Host blocks live in the shared "process heap" of the window-system
// stand-in, so a block the host simulator allocated validates here too.
char* HostAlloc(size_t size) { return static_cast<char*>(hwHeapAlloc(size)); }
bool HostBlockValid(const void* block) { return block && hwHeapValidate(block); }
char* HostRealloc(char* block, size_t size) { return static_cast<char*>(hwHeapReAlloc(block, size)); }
void HostFree(void* block) { hwHeapFree(block); }

}  // namespace plat
