// Thin operating-system layer. Everything above it is portable; the Win32
// build links platform/win32, the native build platform/posix.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "platform/handles.h"

namespace plat {

// ---- child processes -------------------------------------------------------
// A hidden child whose stdout and stderr share one pipe and whose stdin is
// closed. The handle fields are opaque to portable code.
struct ChildProcess {
    ProcessHandle process = kNoProcess;  // HANDLE / pid
    intptr_t thread = 0;                 // HANDLE / unused
    intptr_t readEnd = -1;               // HANDLE / fd
    bool running = false;
};

// Starts `commandLine` (program path quoted the Windows way, then arguments).
// On POSIX the line is split with the Microsoft C runtime's quoting rules and
// run directly, never through a shell.
bool StartHidden(const std::string& commandLine, ChildProcess& child);
// Starts `commandLine` the same way but with no pipe and no inherited handles:
// whatever the child prints goes nowhere. For worker threads that only wait
// for a tool to end.
bool StartQuiet(const std::string& commandLine, ChildProcess& child);
// Bytes that can be read without blocking; 0 when none or the pipe is closed.
unsigned long BytesWaiting(ChildProcess& child);
// Reads up to `size` bytes, blocking until at least one arrives. Returns the
// count, 0 at end of pipe, -1 on error.
long ReadPipe(ChildProcess& child, char* buffer, unsigned long size);
bool HasExited(ChildProcess& child);
// Waits at most `ms` for the child; true when it has ended.
bool WaitExit(ChildProcess& child, unsigned long ms);
// Waits at most `ms`, waking at once when the child ends, when it writes to its
// pipe (POSIX) or when a window message arrives for this thread (Win32); true
// when the child has ended.
bool WaitChildOrInput(ChildProcess& child, unsigned long ms);
// Exit status as an unsigned number; 259 (STILL_ACTIVE) while running, and on
// POSIX 128 + signal for a child killed by a signal.
unsigned long ExitCode(ChildProcess& child);
void Terminate(ChildProcess& child, unsigned long exitCode);
// Closes every handle; does not stop the child.
void CloseChild(ChildProcess& child);

// ---- files and folders -----------------------------------------------------
char PathSeparator();              // '\\' or '/'
std::string TempFolder();          // with a trailing separator
std::string NullDevice();          // "NUL" or "/dev/null"
std::string ToolFileName(const std::string& base);  // "ffmpeg" -> "ffmpeg.exe" on Windows
bool FileExists(const std::string& path);          // exists and is not a folder
bool IsDirectory(const std::string& path);
bool PathExists(const std::string& path);
int64_t FileSize64(const std::string& path);       // -1 when missing
bool CopyFileOver(const std::string& from, const std::string& to);
bool DeleteFilePath(const std::string& path);
bool MakeDirectory(const std::string& path);       // true when created or present
bool RemoveDirectoryPath(const std::string& path); // empty folders only
// Names (not paths) of the regular files in `folder` that match a wildcard
// pattern such as "*.mp4" (case-insensitive), in sorted order.
std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern);
// Every entry (folders too, "." and ".." when the pattern matches them) in the
// order the file system gives them; false when the search finds nothing.
struct FolderEntry {
    std::string name;
    bool directory;
};
bool SearchFolder(const std::string& folder, const std::string& pattern, std::vector<FolderEntry>& entries);
bool WriteTextFile(const std::string& path, const std::string& text);  // CR LF on Windows

// ---- environment -----------------------------------------------------------
// Registry string value; always false on POSIX. root: 0 = local machine, 1 = current user.
bool ReadRegistryString(int root, const std::string& key, const std::string& value, std::string& out);
std::string ModulePath();                   // full path of the plug-in library
char PathListSeparator();                   // ';' or ':'
bool GetEnv(const std::string& name, std::string& out, size_t capacity);
void SleepMs(unsigned long ms);
uint64_t TickMs();

// ---- the user-interface thread ---------------------------------------------
// Dispatches every waiting window message (Win32) or calls the hook the host
// simulator installed (POSIX).
void PumpMessages();
void SetMessagePumpHook(void (*hook)());

// ---- locks and threads -----------------------------------------------------
struct Lock { void* impl = nullptr; };
void InitLock(Lock& lock);
void DeleteLock(Lock& lock);
void EnterLock(Lock& lock);
void LeaveLock(Lock& lock);

// Holds a lock for as long as it lives, or until Release: the one way the
// plug-in holds a lock, so no path out of a block can leave it held.
struct LockHold {
    explicit LockHold(Lock& l) : lock(&l) { EnterLock(l); }
    ~LockHold() { Release(); }
    // Leaves the lock early, before work that must not run under it.
    void Release() {
        if (lock) LeaveLock(*lock);
        lock = nullptr;
    }
    LockHold(const LockHold&) = delete;
    LockHold& operator=(const LockHold&) = delete;

private:
    Lock* lock;
};

struct Thread { void* impl = nullptr; };
bool StartThread(Thread& t, void (*fn)(void*), void* arg);
bool JoinThread(Thread& t, unsigned long ms);  // true when it ended in time

// ---- blocks exchanged with the host ----------------------------------------
// Process-heap rules: a block the host hands over is reallocated when the heap
// accepts it, otherwise a new zero-filled block is taken.
char* HostAlloc(size_t size);
char* HostRealloc(char* block, size_t size);
bool HostBlockValid(const void* block);
void HostFree(void* block);

}  // namespace plat
