// What every file of Win32 checks shares: the check counters, the context a
// group of checks runs in, the registration macro, and helpers for dialogs,
// pixels, child programs and host scripts. See wine_checks.cpp for how a
// group is run.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include "hostsim/host_simulator.h"

// ---- checks ----------------------------------------------------------------
void Check(bool ok, const std::string& what);
void CheckEq(const std::string& actual, const std::string& expected, const std::string& what);

// ---- a group of checks -----------------------------------------------------
// Each group runs in a process of its own, with the DLL loaded into `host`
// (initialised, interface access and script processor registered) and a
// temporary folder (TMP, TEMP) of its own. Paths are Windows paths.
struct WineContext {
    HostSimulator& host;
    std::string dll;      // the plug-in under test
    std::string tools;    // folder of the Windows ffmpeg.exe and ffprobe.exe
    std::string work;     // this group's empty work folder, also TMP
    std::string self;     // this program: a stand-in tool (--pretend-tool)
    std::string qmthost;  // qmthost.exe next to this program
};

typedef void (*WineCheckFn)(WineContext& ctx);
bool RegisterWineChecks(const char* name, WineCheckFn fn);

// Defines and registers a group:  QMT_WINE_CHECKS(players) { ... ctx.host ... }
#define QMT_WINE_CHECKS(name)                                                         \
    static void WineChecks_##name(WineContext& ctx);                                  \
    static const bool g_wineChecksRegistered_##name = RegisterWineChecks(#name, WineChecks_##name); \
    static void WineChecks_##name(WineContext& ctx)

// ---- the plug-in code linked into this program -----------------------------
// The checks program is also the host of the plug-in objects it links in
// directly (g_host); their variable writes are recorded here.
extern std::vector<std::pair<std::string, std::string>> g_writes;
extern std::map<std::string, std::string> g_vars;  // what the get-variable callback answers
std::vector<std::string> WritesOf(const std::string& name);
std::string Last(const std::string& name);  // "<unset>" when never written
// Points the linked-in plug-in code at these tool paths.
void UseTools(const std::string& ffmpeg, const std::string& ffprobe);

// ---- small helpers ---------------------------------------------------------
std::string Join(const std::vector<std::string>& v);
std::string ReadAll(const std::string& path);

// Runs a command line hidden, its stdout and stderr into `output`; the exit
// code, or -1 when it could not start or did not end within `timeoutMs` (it is
// then terminated). With `echo` the output is also copied to stdout as it comes.
long RunProgram(const std::string& commandLine, std::string* output, unsigned long timeoutMs, bool echo = false);

// Makes a small media file in ctx.work with the Windows ffmpeg.exe, e.g.
//   MakeMedia(ctx, "clip.mp4", "-f lavfi -i testsrc=d=2:s=160x90:r=25 -pix_fmt yuv420p")
// and returns its path; "" (and a failed check) when ffmpeg fails.
std::string MakeMedia(WineContext& ctx, const std::string& name, const std::string& args);

// Runs host script text (see HostSimulator::RunScript) through ctx.host and
// checks that every line succeeds; `output` gets what Print/Echo printed.
bool CheckHostScript(WineContext& ctx, const std::string& what, const std::string& script,
                     std::string* output = nullptr);
// Runs host script text with qmthost.exe in a process of its own (the way a
// user runs it); returns qmthost's exit code, `output` its printed lines.
long RunQmthostScript(WineContext& ctx, const std::string& script, std::string* output,
                      const std::vector<std::string>& extraArgs = {});

// ---- windows and dialogs ---------------------------------------------------
// Handles this thread's messages (paints, timers, posted input) for `ms`.
void PumpMessages(DWORD ms);
// Handles this thread's messages until `done` is true; false when `ms` runs out first.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);
// Runs an action of the plug-in code linked into this program, by number.
void Dispatch(int id, std::vector<std::string> args);
// Adds a Rectangle to the host's page and shows the page at the top left;
// x and y place the Rectangle (side by side, none covers another's pixels),
// -1 leaves it where the host put it.
HWND ShowRectangle(HostSimulator& host, const std::string& name, int width, int height, int x = -1, int y = -1);

// The client area of a shown window read back as 0xRRGGBB pixels.
struct Capture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int DistinctColours() const;
    bool SaveBmp(const std::string& path) const;  // for looking at a failure
};
Capture CaptureWindow(HWND window);
// What the screen shows over a window's client area: a layered window's
// see-through pixels show what lies below it.
Capture CaptureScreen(HWND window);
// 0xRRGGBB as six hex digits.
std::string Hex(uint32_t rgb);
// Checks one pixel of a capture against 0xRRGGBB, naming both as hex.
void CheckPixelRgb(const Capture& c, int x, int y, uint32_t rgb, const std::string& what);
// A bitmap's pixels as 0xRRGGBB (e.g. a resource loaded with LoadImage).
Capture CaptureBitmap(HBITMAP bitmap);
