// The rest of the platform layer on Win32: files, environment, registry,
// threads, locks and host heap blocks.
#include "tests/wine/wine_checks.h"
#include "host/host_state.h"
#include "platform/platform.h"
#include "toolchain/tool_location.h"

static void Worker(void* p) { Sleep(static_cast<DWORD>(reinterpret_cast<intptr_t>(p))); }

QMT_WINE_CHECKS(platform) {
    const std::string& tools = ctx.tools;
    const std::string& work = ctx.work;
    CheckEq(std::string(1, plat::PathSeparator()) + plat::NullDevice() + plat::ToolFileName("ffplay") +
                plat::PathListSeparator(),
            "\\NULffplay.exe;", "separators, null device, tool names");
    CheckEq(plat::TempFolder(), work + "\\", "temporary folder from TMP, with a trailing backslash");

    std::string dir = work + "\\files";
    Check(plat::MakeDirectory(dir) && plat::MakeDirectory(dir) && plat::IsDirectory(dir), "folder made (twice is fine)");
    Check(plat::WriteTextFile(dir + "\\b.txt", "one\ntwo\n"), "text file written");
    CheckEq(ReadAll(dir + "\\b.txt"), "one\r\ntwo\r\n", "text files get CR LF");
    Check(plat::CopyFileOver(dir + "\\b.txt", dir + "\\A.TXT") && plat::CopyFileOver(dir + "\\b.txt", dir + "\\A.TXT"),
          "copy overwrites");
    plat::MakeDirectory(dir + "\\c.txt");
    plat::WriteTextFile(dir + "\\d.mp4", "x");
    CheckEq(Join(plat::FindFiles(dir, "*.txt")), "A.TXT,b.txt", "FindFiles: sorted files, no folders");
    Check(plat::FileSize64(dir + "\\b.txt") == 10 && plat::FileSize64(dir + "\\nope") == -1, "file sizes");
    Check(plat::FileExists(dir + "\\b.txt") && !plat::FileExists(dir + "\\c.txt") && plat::PathExists(dir + "\\c.txt"),
          "a folder is not a file but exists");
    Check(!plat::RemoveDirectoryPath(dir), "a folder with files stays");
    for (const char* n : {"A.TXT", "b.txt", "d.mp4"}) plat::DeleteFilePath(dir + "\\" + n);
    Check(plat::RemoveDirectoryPath(dir + "\\c.txt") && plat::RemoveDirectoryPath(dir) && !plat::PathExists(dir),
          "emptied folders removed");

    SetEnvironmentVariableA("QMT_CHECK_VAR", "12345");
    std::string value;
    Check(plat::GetEnv("QMT_CHECK_VAR", value, 6) && value == "12345", "environment value that fits");
    Check(!plat::GetEnv("QMT_CHECK_VAR", value, 5), "environment value that does not fit is refused");
    Check(!plat::GetEnv("QMT_NO_SUCH_VAR", value, 100), "missing environment variable");

    std::string module = plat::ModulePath();
    Check(module.size() > 20 && module.find("qmt_wine_checks.exe") != std::string::npos, "module path: " + module);

    // The registry step of the search, under the current user.
    HKEY key;
    Check(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\FFmpeg", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
              ERROR_SUCCESS,
          "registry key created");
    RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(tools.c_str()),
                   static_cast<DWORD>(tools.size() + 1));
    RegCloseKey(key);
    std::string found;
    Check(plat::ReadRegistryString(1, "SOFTWARE\\FFmpeg", "Path", found) && found == tools, "registry string read");
    Check(!plat::ReadRegistryString(1, "SOFTWARE\\FFmpeg", "Nope", found), "missing registry value");
    g_tools = ToolLocation{false, "", "", "", ""};
    g_vars.clear();
    SetEnvironmentVariableA("PATH", "C:\\windows\\system32");
    Check(LocateFFmpeg() && g_tools.ffmpegFolder == tools, "LocateFFmpeg finds the folder through the registry");
    RegDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\FFmpeg");

    plat::Thread quick, slow;
    Check(plat::StartThread(quick, Worker, reinterpret_cast<void*>(10)) && plat::JoinThread(quick, 5000),
          "thread joined");
    Check(plat::StartThread(slow, Worker, reinterpret_cast<void*>(1500)) && !plat::JoinThread(slow, 20),
          "timed join gives up");
    plat::Lock lock;
    plat::InitLock(lock);
    plat::EnterLock(lock);
    plat::EnterLock(lock);
    plat::LeaveLock(lock);
    plat::LeaveLock(lock);
    plat::DeleteLock(lock);
    Check(lock.impl == nullptr, "critical section released");

    // Heap texts the host hands over: the host and editor groups, through the DLL.
    char local[16];
    char* fresh = plat::HostRealloc(local, 8);
    Check(fresh && fresh != local && plat::HostBlockValid(fresh), "a block not from the heap is replaced");
    plat::HostFree(fresh);
}
