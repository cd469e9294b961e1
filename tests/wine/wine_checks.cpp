// Checks of the Windows build on a real Win32 system (Wine): the DLL through
// the host simulator, and the plug-in's own runner, heap, window and file
// code linked in directly. Prints "N passed, N failed"; exit 1 on a failure.
//   qmt_wine_checks --dll quillmont.dll --tools TOOLS --work WORK
// The program is also its own stand-in tool when started as
//   qmt_wine_checks [-y] --pretend-tool CODE [--pause MS | --err TEXT | TEXT]...
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "host/catalogue.h"
#include "host/host_state.h"
#include "hostsim/host_simulator.h"
#include "platform/platform.h"
#include "playback/rectangle_lookup.h"
#include "toolchain/process_runner.h"
#include "toolchain/tool_location.h"

static int g_passed = 0, g_failed = 0;
static void Check(bool ok, const std::string& what) {
    if (ok) ++g_passed;
    else {
        ++g_failed;
        printf("FAIL: %s\n", what.c_str());
        fflush(stdout);
    }
}
static void CheckEq(const std::string& actual, const std::string& expected, const std::string& what) {
    Check(actual == expected, what + ": got \"" + actual + "\", expected \"" + expected + "\"");
}

// ---- stand-in tool ---------------------------------------------------------
static int PretendTool(int argc, char** argv, int first) {
    unsigned long code = strtoul(argv[first], nullptr, 10);
    for (int i = first + 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--pause") && i + 1 < argc) Sleep(static_cast<DWORD>(atoi(argv[++i])));
        else if (!strcmp(argv[i], "--err") && i + 1 < argc) fprintf(stderr, "%s\n", argv[++i]), fflush(stderr);
        else printf("%s\n", argv[i]), fflush(stdout);
    }
    ExitProcess(static_cast<UINT>(code));
}

// ---- a host of our own for the directly linked plug-in code ----------------
static std::vector<std::pair<std::string, std::string>> g_writes;
static std::map<std::string, std::string> g_vars;
static HostSimulator* g_sim = nullptr;

static void QMT_CALL OnSet(const char* name, const char* value) { g_writes.emplace_back(name, value ? value : ""); }
static void QMT_CALL OnGet(const char* name, char** value) {
    auto it = g_vars.find(name);
    if (it != g_vars.end()) *value = &it->second[0];
}
static int32_t QMT_CALL OnAccess(int32_t code, char** text) { return g_sim ? g_sim->OnInterfaceAccess(code, text) : 0; }

static std::vector<std::string> WritesOf(const std::string& name) {
    std::vector<std::string> out;
    for (auto& w : g_writes)
        if (w.first == name) out.push_back(w.second);
    return out;
}
static std::string Last(const std::string& name) {
    std::vector<std::string> v = WritesOf(name);
    return v.empty() ? std::string("<unset>") : v.back();
}
static std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (auto& x : v) s += (s.empty() ? "" : ",") + x;
    return s;
}
static std::string ReadAll(const std::string& path) {
    std::string s;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return s;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    fclose(f);
    return s;
}

static std::string g_self;  // this program, used as the stand-in ffmpeg/ffprobe

static void UseTools(const std::string& ffmpeg, const std::string& ffprobe) {
    g_tools.ffmpegFound = true;
    g_tools.ffmpegPath = ffmpeg;
    g_tools.ffprobePath = ffprobe;
}

// ---- checks through the DLL ------------------------------------------------
static void CheckRegistration(HostSimulator& host, const std::string& dllPath) {
    const std::vector<RegisteredAction>& actions = host.Actions();
    Check(actions.size() == 167, "167 AddAction calls, got " + std::to_string(actions.size()));
    bool same = actions.size() == 167;
    for (size_t i = 0; same && i < actions.size(); ++i)
        same = actions[i].id == kCatalogue[i].id && actions[i].name == kCatalogue[i].name &&
               actions[i].count == kCatalogue[i].count && actions[i].count2 == actions[i].count;
    Check(same, "registrations follow the catalogue rows in order, both counts equal");
    Check(host.initResult != 0, "nbInitPlugIn returns InitCommonControlsEx's success");
    CheckEq(host.title, "Quillmont", "title out-text");

    // Out-texts: host blocks on the process heap are reallocated to the exact size.
    HMODULE module = LoadLibraryA(dllPath.c_str());
    typedef int32_t(QMT_CALL * InitFn)(void*, char**, char**, char**);
    InitFn init = reinterpret_cast<InitFn>(GetProcAddress(module, "_nbInitPlugIn"));
    Check(init != nullptr, "_nbInitPlugIn found by GetProcAddress");
    if (init) {
        HANDLE heap = GetProcessHeap();
        char* title = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 64));
        char* publisher = nullptr;
        char* hint = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 2));
        init(nullptr, &title, &publisher, &hint);
        Check(title && HeapValidate(heap, 0, title) && HeapSize(heap, 0, title) == 10 && !strcmp(title, "Quillmont"),
              "title block reallocated to length + 1");
        Check(publisher && HeapValidate(heap, 0, publisher) && HeapSize(heap, 0, publisher) == strlen(publisher) + 1,
              "publisher block allocated on the process heap");
        Check(hint && HeapValidate(heap, 0, hint) && strncmp(hint, "V1.3 - ", 7) == 0 &&
                  HeapSize(heap, 0, hint) == strlen(hint) + 1,
              "hint block grown to the hint's length + 1");
        HeapFree(heap, 0, title);
        HeapFree(heap, 0, publisher);
        HeapFree(heap, 0, hint);
    }
    FreeLibrary(module);
}

struct DialogProbe {
    const char* title;
    bool seen;
    bool logo;
    bool textFound;
    int width;
};

static BOOL CALLBACK FindText(HWND child, LPARAM p) {
    char text[128] = {0};
    GetWindowTextA(child, text, sizeof text);
    if (!strcmp(text, "Quillmont V1.3")) reinterpret_cast<DialogProbe*>(p)->textFound = true;
    return TRUE;
}

// Presses OK on the about box once it shows up; gives up the whole run when
// it never appears, so a missing dialog cannot hang the tests.
static DWORD WINAPI PressAboutOk(LPVOID p) {
    DialogProbe* probe = static_cast<DialogProbe*>(p);
    for (int i = 0; i < 200; ++i) {
        HWND dialog = FindWindowA(nullptr, probe->title);
        // Shown only after WM_INITDIALOG, once every control exists.
        if (dialog && IsWindowVisible(dialog)) {
            probe->seen = true;
            probe->logo = GetDlgItem(dialog, 3001) != nullptr && GetDlgItem(dialog, 3002) != nullptr;
            EnumChildWindows(dialog, FindText, reinterpret_cast<LPARAM>(probe));
            RECT r;
            GetClientRect(dialog, &r);
            probe->width = r.right - r.left;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(50);
    }
    printf("FAIL: the about box never appeared\n");
    fflush(stdout);
    ExitProcess(1);
}

static void CheckDialogs(HostSimulator& host) {
    for (int round = 0; round < 2; ++round) {
        DialogProbe probe = {"About Quillmont", false, false, false, 0};
        HANDLE presser = CreateThread(nullptr, 0, PressAboutOk, &probe, 0, nullptr);
        int result = host.About();
        WaitForSingleObject(presser, 5000);
        CloseHandle(presser);
        Check(result == IDOK, "about box ends with OK (round " + std::to_string(round + 1) + ")");
        Check(probe.seen, "about box from resource 300 shown");
        Check(probe.logo, "about box has its picture controls 3001 and 3002");
        Check(probe.textFound, "about box shows \"Quillmont V1.3\"");
        Check(probe.width > 200, "about box laid out in dialog units");
    }
    char* params[4] = {nullptr, nullptr, nullptr, nullptr};
    Check(host.EditId(22, params) == 0, "the action editor shell closes as cancelled");
    Check(params[0] == nullptr, "a cancelled editor leaves the parameters alone");
}

static void CheckRectangles(HostSimulator& host) {
    intptr_t stage = host.AddRectangle("Stage", 320, 240);
    HWND window = reinterpret_cast<HWND>(stage);
    RECT client = {0, 0, 0, 0};
    Check(IsWindow(window) && GetClientRect(window, &client) && client.right == 320 && client.bottom == 240,
          "a named Rectangle is a real child window of the requested client size");
    Check(GetParent(window) != nullptr && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD),
          "the Rectangle is a child of the host window");
    g_sim = &host;
    g_host.interfaceAccess = OnAccess;
    Check(FindRectangleWindow("STAGE") == stage, "FindRectangleWindow resolves the Rectangle (any case)");
    Check(FindRectangleWindow("Backstage") == 0, "an unknown Rectangle gives 0");
    g_host.interfaceAccess = nullptr;
    Check(FindRectangleWindow("Stage") == 0, "no interface access: no Rectangle");
}

// ---- the process runner on Win32 -------------------------------------------
static void CheckRunner(const std::string& tools, const std::string& work) {
    const std::string log = work + "\\qmt_ffmpeg_fail.txt";
    CheckEq(FailureLogPath(), log, "failure log in the temporary folder");

    // A real ffmpeg.exe failing on a missing input.
    Check(TryFFmpegFolder(tools), "TryFFmpegFolder accepts the tools folder");
    g_tools.ffmpegFound = true;
    g_writes.clear();
    Check(!RunFFmpeg("-i \"" + work + "\\missing.mp4\" \"" + work + "\\never.mp4\"", 0), "missing input fails");
    CheckEq(Last("[QMT_Error]"), "FFmpeg failed (exit 1)\nLog: " + log, "failure message");
    CheckEq(Last("[QMT_Status]"), "Error", "failure status");
    std::string text = ReadAll(log);
    Check(text.compare(0, 26, "Exit code: 1\r\n\r\nCommand:\r\n") == 0, "log opens with the exit code in CR LF lines");
    Check(text.find("\"" + g_tools.ffmpegPath + "\" -y -i ") != std::string::npos, "log holds the command line");
    Check(text.find("FFmpeg output:\r\n") != std::string::npos && text.find("missing.mp4") != std::string::npos,
          "log holds ffmpeg's own error output (stderr through the pipe)");
    bool bareLf = false;
    for (size_t i = 0; i < text.size(); ++i) bareLf = bareLf || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'));
    Check(!bareLf && text.size() > 60, "every line of the log ends in CR LF");

    // A real encode: progress from the tool's "time=" reports.
    g_writes.clear();
    std::string out = work + "\\runner_out.mp4";
    bool ok = RunFFmpeg("-f lavfi -i testsrc=d=2:s=160x120:r=25 -f lavfi -i sine=d=2 -c:v libx264 -preset fast "
                        "-crf 18 -c:a aac -b:a 192k -shortest \"" + out + "\"", 2.0);
    Check(ok, "lavfi encode with the Windows ffmpeg succeeds");
    std::vector<std::string> progress = WritesOf("[QMT_Progress]");
    bool ordered = !progress.empty();
    int previous = -1;
    for (auto& p : progress) {
        int v = atoi(p.c_str());
        ordered = ordered && v >= previous && v >= 0 && v <= 100;
        previous = v;
    }
    Check(ordered && previous >= 50, "progress rises to the end of the clip: " + Join(progress));
    Check(plat::FileSize64(out) > 1000, "encoded file written");

    // Stand-in tool: exit status as an unsigned number, progress per report.
    UseTools(g_self, g_self);
    g_writes.clear();
    Check(!RunFFmpeg("--pretend-tool 3221225477 \"access violation\"", 0), "a crashing tool fails");
    CheckEq(Last("[QMT_Error]"), "FFmpeg failed (exit 3221225477)\nLog: " + log, "0xC0000005 as unsigned decimal");
    CheckEq(ReadAll(log).substr(0, 24), "Exit code: 3221225477\r\n\r", "log of the crash");
    Check(WritesOf("[QMT_Progress]").empty(), "no progress without a total");

    g_writes.clear();
    Check(RunFFmpeg("--pretend-tool 0 \"frame=1 time=00:00:30.00 bitrate=1\" --pause 300 "
                    "--err \"frame=2 time=00:01:30.00 speed=1x\" --pause 300 \"time=00:02:10.00\" --pause 300 "
                    "\"time=-1:00:00.00\" --pause 300 \"time=N/A\"",
                    120),
          "stand-in tool ending with 0 succeeds");
    CheckEq(Join(WritesOf("[QMT_Progress]")), "25,75,100,0", "progress from stdout and stderr reports");

    // Captured output: the buffer's size bounds the answer.
    std::string answer;
    Check(CaptureToolOutput("--pretend-tool 0 0123456789abcdefghij", answer, 11), "capture with exit 0");
    CheckEq(answer, "0123456789", "capture keeps size - 1 bytes");
    Check(!CaptureToolOutput("--pretend-tool 2 whatever", answer, 256), "capture with a non-zero exit is false");
    g_tools.ffprobePath = work + "\\gone\\ffprobe.exe";
    g_writes.clear();
    Check(!CaptureToolOutput("-version", answer, 256), "a missing ffprobe fails");
    CheckEq(Last("[QMT_Error]"), "Failed to run ffprobe.", "missing ffprobe message");
}

// ---- the rest of the platform layer ----------------------------------------
static void Worker(void* p) { Sleep(static_cast<DWORD>(reinterpret_cast<intptr_t>(p))); }

static void CheckPlatform(const std::string& tools, const std::string& work) {
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

    char* block = plat::HostAlloc(4);
    Check(block && plat::HostBlockValid(block) && block[3] == 0, "zero-filled process-heap block");
    block = plat::HostRealloc(block, 4096);
    Check(block && plat::HostBlockValid(block) && block[4095] == 0, "grown block zero-filled");
    char local[16];
    char* fresh = plat::HostRealloc(local, 8);
    Check(fresh && fresh != local && plat::HostBlockValid(fresh), "a block not from the heap is replaced");
    plat::HostFree(block);
    plat::HostFree(fresh);
}

int main(int argc, char** argv) {
    for (int i = 1; i < 3 && i < argc; ++i)
        if (!strcmp(argv[i], "--pretend-tool") && i + 1 < argc) return PretendTool(argc, argv, i + 1);
    std::string dll, tools, work;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string k = argv[i];
        if (k == "--dll") dll = argv[i + 1];
        else if (k == "--tools") tools = argv[i + 1];
        else if (k == "--work") work = argv[i + 1];
    }
    if (dll.empty() || tools.empty() || work.empty()) {
        fprintf(stderr, "usage: qmt_wine_checks --dll DLL --tools FOLDER --work FOLDER\n");
        return 2;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    g_self = self;
    SetEnvironmentVariableA("TMP", work.c_str());
    SetEnvironmentVariableA("TEMP", work.c_str());
    g_host.setVariable = OnSet;
    g_host.getVariable = OnGet;

    HostSimulator host;
    std::string error;
    if (!host.Load(dll, &error)) {
        printf("FAIL: cannot load %s: %s\n0 passed, 1 failed\n", dll.c_str(), error.c_str());
        return 1;
    }
    host.Init();
    CheckRegistration(host, dll);
    CheckDialogs(host);
    CheckRectangles(host);
    CheckRunner(tools, work);
    CheckPlatform(tools, work);
    host.Message(2);
    host.Unload();
    printf("wine_checks: %d passed, %d failed\n", g_passed, g_failed);
    return g_failed ? 1 : 0;
}
