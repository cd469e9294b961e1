// Embedded players and FFplay previews on a real Win32 system: real MCI
// (GStreamer under Wine) playing a generated clip into a shown Rectangle, what
// the players take from Win32 (screen size, error texts) through the MCI seam,
// and the preview's window search and re-parenting against a stand-in ffplay
// (this program, copied as ffplay.exe). Command strings, ffplay's arguments
// and the preview process's life are checked natively.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "tests/wine/wine_checks.h"
#include <mmsystem.h>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/teardown.h"
#include "platform/mci.h"
#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"

// ---- the stand-in ffplay ----------------------------------------------------
// Started as ffplay.exe, this program shows a top-level window with the title
// it is given, as ffplay does, and marks the title "(paused)" on every other space key, until it is ended.
namespace {

std::string g_standInTitle;
bool g_standInPaused = false;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_SPACE) {
        g_standInPaused = !g_standInPaused;
        SetWindowTextA(window, (g_standInTitle + (g_standInPaused ? " (paused)" : "")).c_str());
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ArgumentAfter(const std::string& line, const std::string& option) {
    size_t at = line.find(" " + option + " ");
    if (at == std::string::npos) return std::string();
    at += option.size() + 2;
    if (line[at] == '"') return line.substr(at + 1, line.find('"', at + 1) - at - 1);
    return line.substr(at, line.find(' ', at) - at);
}

bool PlayFFplayWhenStartedAsIt() {
    char exe[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    std::string name = path.substr(path.find_last_of('\\') + 1);
    if (lstrcmpiA(name.c_str(), "ffplay.exe") != 0) return false;
    std::string line = GetCommandLineA();
    g_standInTitle = ArgumentAfter(line, "-window_title");
    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = "QMT_StandInFFplay";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, g_standInTitle.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  atoi(ArgumentAfter(line, "-x").c_str()), atoi(ArgumentAfter(line, "-y").c_str()),
                                  nullptr, nullptr, wc.hInstance, nullptr);
    // Never outlives the checks by much, even when nobody ends it.
    SetTimer(window, 1, 60000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    ExitProcess(0);
}

const bool g_standInFFplay = PlayFFplayWhenStartedAsIt();

// ---- helpers ------------------------------------------------------------------

std::string Call(HostSimulator& host, const std::string& action, const std::vector<std::string>& args,
                 const std::string& resultVar) {
    host.Call(action, args);
    return host.Var(resultVar);
}


bool ProcessEnded(unsigned long pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return true;
    bool ended = WaitForSingleObject(process, 2000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

std::string Text(HWND window) {
    char text[128] = {0};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// What the linked-in players send, and a device that answers in place of
// winmm when asked to.
std::vector<std::string> g_sent;
enum class Device { Real, AnswerAll, RefuseOpens };
Device g_device = Device::Real;

bool RecordAndAnswer(const std::string& command, std::string& reply, unsigned long& code) {
    g_sent.push_back(command);
    code = 0;
    switch (g_device) {
        case Device::AnswerAll: return true;
        case Device::RefuseOpens:  // MCIERR_UNRECOGNIZED_COMMAND, then MCIERR_FILE_NOT_FOUND
            code = command.find(" type mpegvideo ") != std::string::npos ? 281 : 275;
            return command.compare(0, 5, "open ") == 0;
        default: return false;
    }
}

std::string OpenString(const std::string& file, int slot, HWND parent, bool withType) {
    return "open \"" + file + "\"" + (withType ? " type mpegvideo" : "") + " alias qmt_p" + std::to_string(slot) +
           " parent " + std::to_string(reinterpret_cast<uintptr_t>(parent)) + " style child";
}

}  // namespace

// ---- real MCI through the DLL ------------------------------------------------
QMT_WINE_CHECKS(players) {
    HostSimulator& host = ctx.host;
    std::string clip = MakeMedia(ctx, "clip.mp4", "-f lavfi -i testsrc=size=160x120:rate=25:duration=3 -f lavfi -i "
                                  "sine=frequency=440:duration=3 -pix_fmt yuv420p -c:v libx264 -c:a aac -shortest");
    if (clip.empty()) return;
    HWND rect = ShowRectangle(host, "Rect1", 320, 240);
    host.Call("QMT_PlayerCreate", {"Rect1", clip, "[S]"});
    CheckEq(host.Var("[S]"), "Ready", "create opens the clip with real MCI (error: " + host.Var("[QMT_Error]") + ")");
    // Wine 8 accepts "put ... window at" but leaves the window at the video's
    // own size, so here the window's place is checked, and its size natively.
    HWND video = GetWindow(rect, GW_CHILD);
    Check(video && (GetWindowLongA(video, GWL_STYLE) & WS_CHILD), "the MCI window is a child of the Rectangle");

    // The state words as real MCI answers them.
    std::string modes = Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]");
    host.Call("QMT_PlayerPlay", {"rect1"});
    modes += " " + Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]");
    PumpUntil([&] { return atof(Call(host, "QMT_PlayerPosition", {"Rect1", "[Pos]"}, "[QMT_PositionSec]").c_str()) > 0.5; },
              3000);
    double playedTo = atof(host.Var("[QMT_PositionSec]").c_str());
    Check(playedTo > 0.3 && playedTo < 3.1, "the position runs while playing: " + host.Var("[Pos]"));
    Capture frame = CaptureWindow(video);
    size_t lit = 0;
    for (uint32_t p : frame.pixels) lit += ((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF)) > 60;
    bool painted = frame.width > 0 && lit > frame.pixels.size() / 2 && frame.DistinctColours() > 4;
    if (!painted) frame.SaveBmp(ctx.work + "\\player_frame.bmp");
    Check(painted, "a video frame is painted into the Rectangle: " + std::to_string(lit) + " of " +
                       std::to_string(frame.pixels.size()) + " pixels lit, " + std::to_string(frame.DistinctColours()) +
                       " colours");
    host.Call("QMT_PlayerPause", {"RECT1"});
    modes += " " + Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]");
    host.Call("QMT_PlayerStop", {"Rect1"});
    modes += " " + Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]");
    CheckEq(modes, "stopped playing paused stopped", "state after create, play, pause and stop");
    CheckEq(Call(host, "QMT_PlayerPosition", {"Rect1", "[Pos]"}, "[Pos]"), "00:00:00.000", "stop seeks to start");
}

// ---- what the players take from Win32, through the seam ----------------------
QMT_WINE_CHECKS(player_strings) {
    HostSimulator& host = ctx.host;
    HWND rect = reinterpret_cast<HWND>(host.AddRectangle("Rect1", 320, 240));
    std::string file = ctx.self;  // the device is answered here, any file will do
    SetMciHook(RecordAndAnswer);
    g_device = Device::AnswerAll;
    Dispatch(121, {"Rect1", file, "[S]"});
    CheckEq(Join(g_sent), OpenString(file, 0, rect, true) + ",put qmt_p0 window at 0 0 320 240",
            "the parent window's handle in the open string");
    g_sent.clear();
    Dispatch(133, {"Rect1", "TRUE"});
    CheckEq(Join(g_sent),
            "put qmt_p0 window at 0 0 " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
                std::to_string(GetSystemMetrics(SM_CYSCREEN)),
            "fullscreen takes the screen's size");

    // Refused with and without the device type: the second refusal's system text is the message.
    g_device = Device::RefuseOpens;
    Dispatch(121, {"Rect1", file, "[S1]"});
    char text[256] = {0};
    mciGetErrorStringA(275, text, sizeof text);
    Check(text[0] && Last("[QMT_Error]") == text, "the error is mciGetErrorStringA's text: \"" + Last("[QMT_Error]") + "\"");
    Check(FindPlayer("Rect1") < 0, "a refused open leaves the slot free");
    SetMciHook(nullptr);
    PageTearDown();
}

// ---- previews: the stand-in ffplay's window taken in --------------------------
QMT_WINE_CHECKS(previews) {
    HostSimulator& host = ctx.host;
    std::string play = ctx.work + "\\play";
    plat::MakeDirectory(play);
    Check(CopyFileA(ctx.self.c_str(), (play + "\\ffplay.exe").c_str(), FALSE) != 0, "stand-in ffplay.exe in place");
    UseTools(play + "\\ffmpeg.exe", play + "\\ffprobe.exe");
    HWND rect = ShowRectangle(host, "Rect1", 320, 240);
    SetMciHook(RecordAndAnswer);
    g_device = Device::AnswerAll;
    Dispatch(121, {"Rect1", ctx.self, ""});  // a player whose file the preview plays

    Dispatch(135, {"Rect1", "hue=s=0"});
    CheckEq(Last("[QMT_Status]"), "Complete", "preview in the Rectangle (error: " + Last("[QMT_Error]") + ")");
    HWND window = AsHwnd(g_preview.ffplayWindow);
    DWORD owner = 0;
    if (window) GetWindowThreadProcessId(window, &owner);
    RECT box = {0, 0, 0, 0};
    Check(window && GetParent(window) == rect, "the preview window is re-parented into the Rectangle");
    Check(window && (GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE) &&
              !(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) && GetWindowLongA(window, GWL_EXSTYLE) == 0,
          "restyled as a visible child without frame or extended style");
    Check(window && GetClientRect(window, &box) && box.right == 320 && box.bottom == 240,
          "at 0,0 with the Rectangle's client size");
    Check(owner == g_preview.processId && Last("[QMT_PreviewPID]") == std::to_string(owner),
          "the window belongs to the preview process in [QMT_PreviewPID]");
    // A timeline preview in that window: pause and play are its space key.
    g_timelinePreview.previewActive = true;
    g_sent.clear();
    Dispatch(124, {"Rect1"});
    PumpUntil([&] { return Text(window) == "QMT Preview (paused)"; }, 3000);
    CheckEq(Text(window), "QMT Preview (paused)", "pause posts the space key to the ffplay window");
    Dispatch(123, {"Rect1"});
    PumpUntil([&] { return Text(window) == "QMT Preview"; }, 3000);
    CheckEq(Text(window), "QMT Preview", "play posts it again");
    Check(g_sent.empty(), "the player itself is not touched: " + Join(g_sent));

    // Stop during a timeline preview ends ffplay and reopens the input file.
    unsigned long pid = g_preview.processId;
    g_vars["[InputFile]"] = ctx.self;
    g_sent.clear();
    Dispatch(125, {"Rect1"});
    Check(ProcessEnded(pid) && !g_preview.child.process, "stop during a timeline preview ends ffplay");
    CheckEq(Last("[QMT_PreviewMode]"), "0", "preview mode off");
    Check(g_sent.size() > 1 && g_sent.front() == "close qmt_p0" && g_sent[1] == OpenString(ctx.self, 0, rect, true),
          "the player is opened again on [InputFile]: " + Join(g_sent));
    PageTearDown();
    SetMciHook(nullptr);
}
