// Checks of the Windows build on a real Win32 system (Wine): the DLL through
// the host simulator, and the plug-in's own runner, heap, window and file
// code linked in directly.
//   qmt_wine_checks --dll quillmont.dll --tools TOOLS --work WORK [--group NAME]
// Prints each failure and "wine_checks: N passed, N failed"; exit 1 on a failure.
//
// Adding checks: put a file tests/wine/NAME_checks.cpp next to this one (the
// build picks up every .cpp here), include "tests/wine/wine_checks.h" and write
//     QMT_WINE_CHECKS(name) {
//         Check(ctx.host.Call("QMT_...", {...}), "what it shows");
//     }
// Groups run one after another in name order, each in a process of its own
// with the DLL loaded and initialised in ctx.host and an empty work folder
// (ctx.work, also TMP), so a crash or a hang (a time limit per group) fails
// that group only. `--group NAME` runs one group in this process (the driver
// passes QMT_WINE_GROUP on). wine_checks.h has the helpers: MakeMedia (media
// made with the Windows ffmpeg), CheckHostScript and RunQmthostScript (host
// scripts in-process or through qmthost.exe), DriveDialogs, CaptureWindow.
// A failing check must never end the process while a tool it started may
// still be starting (that hangs Wine): close what is open and go on;
// DriveDialogs does that for modal dialogs.
// Media a group writes can be listed in render_manifest.txt in its work
// folder with what each file must hold (see render_checks.cpp): wine_tests.sh
// probes the list with the native ffprobe after the session.
//
// The program is also its own stand-in tool when started as
//   qmt_wine_checks [-y] --pretend-tool CODE [--pause MS | --err TEXT | TEXT]...
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "tests/wine/wine_checks.h"
#include "host/host_state.h"
#include "platform/platform.h"

namespace {

int g_passed = 0, g_failed = 0;

struct Group {
    std::string name;
    WineCheckFn fn;
};
std::vector<Group>& Groups() {
    static std::vector<Group> groups;
    return groups;
}

// ---- stand-in tool ---------------------------------------------------------
int PretendTool(int argc, char** argv, int first) {
    unsigned long code = strtoul(argv[first], nullptr, 10);
    for (int i = first + 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--pause") && i + 1 < argc) Sleep(static_cast<DWORD>(atoi(argv[++i])));
        else if (!strcmp(argv[i], "--err") && i + 1 < argc) fprintf(stderr, "%s\n", argv[++i]), fflush(stderr);
        else printf("%s\n", argv[i]), fflush(stdout);
    }
    ExitProcess(static_cast<UINT>(code));
}

// ---- the host of the linked-in plug-in code ----------------------------------
HostSimulator* g_sim = nullptr;
void QMT_CALL OnSet(const char* name, const char* value) { g_writes.emplace_back(name, value ? value : ""); }
void QMT_CALL OnGet(const char* name, char** value) {
    auto it = g_vars.find(name);
    if (it != g_vars.end()) *value = &it->second[0];
}
int32_t QMT_CALL OnAccess(int32_t code, char** text) { return g_sim ? g_sim->OnInterfaceAccess(code, text) : 0; }

struct Options {
    std::string dll, tools, work, group;
    unsigned long groupSeconds = 240;
};

// One group in this process.
int RunGroupHere(const Group& group, const Options& o, const std::string& self) {
    SetEnvironmentVariableA("TMP", o.work.c_str());
    SetEnvironmentVariableA("TEMP", o.work.c_str());
    g_host.setVariable = OnSet;
    g_host.getVariable = OnGet;
    g_host.interfaceAccess = OnAccess;

    HostSimulator host;
    std::string error;
    if (!host.Load(o.dll, &error)) {
        Check(false, "cannot load " + o.dll + ": " + error);
    } else {
        g_sim = &host;
        host.Init();
        std::string folder = self.substr(0, self.find_last_of('\\') + 1);
        WineContext ctx{host, o.dll, o.tools, o.work, self, folder + "qmthost.exe"};
        group.fn(ctx);
        host.Message(2);
        host.Unload();
        g_sim = nullptr;
    }
    printf("group %s: %d passed, %d failed\n", group.name.c_str(), g_passed, g_failed);
    fflush(stdout);
    return g_failed ? 1 : 0;
}

// Every group, each in a child process of this program.
int RunAllGroups(const Options& o, const std::string& self) {
    std::vector<Group> groups = Groups();
    std::sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) { return a.name < b.name; });
    int passed = 0, failed = 0;
    for (size_t i = 1; i < groups.size(); ++i)
        if (groups[i].name == groups[i - 1].name) {
            printf("FAIL: two groups are named %s\n", groups[i].name.c_str());
            ++failed;
        }
    for (const Group& g : groups) {
        std::string work = o.work + "\\" + g.name;
        plat::MakeDirectory(work);
        DWORD begin = GetTickCount();
        std::string output;
        long code = RunProgram("\"" + self + "\" --group " + g.name + " --dll \"" + o.dll + "\" --tools \"" + o.tools +
                                   "\" --work \"" + work + "\"",
                               &output, o.groupSeconds * 1000, true);
        int p = 0, f = 0;
        size_t at = output.rfind("group " + g.name + ": ");
        bool summary = at != std::string::npos &&
                       sscanf(output.c_str() + at + 8 + g.name.size(), "%d passed, %d failed", &p, &f) == 2;
        if (!summary || (code != 0) != (f != 0)) {
            printf("FAIL: group %s ended without its summary (exit %ld%s)\n", g.name.c_str(), code,
                   code == -1 ? ", stopped after its time limit" : "");
            ++f;
        }
        printf("  [%s: %.1f s]\n", g.name.c_str(), (GetTickCount() - begin) / 1000.0);
        fflush(stdout);
        passed += p;
        failed += f;
    }
    printf("wine_checks: %d passed, %d failed\n", passed, failed);
    return failed || groups.empty() ? 1 : 0;
}

}  // namespace

void Check(bool ok, const std::string& what) {
    if (ok) ++g_passed;
    else {
        ++g_failed;
        printf("FAIL: %s\n", what.c_str());
        fflush(stdout);
    }
}

void CheckEq(const std::string& actual, const std::string& expected, const std::string& what) {
    Check(actual == expected, what + ": got \"" + actual + "\", expected \"" + expected + "\"");
}

bool RegisterWineChecks(const char* name, WineCheckFn fn) {
    Groups().push_back(Group{name, fn});
    return true;
}

int main(int argc, char** argv) {
    for (int i = 1; i < 3 && i < argc; ++i)
        if (!strcmp(argv[i], "--pretend-tool") && i + 1 < argc) return PretendTool(argc, argv, i + 1);
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string k = argv[i];
        if (k == "--dll") o.dll = argv[i + 1];
        else if (k == "--tools") o.tools = argv[i + 1];
        else if (k == "--work") o.work = argv[i + 1];
        else if (k == "--group") o.group = argv[i + 1];
        else if (k == "--group-seconds") o.groupSeconds = strtoul(argv[i + 1], nullptr, 10);
    }
    if (o.dll.empty() || o.tools.empty() || o.work.empty()) {
        fprintf(stderr, "usage: qmt_wine_checks --dll DLL --tools FOLDER --work FOLDER [--group NAME]\n");
        return 2;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    plat::MakeDirectory(o.work);
    if (o.group.empty()) return RunAllGroups(o, self);
    for (const Group& g : Groups())
        if (g.name == o.group) return RunGroupHere(g, o, self);
    fprintf(stderr, "qmt_wine_checks: no group %s\n", o.group.c_str());
    return 2;
}
