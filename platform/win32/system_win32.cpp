// Registry, module path, environment, time, the message pump, locks, threads
// and the process heap on Win32.
#include <windows.h>
#include "host/host_state.h"
#include "platform/platform.h"

namespace plat {

bool ReadRegistryString(int root, const std::string& key, const std::string& value, std::string& out) {
    HKEY base = root == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY opened = nullptr;
    if (RegOpenKeyExA(base, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    char buffer[260] = {0};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    LONG r = RegQueryValueExA(opened, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(opened);
    if (r != ERROR_SUCCESS) return false;
    buffer[sizeof buffer - 1] = '\0';
    out = buffer;
    return true;
}

std::string ModulePath() {
    HMODULE module = static_cast<HMODULE>(g_host.moduleHandle);
    if (!module) {
        // Linked into a program rather than loaded as the plug-in library.
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&ModulePath), &module);
    }
    char buffer[MAX_PATH] = {0};
    DWORD n = GetModuleFileNameA(module, buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    return std::string(buffer, n);
}

char PathListSeparator() { return ';'; }

bool GetEnv(const std::string& name, std::string& out, size_t capacity) {
    if (capacity == 0) return false;
    std::string buffer(capacity, '\0');
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetEnvironmentVariableA(name.c_str(), &buffer[0], static_cast<DWORD>(capacity));
    if (n == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
        out.clear();
        return true;
    }
    if (n >= capacity) return false;  // the value does not fit
    out.assign(buffer.c_str(), n);
    return true;
}

void SleepMs(unsigned long ms) { Sleep(ms); }

uint64_t TickMs() { return GetTickCount64(); }

// The native build's hook stands in for a message queue; here the real
// queue is pumped and the hook is not needed.
static void (*g_pumpHook)() = nullptr;
void SetMessagePumpHook(void (*hook)()) { g_pumpHook = hook; }

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void InitLock(Lock& lock) {
    if (lock.impl) return;
    CRITICAL_SECTION* cs = new CRITICAL_SECTION;
    InitializeCriticalSection(cs);
    lock.impl = cs;
}

void DeleteLock(Lock& lock) {
    CRITICAL_SECTION* cs = static_cast<CRITICAL_SECTION*>(lock.impl);
    if (!cs) return;
    DeleteCriticalSection(cs);
    delete cs;
    lock.impl = nullptr;
}

void EnterLock(Lock& lock) { EnterCriticalSection(static_cast<CRITICAL_SECTION*>(lock.impl)); }
void LeaveLock(Lock& lock) { LeaveCriticalSection(static_cast<CRITICAL_SECTION*>(lock.impl)); }

namespace {
struct ThreadStart {
    void (*fn)(void*);
    void* arg;
};

DWORD WINAPI ThreadMain(LPVOID p) {
    ThreadStart start = *static_cast<ThreadStart*>(p);
    delete static_cast<ThreadStart*>(p);
    start.fn(start.arg);
    return 0;
}
}  // namespace

bool StartThread(Thread& t, void (*fn)(void*), void* arg) {
    ThreadStart* start = new ThreadStart{fn, arg};
    HANDLE h = CreateThread(nullptr, 0, ThreadMain, start, 0, nullptr);
    if (!h) {
        delete start;
        t.impl = nullptr;
        return false;
    }
    t.impl = h;
    return true;
}

bool JoinThread(Thread& t, unsigned long ms) {
    HANDLE h = static_cast<HANDLE>(t.impl);
    if (!h) return true;
    bool ended = WaitForSingleObject(h, ms) == WAIT_OBJECT_0;
    // A thread that did not end in time is left running; its handle is let go.
    CloseHandle(h);
    t.impl = nullptr;
    return ended;
}

char* HostAlloc(size_t size) { return static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)); }

bool HostBlockValid(const void* block) { return block && HeapValidate(GetProcessHeap(), 0, block); }

char* HostRealloc(char* block, size_t size) {
    if (!HostBlockValid(block)) return HostAlloc(size);
    return static_cast<char*>(HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, block, size));
}

void HostFree(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace plat
