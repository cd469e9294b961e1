// Embedded players and FFplay previews on a real Win32 system: real MCI
// (GStreamer under Wine) playing a generated clip into a shown Rectangle, the
// exact command strings through the MCI seam for what Wine's MCI does not
// implement, and the preview's window search and re-parenting against a
// stand-in ffplay (this program, copied as ffplay.exe).
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
#include "timeline/timeline_model.h"

// ---- the stand-in ffplay ----------------------------------------------------
// Started as ffplay.exe, this program shows a top-level window with the title
// it is given, as ffplay does, notes its command line beside itself, and
// marks the title "(paused)" on every other space key, until it is ended.
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
    FILE* note = fopen((path.substr(0, path.find_last_of('\\') + 1) + "args.txt").c_str(), "ab");
    if (note) {
        fprintf(note, "%s\n", line.c_str());
        fclose(note);
    }
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

// A 3 s 160x120 test picture with sound, made by the Windows ffmpeg.
std::string MakeClip(WineContext& ctx) {
    std::string clip = ctx.work + "\\clip.mp4";
    std::string output;
    long rc = RunProgram("\"" + ctx.tools + "\\ffmpeg.exe\" -v error -y -f lavfi -i testsrc=size=160x120:rate=25:duration=3 "
                         "-f lavfi -i sine=frequency=440:duration=3 -pix_fmt yuv420p -c:v libx264 -c:a aac -shortest \"" +
                             clip + "\"",
                         &output, 120000);
    Check(rc == 0 && plat::FileExists(clip), "test clip made with the Windows ffmpeg: " + output);
    return rc == 0 ? clip : std::string();
}


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
enum class Device { Real, AnswerAll, RefuseTypedOpen, LongClip };
Device g_device = Device::Real;

bool RecordAndAnswer(const std::string& command, std::string& reply, unsigned long& code) {
    g_sent.push_back(command);
    code = 0;
    switch (g_device) {
        case Device::AnswerAll: return true;
        case Device::RefuseTypedOpen:
            code = 281;
            return command.compare(0, 5, "open ") == 0 && command.find(" type mpegvideo ") != std::string::npos;
        case Device::LongClip:
            reply = "3725500";
            return command.compare(0, 7, "status ") == 0 && command.find(" position") != std::string::npos;
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
    std::string clip = MakeClip(ctx);
    if (clip.empty()) return;
    HWND rect = ShowRectangle(host, "Rect1", 320, 240);
    host.Call("QMT_PlayerCreate", {"Rect1", clip, "[S]"});
    CheckEq(host.Var("[S]"), "Ready", "create opens the clip with real MCI (error: " + host.Var("[QMT_Error]") + ")");
    // Wine 8 accepts "put ... window at" but leaves the window at the video's
    // own size, so here the window's place is checked, and its size by the
    // strings sent (player_strings).
    HWND video = GetWindow(rect, GW_CHILD);
    Check(video && (GetWindowLongA(video, GWL_STYLE) & WS_CHILD), "the MCI window is a child of the Rectangle");
    Check(plat::MciSend("put qmt_p0 window at 0 0 320 240") == 0, "put window is accepted");
    CheckEq(Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]"), "stopped", "state after create");
    std::string length;
    plat::MciSend("status qmt_p0 length", &length);
    Check(atoi(length.c_str()) > 2800 && atoi(length.c_str()) < 3200, "status length of the 3 s clip: " + length);

    host.Call("QMT_PlayerPlay", {"rect1"});
    CheckEq(host.Var("[S]"), "Playing", "play word");
    CheckEq(Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]"), "playing", "state while playing");
    PumpMessages(1200);
    host.Call("QMT_PlayerPosition", {"Rect1", "[Pos]"});
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
    CheckEq(host.Var("[S]"), "Paused", "pause word");
    CheckEq(Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]"), "paused", "state when paused");
    std::string held = Call(host, "QMT_PlayerPosition", {"Rect1", "[Pos]"}, "[Pos]");
    PumpMessages(400);
    CheckEq(Call(host, "QMT_PlayerPosition", {"Rect1", "[Pos]"}, "[Pos]"), held, "the position holds while paused");

    host.Call("QMT_PlayerStop", {"Rect1"});
    CheckEq(host.Var("[S]"), "Stopped", "stop word");
    CheckEq(Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]"), "stopped", "state after stop");
    CheckEq(Call(host, "QMT_PlayerPosition", {"Rect1", "[Pos]"}, "[Pos]"), "00:00:00.000", "stop seeks to start");

    host.Call("QMT_PlayerFullscreen", {"Rect1", "True"});
    Check(GetParent(video) == rect, "fullscreen keeps the video window inside the Rectangle");

    // The same name in another case replaces the device; a second Rectangle gets the next one.
    host.Call("QMT_PlayerCreate", {"RECT1", clip, "[S]"});
    HWND replaced = GetWindow(rect, GW_CHILD);
    Check(!IsWindow(video) && replaced && !GetWindow(replaced, GW_HWNDNEXT),
          "re-create on the same name closes the old device: one video window left");
    HWND rect2 = ShowRectangle(host, "Rect2", 200, 150);
    host.Call("QMT_PlayerCreate", {"Rect2", clip, "[S2]"});
    CheckEq(host.Var("[S2]"), "Ready", "a second player");
    host.Call("QMT_PlayerDestroy", {"rect2"});
    Check(!GetWindow(rect2, GW_CHILD), "destroy closes the device and its window");

    // Leaving the page closes every player; the next create starts afresh.
    host.Call("QMT_PlayerCreate", {"Rect2", clip, ""});
    host.Message(2);
    Check(!GetWindow(rect, GW_CHILD) && !GetWindow(rect2, GW_CHILD), "message 2 closes every video window");
    CheckEq(Call(host, "QMT_PlayerState", {"Rect1", "[Mode]"}, "[Mode]"), "None", "no player on Rect1 after message 2");
    CheckEq(Call(host, "QMT_PlayerState", {"Rect2", "[Mode]"}, "[Mode]"), "None", "no player on Rect2 after message 2");
    host.SetVar("[S]", "");
    host.Call("QMT_PlayerCreate", {"Rect1", clip, "[S]"});
    CheckEq(host.Var("[S]"), "Ready", "a player again after message 2");
}

// ---- the command strings through the seam (linked-in plug-in code) -----------
QMT_WINE_CHECKS(player_strings) {
    HostSimulator& host = ctx.host;
    HWND rect = reinterpret_cast<HWND>(host.AddRectangle("Rect1", 320, 240));
    std::string file = ctx.self;  // the device is answered here, any file will do
    SetMciHook(RecordAndAnswer);
    g_device = Device::AnswerAll;
    Dispatch(121, {"Rect1", file, "[S]"});
    CheckEq(Last("[S]"), "Ready", "create through the seam");
    Check(g_sent.size() == 2 && g_sent[0] == OpenString(file, 0, rect, true) &&
              g_sent[1] == "put qmt_p0 window at 0 0 320 240",
          "open and put strings: " + Join(g_sent));
    g_sent.clear();
    const char* const seeks[] = {"1:30", "0:01:30.5", "12.25", ""};
    for (const char* t : seeks) Dispatch(126, {"rect1", t});
    const char* const volumes[] = {"150", "-5", "loud"};
    for (const char* v : volumes) Dispatch(127, {"Rect1", v});
    Dispatch(132, {"Rect1", "0.25"});
    CheckEq(Join(g_sent),
            "seek qmt_p0 to 90000,seek qmt_p0 to 90500,seek qmt_p0 to 12250,seek qmt_p0 to 0,"
            "setaudio qmt_p0 volume to 1000,setaudio qmt_p0 volume to 0,setaudio qmt_p0 volume to 0,"
            "set qmt_p0 speed 250",
            "seek, volume and speed strings");
    g_sent.clear();
    Dispatch(133, {"Rect1", "TRUE"});
    Dispatch(133, {"Rect1", "1"});
    CheckEq(Join(g_sent),
            "put qmt_p0 window at 0 0 " + std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " +
                std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ",put qmt_p0 window at 0 0 320 240",
            "fullscreen: the screen's size; with 1 the Rectangle's");
    g_sent.clear();
    Dispatch(131, {"Rect1", file});
    CheckEq(Join(g_sent), "close qmt_p0," + OpenString(file, 0, rect, true) + ",put qmt_p0 window at 0 0 320 240",
            "load reopens the alias in the same window");
    g_device = Device::LongClip;
    Dispatch(128, {"Rect1", "[Pos]"});
    CheckEq(Last("[Pos]"), "01:02:05.500", "position 3725500 ms as text");
    CheckEq(Last("[QMT_PositionSec]"), "3725.500", "position 3725500 ms in seconds");

    // The table holds eight; the ninth is refused.
    g_device = Device::AnswerAll;
    for (int i = 2; i <= 9; ++i) host.AddRectangle("R" + std::to_string(i), 160, 120);
    for (int i = 2; i <= 8; ++i) Dispatch(121, {"R" + std::to_string(i), file, ""});
    g_writes.clear();
    Dispatch(121, {"R9", file, ""});
    CheckEq(Last("[QMT_Error]"), "Max players reached.", "the ninth player");
    g_sent.clear();
    PageTearDown();
    Check(g_sent.size() == 8 && g_sent[0] == "close qmt_p0" && g_sent[7] == "close qmt_p7",
          "tear-down closes the eight devices: " + Join(g_sent));
    Check(FindPlayer("Rect1") < 0 && FindPlayer("R8") < 0, "an empty table after the tear-down");

    // A device that refuses the type is opened without it; Wine's MCI refuses
    // that too for mp4, and its own error text is the message.
    std::string clip = ctx.work + "\\missing_type.mp4";
    plat::WriteTextFile(clip, "not a video");
    g_device = Device::RefuseTypedOpen;
    g_sent.clear();
    Dispatch(121, {"Rect1", clip, "[S1]"});
    Check(g_sent.size() == 2 && g_sent[1] == OpenString(clip, 0, rect, false),
          "second open without the device type: " + Join(g_sent));
    std::string expected = Last("[QMT_Error]");
    char text[256] = {0};
    unsigned long code = plat::MciSend(g_sent[1]);
    mciGetErrorStringA(code, text, sizeof text);
    Check(code != 0 && expected == text && !expected.empty(),
          "the error is mciGetErrorStringA's text: \"" + expected + "\"");
    Check(FindPlayer("Rect1") < 0, "a refused open leaves the slot free");

    g_device = Device::AnswerAll;
    g_host.interfaceAccess = nullptr;
    Dispatch(121, {"Rect1", file, ""});
    CheckEq(Last("[QMT_Error]"), "Rectangle not found.", "create without interface access");
    SetMciHook(nullptr);
}

// ---- previews: no ffplay, then the stand-in's window taken in ------------------
QMT_WINE_CHECKS(previews) {
    HostSimulator& host = ctx.host;
    host.Call("QMT_SetFFmpegPath", {ctx.tools});
    host.Call("QMT_PreviewInRect", {ctx.self, ""});
    CheckEq(host.Var("[QMT_Error]"),
            "ffplay.exe not found. Download FFmpeg FULL build (not essentials) which includes ffplay.exe.",
            "a tools folder without ffplay.exe");
    Check(!host.HasVar("[QMT_PreviewPID]"), "no preview process started");

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
    std::string args = ReadAll(play + "\\args.txt");
    std::string expected = "\"" + play + "\\ffplay.exe\" -i \"" + ctx.self +
                           "\" -vf \"scale=320:240:flags=bilinear,hue=s=0\" -x 320 -y 240 -noborder -window_title "
                           "\"QMT Preview\" -autoexit -loglevel quiet\n";
    CheckEq(args, expected, "the ffplay command line");

    // A timeline preview in that window: pause and play are its space key.
    g_timelinePreview.previewActive = true;
    g_sent.clear();
    Dispatch(124, {"Rect1"});
    PumpMessages(300);
    CheckEq(Text(window), "QMT Preview (paused)", "pause posts the space key to the ffplay window");
    Dispatch(123, {"Rect1"});
    PumpMessages(300);
    CheckEq(Text(window), "QMT Preview", "play posts it again");
    Check(g_sent.empty(), "the player itself is not touched: " + Join(g_sent));

    // A second launch replaces the first; stop ends it and reopens the input file.
    unsigned long first = g_preview.processId;
    g_vars["[InputFile]"] = ctx.self;
    Dispatch(135, {"Rect1", ""});
    unsigned long second = g_preview.processId;
    Check(second && second != first && ProcessEnded(first), "a second preview ends the first ffplay");
    g_timelinePreview.previewActive = true;
    g_sent.clear();
    Dispatch(125, {"Rect1"});
    Check(ProcessEnded(second) && !g_preview.child.process, "stop during a timeline preview ends ffplay");
    CheckEq(Last("[QMT_PreviewMode]"), "0", "preview mode off");
    Check(!g_sent.empty() && g_sent.front() == "close qmt_p0" && g_sent[1] == OpenString(ctx.self, 0, rect, true),
          "the player is opened again on [InputFile]: " + Join(g_sent));

    Dispatch(135, {"Rect1", ""});
    unsigned long third = g_preview.processId;
    Dispatch(136, {});
    Check(ProcessEnded(third) && Last("[QMT_Status]") == "Complete", "preview stop ends ffplay");
    Dispatch(135, {"Rect1", ""});
    unsigned long fourth = g_preview.processId;
    PageTearDown();
    Check(ProcessEnded(fourth), "page tear-down ends ffplay");
    SetMciHook(nullptr);
}

// ---- a one-clip timeline preview in the stand-in ffplay ------------------------
QMT_WINE_CHECKS(timeline_preview) {
    HostSimulator& host = ctx.host;
    std::string play = ctx.work + "\\play";
    plat::MakeDirectory(play);
    Check(CopyFileA(ctx.self.c_str(), (play + "\\ffplay.exe").c_str(), FALSE) != 0, "stand-in ffplay.exe in place");
    UseTools(play + "\\ffmpeg.exe", ctx.tools + "\\ffprobe.exe");
    HWND rect = ShowRectangle(host, "Player1", 320, 240);
    host.AddRectangle("NLE1", 400, 120);
    SetMciHook(RecordAndAnswer);
    g_device = Device::AnswerAll;
    Dispatch(121, {"Player1", ctx.self, ""});
    Dispatch(200, {"NLE1", "Player1"});
    Dispatch(202, {"NLE1", "V1", "0", ctx.self, "", "0", "2"});
    g_sent.clear();

    Dispatch(213, {"NLE1"});
    CheckEq(Last("[QMT_Status]"), "Complete", "timeline preview (error: " + Last("[QMT_Error]") + ")");
    CheckEq(Last("[QMT_PreviewMode]"), "1", "preview mode on");
    Check(!g_sent.empty() && g_sent[0] == "pause qmt_p0", "the player is paused: " + Join(g_sent));
    HWND window = AsHwnd(g_preview.ffplayWindow);
    Check(window && GetParent(window) == rect, "the ffplay window is taken into the player's Rectangle");
    CheckEq(ReadAll(play + "\\args.txt"),
            "\"" + play + "\\ffplay.exe\" -ss 0.000 -i \"" + ctx.self +
                "\" -vf \"scale=320:240:flags=bilinear\" -x 320 -y 240 -noborder -window_title \"QMT Preview\" "
                "-autoexit -loglevel quiet\n",
            "ffplay plays the clip itself");
    PumpMessages(400);
    Check(TimelineAt(0)->playhead > 0.1, "the preview timer runs the playhead");

    unsigned long pid = g_preview.processId;
    Dispatch(125, {"Player1"});
    Check(ProcessEnded(pid), "the player's stop ends ffplay");
    CheckEq(Last("[QMT_PreviewMode]"), "0", "preview mode off");
    Check(g_timelinePreview.previewTimer == 0, "the preview timer is stopped");
    PageTearDown();
    SetMciHook(nullptr);
}
