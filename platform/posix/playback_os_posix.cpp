// Natively the windows are the headless stand-in's and the preview runs as a
// plain child process whose output goes nowhere.
#include <fcntl.h>
#include <unistd.h>
#include <vector>
#include "platform/headless/headless_window.h"
#include "platform/playback_os.h"
#include "platform/posix/command_line.h"

namespace plat {

bool ClientSize(intptr_t window, int& width, int& height) {
    width = height = 0;
    return window && hwIsWindow(window) && hwGetClientSize(window, &width, &height);
}

bool ClientOrigin(intptr_t window, int& x, int& y) {
    x = y = 0;
    if (!window || !hwIsWindow(window)) return false;
    for (intptr_t w = window; w; w = hwGetParent(w)) {
        int wx = 0, wy = 0;
        hwGetPosition(w, &wx, &wy);
        x += wx;
        y += wy;
    }
    return true;
}

// The stand-in screen: the size the host simulator's desktop pretends to have.
void ScreenSize(int& width, int& height) {
    width = 1920;
    height = 1080;
}

bool IsLiveWindow(intptr_t window) { return window && hwIsWindow(window); }

bool StartDetached(const std::string& commandLine, bool, ChildProcess& child, unsigned long& processId) {
    child = ChildProcess();
    processId = 0;
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || access(args[0].c_str(), X_OK) != 0) return false;
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, 0);
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    child.process = pid;
    child.running = true;
    processId = static_cast<unsigned long>(pid);
    return true;
}

// Stand-in windows have no titles and belong to no other process, so a
// preview's window is never found here and it plays where it is.
intptr_t FindProcessWindow(const std::string&, unsigned long) { return 0; }

void AdoptAsChild(intptr_t window, intptr_t, int width, int height) {
    if (hwIsWindow(window)) hwMoveWindow(window, 0, 0, width, height);
}

void PostSpaceKey(intptr_t) {}

void KillThreadTimer(uintptr_t) {}

}  // namespace plat
