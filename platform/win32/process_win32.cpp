// Hidden child processes on Win32: one inheritable pipe carries the child's
// stdout and stderr; the child gets no stdin and no console window.
#include <windows.h>
#include <vector>
#include "platform/platform.h"
#include "platform/win32/win32_handles.h"

namespace plat {

static HANDLE H(intptr_t v) { return reinterpret_cast<HANDLE>(v); }
static const intptr_t kNoHandle = -1;

// A child with no console window; CreateProcessA may write into the command
// line, so it gets a copy.
static bool Launch(const std::string& commandLine, STARTUPINFOA& si, BOOL inheritHandles, PROCESS_INFORMATION& pi) {
    ZeroMemory(&pi, sizeof pi);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, inheritHandles, CREATE_NO_WINDOW, nullptr, nullptr,
                          &si, &pi) != 0;
}

bool StartHidden(const std::string& commandLine, ChildProcess& child) {
    child = ChildProcess();
    SECURITY_ATTRIBUTES sa;
    ZeroMemory(&sa, sizeof sa);
    sa.nLength = sizeof sa;
    sa.bInheritHandle = TRUE;
    sa.lpSecurityDescriptor = nullptr;
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
    // Only the write end goes to the child; an inherited read end would keep
    // the pipe open after the child exits.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;  // 68 on 32-bit Windows
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = nullptr;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;

    PROCESS_INFORMATION pi;
    if (!Launch(commandLine, si, TRUE, pi)) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return false;
    }
    // Closed at once so that the pipe reports its end when the child exits.
    CloseHandle(writeEnd);
    child.process = ProcessHandleOf(pi.hProcess);
    child.thread = reinterpret_cast<intptr_t>(pi.hThread);
    child.readEnd = reinterpret_cast<intptr_t>(readEnd);
    child.running = true;
    return true;
}

bool StartQuiet(const std::string& commandLine, ChildProcess& child) {
    child = ChildProcess();
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi;
    if (!Launch(commandLine, si, FALSE, pi)) return false;
    child.process = ProcessHandleOf(pi.hProcess);
    child.thread = reinterpret_cast<intptr_t>(pi.hThread);
    child.running = true;
    return true;
}

unsigned long BytesWaiting(ChildProcess& child) {
    if (child.readEnd == kNoHandle || child.readEnd == 0) return 0;
    DWORD avail = 0;
    if (!PeekNamedPipe(H(child.readEnd), nullptr, 0, nullptr, &avail, nullptr)) return 0;
    return avail;
}

long ReadPipe(ChildProcess& child, char* buffer, unsigned long size) {
    if (child.readEnd == kNoHandle || child.readEnd == 0) return -1;
    DWORD got = 0;
    if (!ReadFile(H(child.readEnd), buffer, size, &got, nullptr))
        return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
    return static_cast<long>(got);
}

bool HasExited(ChildProcess& child) {
    if (!child.process) return true;
    bool ended = WaitForSingleObject(AsProcessHandle(child.process), 0) == WAIT_OBJECT_0;
    if (ended) child.running = false;
    return ended;
}

bool WaitExit(ChildProcess& child, unsigned long ms) {
    if (!child.process) return true;
    bool ended = WaitForSingleObject(AsProcessHandle(child.process), ms) == WAIT_OBJECT_0;
    if (ended) child.running = false;
    return ended;
}

bool WaitChildOrInput(ChildProcess& child, unsigned long ms) {
    if (!child.process) return true;
    // Messages that arrive meanwhile end the wait, so the caller pumps them
    // at least as often as before.
    HANDLE process = AsProcessHandle(child.process);
    bool ended = MsgWaitForMultipleObjects(1, &process, FALSE, ms, QS_ALLINPUT) == WAIT_OBJECT_0;
    if (ended) child.running = false;
    return ended;
}

unsigned long ExitCode(ChildProcess& child) {
    DWORD code = 1;
    if (child.process != kNoProcess) GetExitCodeProcess(AsProcessHandle(child.process), &code);
    return code;
}

void Terminate(ChildProcess& child, unsigned long exitCode) {
    if (!child.process) return;
    TerminateProcess(AsProcessHandle(child.process), exitCode);
    WaitForSingleObject(AsProcessHandle(child.process), 5000);
    child.running = false;
}

void CloseChild(ChildProcess& child) {
    if (child.process != kNoProcess) CloseHandle(AsProcessHandle(child.process));
    if (child.thread) CloseHandle(H(child.thread));
    if (child.readEnd != kNoHandle && child.readEnd != 0) CloseHandle(H(child.readEnd));
    child.process = kNoProcess;
    child.thread = 0;
    child.readEnd = kNoHandle;
    child.running = false;
}

}  // namespace plat
