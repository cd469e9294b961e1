// The filmstrip window on a real Win32 system, through the plug-in code
// linked into this program: the Windows ffmpeg extracts the thumbnails into
// a strip in a shown Rectangle, the player is answered through the MCI seam
// (Wine's MCI cannot seek to a position), and the painted pixels are read
// back: a thumbnail, the playhead and a split diamond. Posted mouse messages
// seek the player or select the split.
#include "tests/wine/wine_checks.h"
#include <set>
#include "host/dispatch.h"
#include "host/teardown.h"
#include "host/window_frame.h"
#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "playback/player_registry.h"
#include "strips/filmstrip_record.h"
#include "strips/split_list.h"
#include "strips/thumbnail_bitmap.h"

namespace {

std::vector<std::string> g_mci;
std::string g_position = "0";

// A device that accepts everything and stands at g_position.
bool AnswerMci(const std::string& command, std::string& reply, unsigned long& code) {
    g_mci.push_back(command);
    code = 0;
    if (command.find(" position") != std::string::npos) reply = g_position;
    return true;
}

// The seek commands sent since g_mci was cleared (paints and ticks ask the position meanwhile).
std::string Seeks() {
    std::vector<std::string> seeks;
    for (const std::string& c : g_mci)
        if (c.compare(0, 5, "seek ") == 0) seeks.push_back(c);
    return Join(seeks);
}

void PostClick(HWND window, int x, int y) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages(100);
}

}  // namespace

// 800 x 90: cells of 160 + 2, four whole ones in view.
QMT_WINE_CHECKS(filmstrip) {
    HostSimulator& host = ctx.host;
    UseTools(ctx.tools + "\\ffmpeg.exe", ctx.tools + "\\ffprobe.exe");
    std::string clip = MakeMedia(ctx, "strip.mp4", "-f lavfi -i testsrc=d=2:s=160x90:r=25 -pix_fmt yuv420p");
    if (clip.empty()) return;
    HWND rect = reinterpret_cast<HWND>(host.AddRectangle("Strip", 800, 90));
    SetWindowPos(GetAncestor(rect, GA_ROOT), HWND_TOP, 0, 0, 900, 300, SWP_SHOWWINDOW);
    host.AddRectangle("Player", 160, 90);
    SetMciHook(AnswerMci);
    Dispatch(121, {"Player", clip, ""});

    // The Windows ffmpeg extracts the first thumbnail into a bitmap of the
    // cell size, painted into cell 0. Each run takes seconds under Wine, so
    // the strip is destroyed while the next one runs.
    Dispatch(141, {"Strip", clip, "Player"});
    CheckEq(Last("[QMT_Status]"), "FrameStrip created", "create");
    FrameStripRecord* strip = FrameStripAt(FindFrameStrip("Strip"));
    if (!strip) return;
    HWND window = AsHwnd(strip->stripWindow);
    char cls[64] = {0};
    GetClassNameA(window, cls, sizeof cls);
    CheckEq(cls, "QMT_FrameStripWnd", "the strip's window class");
    Check(GetParent(window) == rect, "a child of the Rectangle");
    bool first = PumpUntil([&] { return strip->framesReady > 0; }, 30000);
    Check(first, "the Windows ffmpeg extracted a thumbnail");
    if (first) {
        int w = 0, h = 0;
        Check(ThumbnailBitmapSize(strip->thumbnails[0], w, h) && w == 160 && h == 90,
              "the thumbnail is made at the cell size: " + std::to_string(w) + "x" + std::to_string(h));
        PaintFrameWindowNow(strip->stripWindow);
        Capture shot = CaptureWindow(window);
        std::set<uint32_t> colours;
        for (int y = 0; y < 78 && y < shot.height; ++y)
            for (int x = 0; x < 160 && x < shot.width; ++x) colours.insert(shot.At(x, y));
        Check(colours.size() > 8, "cell 0 shows the test picture: " + std::to_string(colours.size()) + " colours");
    }
    DWORD t0 = GetTickCount();
    Dispatch(142, {"strip"});
    CheckEq(Last("[QMT_Status]"), "FrameStrip destroyed", "destroy during extraction");
    Check(GetTickCount() - t0 < 5000 && !IsWindow(window) && FindFrameStrip("Strip") < 0,
          "the strip and its window are gone within the wait: " + std::to_string(GetTickCount() - t0) + " ms");
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((ctx.work + "\\qmt_*").c_str(), &found);
    Check(left == INVALID_HANDLE_VALUE, "no work file is left behind");
    if (left != INVALID_HANDLE_VALUE) FindClose(left);

    // The same name again on a file that is no video: its worker ends after
    // the probe, and the record is given 20 frames of a 2 s video by hand.
    Dispatch(141, {"Strip", ctx.work + "\\none.mp4", "Player"});
    strip = FrameStripAt(FindFrameStrip("Strip"));
    if (!strip) return;
    window = AsHwnd(strip->stripWindow);
    Check(PumpUntil([&] { return !strip->extracting; }, 30000), "the worker ends");
    const double d = 2.0;
    {
        plat::LockHold held(strip->lock);
        strip->duration = d;
        strip->framesReady = 20;
    }
    auto msAtFrame = [&](double frame) { return std::to_string(static_cast<int>(frame / 19 * d * 1000)); };

    // The player stands in frame 2 (the follow timer keeps the first frame
    // in view); a split at 0.5 s on frame 4, not selected. The rest of the
    // layout is checked on the draw log natively.
    g_position = msAtFrame(2.5);
    Check(AddSplitAt(*strip, 0.5).ok, "a split at 0.5 s");
    strip->selectedSplit = -1;
    PumpMessages(300);  // a tick or two of the follow timer
    Check(strip->firstVisible == 0, "the follow timer keeps frame 0 first");
    PaintFrameWindowNow(strip->stripWindow);
    Capture shot = CaptureWindow(window);
    Check(shot.width == 800 && shot.height == 90, "the capture is the client size");
    if (shot.width == 800 && shot.height == 90) {
        CheckPixelRgb(shot, 2 * 162 + 80, 45, 0xff3232, "playhead line");
        CheckPixelRgb(shot, 4 * 162 + 80, 7, 0xff8c00, "split diamond at the top");
        CheckPixelRgb(shot, 3 * 162 + 150, 82, 0x000000, "time label box");
        if (shot.At(2 * 162 + 80, 45) != 0xff3232) shot.SaveBmp(ctx.work + "\\filmstrip.bmp");
    }

    // A posted click on cell 1 seeks to frame 1; one beside the split selects it.
    g_mci.clear();
    PostClick(window, 200, 40);
    CheckEq(Seeks(), "seek qmt_p0 to " + msAtFrame(1), "a click on cell 1 seeks the player to frame 1");
    CheckEq(Last("[QMT_SplitIndex]"), "-1", "a click off the splits clears the selection");
    g_mci.clear();
    PostClick(window, 4 * 162 + 80 + 5, 60);
    CheckEq(Last("[QMT_Status]"), "Split selected", "a click beside the split selects it");
    CheckEq(Seeks(), "", "and seeks nothing");
    PaintFrameWindowNow(strip->stripWindow);
    shot = CaptureWindow(window);
    if (shot.width == 800) CheckPixelRgb(shot, 4 * 162 + 80, 7, 0xffc828, "the selected split's diamond");

    // Leaving the page takes the window and its timer.
    PageTearDown();
    Check(!IsWindow(window), "page tear-down destroys the strip window");
    Check(FindFrameStrip("Strip") < 0, "and frees the slot");
    SetMciHook(nullptr);
}
