// The filmstrip window on a real Win32 system, through the plug-in code
// linked into this program: the Windows ffmpeg extracts the thumbnails into
// a strip in a shown Rectangle, the player is answered through the MCI seam
// (Wine's MCI cannot seek to a position), and the painted pixels are read
// back from a thumbnail; the layout, the clicks and the page tear-down are
// checked on the draw log natively.
#include "tests/wine/wine_checks.h"
#include <set>
#include "host/dispatch.h"
#include "host/window_frame.h"
#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "playback/player_registry.h"
#include "strips/filmstrip_record.h"
#include "strips/thumbnail_bitmap.h"

namespace {

// A device that accepts everything and stands at the start.
bool AnswerMci(const std::string& command, std::string& reply, unsigned long& code) {
    code = 0;
    if (command.find(" position") != std::string::npos) reply = "0";
    return true;
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

    SetMciHook(nullptr);
}
