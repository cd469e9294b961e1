// The overlay preview on a real Win32 system: a picture made by ffmpeg.exe
// loaded through GDI+ into a colour-keyed pop-up over a shown Rectangle, its
// pixels read from the screen (see-through key, frame colour, picture),
// posted-message drags and wheel turns, focus and capture, and message 2
// taking it away. The box's rules (clamps, limits, lock) are checked on the
// draw log by the integration overlay_preview_test.
#include "tests/wine/wine_checks.h"

namespace {

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}

std::string BoxOf(HostSimulator& host) {
    return host.Var("[OvX]") + " " + host.Var("[OvY]") + " " + host.Var("[OvW]") + " " + host.Var("[OvH]");
}

}  // namespace

QMT_WINE_CHECKS(overlay) {
    HostSimulator& host = ctx.host;
    HWND rect = ShowRectangle(host, "Player", 320, 180);
    HWND top = GetAncestor(rect, GA_ROOT);
    SetForegroundWindow(top);
    PumpMessages(100);
    Check(GetForegroundWindow() == top, "the host window is in front");

    // One ffmpeg.exe run writes the picture as PNG and as BMP.
    std::string png = ctx.work + "\\logo.png";
    std::string bmp = MakeMedia(ctx, "logo.bmp",
                                "-f lavfi -i color=c=0x2040e0:s=400x200 -frames:v 1 \"" + png + "\" -frames:v 1");
    if (bmp.empty()) return;

    // A PNG through GDI+: 100 wide for Width 0, in proportion, 10 pixels in.
    CheckHostScript(ctx, "image overlay from a PNG",
                    "QMT_OverlayPreviewImage \"Player\" \"" + png + "\" \"0\" \"0\"\n");
    CheckEq(host.Var("[QMT_Status]"), "Watermark preview: drag to position, wheel to resize", "image overlay status");
    CheckEq(BoxOf(host), "210 120 100 50", "400x200 picture, Width 0: box at the bottom right");
    CheckEq(host.Var("[OvOpacity]"), "0.50", "opacity 0 is reported as 0.50");
    HWND popup = FindWindowA("QMT_OverlayPreviewWnd", nullptr);
    // Windows hands the ownership of a pop-up made over a child window to its top-level window.
    Check(popup && GetWindow(popup, GW_OWNER) == top, "the pop-up is owned by the Rectangle's top-level window");
    if (!popup) return;
    Check((GetWindowLongA(popup, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW)) == (WS_EX_LAYERED | WS_EX_TOOLWINDOW),
          "layered tool window");
    COLORREF key = 0;
    DWORD flags = 0;
    Check(GetLayeredWindowAttributes(popup, &key, nullptr, &flags) && key == RGB(1, 1, 1) && flags == LWA_COLORKEY,
          "colour key RGB(1,1,1)");
    PumpMessages(300);  // a few follow-timer ticks
    Check(IsWindowVisible(popup) != 0, "the pop-up stays shown while the host is in front");

    RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(100);
    Capture screen = CaptureScreen(popup);
    Capture below = CaptureWindow(rect);
    Check(screen.width == 320 && below.width == 320, "screen and Rectangle read back");
    if (screen.width == 320 && below.width == 320) {
        Check(screen.At(100, 60) != 0x010101 && screen.At(100, 60) == below.At(100, 60),
              "the key colour is see-through: the Rectangle shows (" + Hex(screen.At(100, 60)) + " over " +
                  Hex(below.At(100, 60)) + ")");
        Check(Near(screen.At(260, 145), 0x2040e0, 8), "the picture is drawn in its box: " + Hex(screen.At(260, 145)));
        if (screen.At(100, 60) == 0x010101) screen.SaveBmp(ctx.work + "\\overlay_screen.bmp");
    }

    // A posted drag ends its capture with the button; the wheel grows the picture 8 pixels a notch.
    CheckHostScript(ctx, "drag on the picture", "Drag Player 260 140 260 140 3\n");
    Check(GetCapture() == nullptr, "the capture ends with the button");
    CheckHostScript(ctx, "wheel on the picture", "Wheel Player 250 140 120\n");
    CheckEq(BoxOf(host), "210 120 108 54", "one notch: 8 pixels wider, in proportion");

    // A click leaves the keyboard focus in the page's edit box, and a drag
    // ends when another window takes the mouse (Alt+Tab, a dialog).
    HWND edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 190, 80, 20, top, nullptr, nullptr, nullptr);
    SetFocus(edit);
    CheckHostScript(ctx, "click on the picture", "Click Player 250 140\n");
    Check(GetFocus() == edit, "a click on the overlay leaves the focus in the edit box");
    Check(SendMessageA(popup, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)) ==
              MA_NOACTIVATE,
          "a click does not activate the pop-up");
    PostMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 140));
    PumpMessages(50);
    Check(GetCapture() == popup, "a press on the picture takes the mouse");
    SetCapture(edit);
    PostMessageA(popup, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 100));
    PumpMessages(50);
    Check(GetCapture() == edit, "the window that took the mouse keeps it");
    ReleaseCapture();
    CheckEq(BoxOf(host), "210 120 108 54", "the drag ended with the lost capture: the picture stays");
    DestroyWindow(edit);

    // A BMP loads through GDI+ the same way.
    CheckHostScript(ctx, "image overlay from a BMP", "QMT_OverlayPreviewImage \"Player\" \"" + bmp + "\" \"80\" \"3\"\n");
    CheckEq(BoxOf(host) + " " + host.Var("[OvOpacity]"), "230 130 80 40 1.00", "BMP overlay box and opacity");

    // Message 2 closes it and shuts GDI+ down; the next picture starts it again.
    host.Message(2);
    Check(!FindWindowA("QMT_OverlayPreviewWnd", nullptr), "message 2 removes the pop-up");
    CheckHostScript(ctx, "image after message 2", "QMT_OverlayPreviewImage \"Player\" \"" + png + "\" \"0\" \"0\"\n");
    CheckEq(BoxOf(host), "210 120 100 50", "GDI+ starts again after message 2");
    host.Message(2);
}
