// Helpers every group of Win32 checks may use: recorded variable writes of
// the linked-in plug-in code, child programs, host scripts, dialog watching
// and pixel capture.
#include <cstdio>
#include <cstring>
#include <set>
#include "tests/wine/wine_checks.h"
#include "host/dispatch.h"
#include "host/host_state.h"
#include "toolchain/tool_location.h"

std::vector<std::pair<std::string, std::string>> g_writes;
std::map<std::string, std::string> g_vars;

std::vector<std::string> WritesOf(const std::string& name) {
    std::vector<std::string> out;
    for (auto& w : g_writes)
        if (w.first == name) out.push_back(w.second);
    return out;
}

std::string Last(const std::string& name) {
    std::vector<std::string> v = WritesOf(name);
    return v.empty() ? std::string("<unset>") : v.back();
}

void UseTools(const std::string& ffmpeg, const std::string& ffprobe) {
    g_tools.ffmpegFound = true;
    g_tools.ffmpegPath = ffmpeg;
    g_tools.ffprobePath = ffprobe;
}

std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (auto& x : v) s += (s.empty() ? "" : ",") + x;
    return s;
}

std::string ReadAll(const std::string& path) {
    std::string s;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return s;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    fclose(f);
    return s;
}

// ---- child programs ----------------------------------------------------------
// Started with a plain STARTUPINFO: a "hide" flag there would also hide the
// first window the child shows, and a checks group shows dialogs.
long RunProgram(const std::string& commandLine, std::string* output, unsigned long timeoutMs, bool echo) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return -1;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si;
    ZeroMemory(&si, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return -1;
    }
    DWORD begin = GetTickCount();
    bool timedOut = false;
    char buf[4096];
    for (;;) {
        DWORD avail = 0;
        bool open = PeekNamedPipe(readEnd, nullptr, 0, nullptr, &avail, nullptr) != 0;
        if (open && avail > 0) {
            DWORD got = 0;
            if (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) {
                if (output) output->append(buf, got);
                if (echo) fwrite(buf, 1, got, stdout), fflush(stdout);
            }
            continue;
        }
        if (!open && WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        if (GetTickCount() - begin > timeoutMs) {
            timedOut = true;
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 5000);
            break;
        }
        Sleep(10);
    }
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);
    return timedOut ? -1 : static_cast<long>(code);
}

std::string MakeMedia(WineContext& ctx, const std::string& name, const std::string& args) {
    std::string path = ctx.work + "\\" + name, output;
    long rc = RunProgram("\"" + ctx.tools + "\\ffmpeg.exe\" -y -loglevel error " + args + " \"" + path + "\"", &output,
                         120000);
    Check(rc == 0, "ffmpeg.exe makes " + name + ": exit " + std::to_string(rc) + " " + output);
    return rc == 0 ? path : std::string();
}

// ---- host scripts ------------------------------------------------------------
bool CheckHostScript(WineContext& ctx, const std::string& what, const std::string& script, std::string* output) {
    std::string printed, error;
    int rc = ctx.host.RunScript(script, &printed, &error);
    if (output) *output = printed;
    Check(rc == 0, what + (rc == 0 ? "" : ": " + error));
    return rc == 0;
}

long RunQmthostScript(WineContext& ctx, const std::string& script, std::string* output,
                      const std::vector<std::string>& extraArgs) {
    static int serial = 0;
    std::string path = ctx.work + "\\script" + std::to_string(++serial) + ".qmt";
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return -1;
    fwrite(script.data(), 1, script.size(), f);
    fclose(f);
    std::string line = "\"" + ctx.qmthost + "\" --plugin \"" + ctx.dll + "\"";
    for (auto& a : extraArgs) line += " \"" + a + "\"";
    line += " \"" + path + "\"";
    return RunProgram(line, output, 120000);
}

// ---- pixels ------------------------------------------------------------------
namespace {

// Copies `width` x `height` from `x`,`y` of a DC into 32-bit top-down pixels.
Capture ReadDc(HDC source, int x, int y, int width, int height) {
    Capture c;
    if (width <= 0 || height <= 0) return c;
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
        GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        c.width = width;
        c.height = height;
        c.pixels.assign(p, p + static_cast<size_t>(width) * height);
        for (uint32_t& px : c.pixels) px &= 0xFFFFFF;
        SelectObject(memory, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(memory);
    return c;
}

}  // namespace

std::string Hex(uint32_t rgb) {
    char text[16];
    snprintf(text, sizeof text, "%06x", static_cast<unsigned>(rgb));
    return text;
}

void CheckPixelRgb(const Capture& c, int x, int y, uint32_t rgb, const std::string& what) {
    bool inside = x >= 0 && y >= 0 && x < c.width && y < c.height;
    CheckEq(inside ? Hex(c.At(x, y)) : "outside", Hex(rgb), what + " at " + std::to_string(x) + "," + std::to_string(y));
}

int Capture::DistinctColours() const { return static_cast<int>(std::set<uint32_t>(pixels.begin(), pixels.end()).size()); }

bool Capture::SaveBmp(const std::string& path) const {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    ZeroMemory(&fh, sizeof fh);
    ZeroMemory(&ih, sizeof ih);
    DWORD size = static_cast<DWORD>(pixels.size() * 4);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + size;
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = -height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(pixels.data(), 1, size, f);
    fclose(f);
    return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        PumpMessages(10);
    }
    return true;
}

void Dispatch(int id, std::vector<std::string> args) {
    std::vector<char*> params;
    for (auto& a : args) params.push_back(&a[0]);
    params.push_back(nullptr);
    DispatchAction(id, params.data());
}

HWND ShowRectangle(HostSimulator& host, const std::string& name, int width, int height, int x, int y) {
    HWND rect = reinterpret_cast<HWND>(host.AddRectangle(name, width, height));
    if (x >= 0 && y >= 0) SetWindowPos(rect, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND top = GetAncestor(rect, GA_ROOT);
    SetWindowPos(top, HWND_TOP, 0, 0, 800, 600, SWP_SHOWWINDOW);
    UpdateWindow(top);
    return rect;
}

void PumpMessages(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

Capture CaptureWindow(HWND window) {
    RECT r;
    if (!GetClientRect(window, &r)) return Capture();
    HDC dc = GetDC(window);
    Capture c = ReadDc(dc, 0, 0, r.right, r.bottom);
    ReleaseDC(window, dc);
    return c;
}

Capture CaptureScreen(HWND window) {
    RECT r;
    POINT origin = {0, 0};
    if (!GetClientRect(window, &r) || !ClientToScreen(window, &origin)) return Capture();
    HDC screen = GetDC(nullptr);
    Capture c = ReadDc(screen, origin.x, origin.y, r.right, r.bottom);
    ReleaseDC(nullptr, screen);
    return c;
}

Capture CaptureBitmap(HBITMAP bitmap) {
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return Capture();
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(source, bitmap);
    Capture c = ReadDc(source, 0, 0, info.bmWidth, info.bmHeight);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
    return c;
}
