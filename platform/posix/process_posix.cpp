// Child processes on POSIX: fork + execv with stdout and stderr on one pipe.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstring>
#include <vector>
#include "platform/platform.h"
#include "platform/posix/command_line.h"

namespace plat {

namespace {
// Exit status per child pid, kept once waitpid has reaped it.
struct Reaped {
    bool done = false;
    unsigned long code = 259;
};

bool Reap(ChildProcess& child, bool block, Reaped& out) {
    int status = 0;
    pid_t r = waitpid(static_cast<pid_t>(child.process), &status, block ? 0 : WNOHANG);
    if (r == 0) return false;
    if (r < 0) {
        out.done = true;
        out.code = 1;
        return true;
    }
    out.done = true;
    if (WIFEXITED(status)) out.code = static_cast<unsigned long>(WEXITSTATUS(status));
    else if (WIFSIGNALED(status)) out.code = 128ul + static_cast<unsigned long>(WTERMSIG(status));
    else out.code = 1;
    return true;
}
}  // namespace

// The reaped status lives in the `thread` field, which POSIX does not need:
// 0 = still running, otherwise code + 1.
static bool IsReaped(const ChildProcess& c) { return c.thread != 0; }

// The argument array execv takes, made before the fork: the child of a
// process with threads may make only async-signal-safe calls until it execs,
// and an allocation there can wait for ever on a lock that another thread
// held at the fork.
static std::vector<char*> ExecArgv(std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    return argv;
}

// In the forked child: becomes the tool, or ends with 127.
[[noreturn]] static void ExecArgs(const std::vector<char*>& argv) {
    execv(argv[0], argv.data());
    _exit(127);
}

bool StartHidden(const std::string& commandLine, ChildProcess& child) {
    child = ChildProcess();
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty()) return false;
    if (access(args[0].c_str(), X_OK) != 0) return false;
    std::vector<char*> argv = ExecArgv(args);
    // Both ends close on exec, so a tool another thread starts meanwhile
    // never holds this pipe open.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    pid_t pid = fork();
    if (pid < 0) {
        close(fds[0]);
        close(fds[1]);
        return false;
    }
    if (pid == 0) {
        int devnull = open("/dev/null", O_RDONLY);
        if (devnull >= 0) dup2(devnull, 0);
        dup2(fds[1], 1);
        dup2(fds[1], 2);
        fcntl(1, F_SETFD, 0);  // in case the pipe itself was given 1 or 2
        fcntl(2, F_SETFD, 0);
        ExecArgs(argv);
    }
    close(fds[1]);
    child.process = ProcessHandle{pid};
    child.readEnd = fds[0];
    child.running = true;
    return true;
}

bool StartQuiet(const std::string& commandLine, ChildProcess& child) {
    child = ChildProcess();
    std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || access(args[0].c_str(), X_OK) != 0) return false;
    std::vector<char*> argv = ExecArgv(args);
    pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, 0);
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        // Nothing of the parent's stays open in the tool.
        for (int fd = 3; fd < 1024; ++fd) close(fd);
        ExecArgs(argv);
    }
    child.process = ProcessHandle{pid};
    child.running = true;
    return true;
}

unsigned long BytesWaiting(ChildProcess& child) {
    if (child.readEnd < 0) return 0;
    int n = 0;
    if (ioctl(static_cast<int>(child.readEnd), FIONREAD, &n) != 0 || n < 0) return 0;
    return static_cast<unsigned long>(n);
}

long ReadPipe(ChildProcess& child, char* buffer, unsigned long size) {
    if (child.readEnd < 0) return -1;
    while (true) {
        ssize_t r = read(static_cast<int>(child.readEnd), buffer, size);
        if (r < 0 && errno == EINTR) continue;
        return static_cast<long>(r);
    }
}

static void Remember(ChildProcess& child, const Reaped& r) {
    child.thread = static_cast<intptr_t>(r.code) + 1;
    child.running = false;
}

bool HasExited(ChildProcess& child) {
    if (IsReaped(child)) return true;
    if (!child.process) return true;
    Reaped r;
    if (!Reap(child, false, r)) return false;
    Remember(child, r);
    return true;
}

bool WaitExit(ChildProcess& child, unsigned long ms) {
    uint64_t end = TickMs() + ms;
    while (!HasExited(child)) {
        if (TickMs() >= end) return false;
        usleep(2000);
    }
    return true;
}

bool WaitChildOrInput(ChildProcess& child, unsigned long ms) {
    if (HasExited(child)) return true;
    uint64_t start = TickMs();
    if (child.readEnd >= 0) {
        pollfd p = {static_cast<int>(child.readEnd), POLLIN, 0};
        int r;
        do r = poll(&p, 1, static_cast<int>(ms));
        while (r < 0 && errno == EINTR);
        // Output to read, or nothing within the bound: back to the caller.
        if (r <= 0 || BytesWaiting(child) > 0) return HasExited(child);
    }
    // The pipe has closed, so the child is ending: wait for its exit with
    // what is left of the bound.
    uint64_t spent = TickMs() - start;
    return WaitExit(child, spent < ms ? static_cast<unsigned long>(ms - spent) : 0);
}

unsigned long ExitCode(ChildProcess& child) {
    if (!HasExited(child)) return 259;  // STILL_ACTIVE, as Windows reports it
    return child.thread ? static_cast<unsigned long>(child.thread - 1) : 1;
}

void Terminate(ChildProcess& child, unsigned long) {
    if (!child.process || IsReaped(child)) return;
    kill(static_cast<pid_t>(child.process), SIGKILL);
    Reaped r;
    if (Reap(child, true, r)) Remember(child, r);
}

void CloseChild(ChildProcess& child) {
    if (child.readEnd >= 0) close(static_cast<int>(child.readEnd));
    child.readEnd = -1;
    // A child left running is reaped later by nobody; let init adopt it when
    // it ends by ignoring its status here.
    child.running = false;
}

}  // namespace plat
