// The DLL's timeline window on a real Win32 system: posted clicks reach it
// (drags, keys and the wheel are the native tests', routing of every kind of
// message the frame checks'), and the playhead and the selected clip show in
// their colours on screen. No dialog is opened here.
#include "tests/wine/wine_checks.h"

// 832 x 300: 30 px/s from x 32, lanes 46 high from y 24. The V1 clip starts
// at 2 s, its companion is on A1 (y 208 to 254).
QMT_WINE_CHECKS(timeline_window) {
    std::string clip = MakeMedia(ctx, "tl_av.mp4",
                                 "-f lavfi -i testsrc=d=2:s=160x90:r=25 -f lavfi -i sine=d=2 -pix_fmt yuv420p -shortest");
    if (clip.empty()) return;
    HostSimulator& host = ctx.host;
    if (!CheckHostScript(ctx, "a timeline with a V1 clip and its companion",
                         "Rectangle TlWin 832 300\n"
                         "QMT_SetFFmpegPath \"" + ctx.tools + "\"\n"
                         "QMT_TimelineCreate \"TlWin\" \"\"\n"
                         "QMT_TimelineAddClip \"TlWin\" \"V1\" \"0\" \"" + clip + "\" \"Main\" \"2\" \"4\"\n"
                         "Assert [QMT_Status] \"Complete\"\n"))
        return;

    // Posted clicks select the V1 clip (x 92 to 212) and place the playhead at
    // 20 s (x 632); the host's Capture shows its window for the read-back.
    CheckHostScript(ctx, "select and place the playhead",
                    "Click TlWin 632 10\nClick TlWin 152 40\nAssert [NLE_SelTrack] \"0\"\n"
                    "Capture TlWin \"" + ctx.work + "\\tl_window.bmp\"\n");
    HWND rect = reinterpret_cast<HWND>(host.Rectangle("TlWin"));
    HWND window = rect ? GetWindow(rect, GW_CHILD) : nullptr;
    Check(window != nullptr, "the timeline window is the Rectangle's child");
    if (window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Capture shot = CaptureWindow(window);
        Check(shot.width == 832 && shot.height == 300, "the capture is the client size");
        if (shot.width == 832 && shot.height == 300) {
            CheckPixelRgb(shot, 632, 150, 0xff3232, "the playhead line");
            CheckPixelRgb(shot, 152, 27, 0xffdc3c, "the selected clip's outline, 2 pixels wide");
            CheckPixelRgb(shot, 152, 30, 0x5a8cdc, "the selected clip's lifted fill");
            CheckPixelRgb(shot, 152, 210, 0x50505a, "the companion's plain outline");
            CheckPixelRgb(shot, 700, 40, 0x16161c, "the lane background");
            if (shot.At(632, 150) != 0xff3232) shot.SaveBmp(ctx.work + "\\tl_window_failed.bmp");
        }
    }

    host.Message(2);
    Check(rect && !GetWindow(rect, GW_CHILD), "message 2 removes the timeline window");
}
