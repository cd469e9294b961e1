// The DLL's timeline window on a real Win32 system, driven by posted mouse,
// wheel and key messages through the host's script commands: each kind of
// message reaches the window (the drag rules themselves are the native unit
// tests'), and the playhead and the selected clip show in their colours on
// screen. No dialog is opened here.
#include "tests/wine/wine_checks.h"

// 832 x 300: 30 px/s from x 32, lanes 46 high from y 24. The V1 clip starts
// at 2 s (x 92 to 212), its companion is on A1 (y 208 to 254).
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

    CheckHostScript(ctx, "a drag moves the clip and its companion",
                    "Drag TlWin 152 40 242 40\n"
                    "Assert [NLE_SelStart] \"5.000\"\n"
                    "Click TlWin 242 228\n"
                    "Assert [NLE_SelTrack] \"4\"\n"
                    "Assert [NLE_SelStart] \"5.000\"\n");

    // The V1 clip (x 182 to 302) selected and the playhead at 20 s (x 632), on screen.
    CheckHostScript(ctx, "select and place the playhead",
                    "Click TlWin 632 10\nClick TlWin 242 40\nCapture TlWin \"" + ctx.work + "\\tl_window.bmp\"\n");
    HWND rect = reinterpret_cast<HWND>(host.Rectangle("TlWin"));
    HWND window = rect ? GetWindow(rect, GW_CHILD) : nullptr;
    Check(window != nullptr, "the timeline window is the Rectangle's child");
    if (window) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Capture shot = CaptureWindow(window);
        Check(shot.width == 832 && shot.height == 300, "the capture is the client size");
        if (shot.width == 832 && shot.height == 300) {
            CheckPixelRgb(shot, 632, 150, 0xff3232, "the playhead line");
            CheckPixelRgb(shot, 632, 2, 0xff3232, "the playhead's head");
            CheckPixelRgb(shot, 242, 26, 0xffdc3c, "the selected clip's outline");
            CheckPixelRgb(shot, 242, 27, 0xffdc3c, "the selected clip's outline, 2 pixels");
            CheckPixelRgb(shot, 242, 30, 0x5a8cdc, "the selected clip's lifted fill");
            CheckPixelRgb(shot, 242, 210, 0x50505a, "the companion's plain outline");
            CheckPixelRgb(shot, 700, 40, 0x16161c, "the lane background");
            if (shot.At(632, 150) != 0xff3232) shot.SaveBmp(ctx.work + "\\tl_window_failed.bmp");
        }
    }

    CheckHostScript(ctx, "double-clicking the V1 header names the track",
                    "DoubleClick TlWin 10 40\nAssert [NLE_TrackAction] \"V1\"\n");
    CheckHostScript(ctx, "Delete removes the selected clip with its companion",
                    "Click TlWin 242 40\n"
                    "Key TlWin Delete\n"
                    "QMT_TimelineGetState \"TlWin\"\n"
                    "Assert [NLE_ClipCount] \"0\"\n"
                    "Assert [NLE_SelTrack] \"-1\"\n");
    CheckHostScript(ctx, "Ctrl+wheel zooms",
                    "QMT_TimelineZoom \"TlWin\" \"2\"\n"
                    "Wheel TlWin 416 100 120 Ctrl\n"
                    "QMT_TimelineGetState \"TlWin\"\n"
                    "Assert [NLE_Zoom] \"2.6\"\n");
    host.Message(2);
    Check(rect && !GetWindow(rect, GW_CHILD), "message 2 removes the timeline window");
}
