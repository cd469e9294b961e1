// The about box from the DLL's resources, opened twice through nbAbout: its
// texts, its two pictures shown as drawn (pixels read back from the screen
// against the bitmap resources), its icon, and the bitmaps deleted at close.
#include <cstdlib>
#include <cstring>
#include "tests/wine/dialog_steps.h"
#include "tests/wine/wine_checks.h"

namespace {

struct AboutSeen {
    bool versionText = false;
    int width = 0;
    bool centred = false;
    HBITMAP logo = nullptr, powered = nullptr;
    HICON bigIcon = nullptr, smallIcon = nullptr;
    Capture dialog, logoShown, poweredShown;
};

BOOL CALLBACK FindVersionText(HWND child, LPARAM p) {
    char text[128] = {0};
    GetWindowTextA(child, text, sizeof text);
    if (!strcmp(text, "Quillmont V1.3")) reinterpret_cast<AboutSeen*>(p)->versionText = true;
    return TRUE;
}

HBITMAP ImageOf(HWND dialog, int control) {
    return reinterpret_cast<HBITMAP>(SendDlgItemMessageA(dialog, control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// What the box shows while it is open, everything painted first.
std::string Look(HWND dialog, AboutSeen& seen) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EnumChildWindows(dialog, FindVersionText, reinterpret_cast<LPARAM>(&seen));
    RECT r;
    GetClientRect(dialog, &r);
    seen.width = r.right - r.left;
    // Centred over its owner, or over the work area without one.
    RECT self, area;
    GetWindowRect(dialog, &self);
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    seen.centred = abs((self.left + self.right) - (area.left + area.right)) <= 2 &&
                   abs((self.top + self.bottom) - (area.top + area.bottom)) <= 2;
    seen.logo = ImageOf(dialog, 3001);
    seen.powered = ImageOf(dialog, 3002);
    seen.bigIcon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
    seen.smallIcon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0));
    seen.dialog = CaptureWindow(dialog);
    seen.logoShown = CaptureWindow(GetDlgItem(dialog, 3001));
    seen.poweredShown = CaptureWindow(GetDlgItem(dialog, 3002));
    return std::string();
}

// Share of the picture's pixels found on screen, the picture centred in the
// control (a pixel of rounding either way allowed).
double ShownShare(const Capture& shown, const Capture& picture) {
    if (shown.pixels.empty() || picture.pixels.empty()) return 0;
    double best = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int ox = (shown.width - picture.width) / 2 + dx, oy = (shown.height - picture.height) / 2 + dy;
            long same = 0, compared = 0;
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) {
                    int sx = x + ox, sy = y + oy;
                    if (sx < 0 || sy < 0 || sx >= shown.width || sy >= shown.height) continue;
                    ++compared;
                    same += shown.At(sx, sy) == picture.At(x, y);
                }
            // Pixels cut off by a smaller control count as missing.
            double share = static_cast<double>(same) / picture.pixels.size();
            if (compared > 0 && share > best) best = share;
        }
    return best;
}

int CountColour(const Capture& c, uint32_t colour) {
    int n = 0;
    for (uint32_t p : c.pixels) n += p == colour;
    return n;
}

std::string Size(const Capture& c) { return std::to_string(c.width) + "x" + std::to_string(c.height); }

int IconWidth(HMODULE module, int size) {
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(101), IMAGE_ICON, size, size, 0));
    ICONINFO info;
    BITMAP bm = {};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    return bm.bmWidth;
}

}  // namespace

QMT_WINE_CHECKS(about) {
    HMODULE module = GetModuleHandleA(ctx.dll.c_str());
    Check(module != nullptr, "the plug-in is loaded");
    HBITMAP logoResource = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(301), IMAGE_BITMAP, 0, 0, 0));
    HBITMAP poweredResource = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(302), IMAGE_BITMAP, 0, 0, 0));
    HBITMAP editorResource = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(303), IMAGE_BITMAP, 0, 0, 0));
    Capture logo = CaptureBitmap(logoResource), powered = CaptureBitmap(poweredResource);
    Capture editor = CaptureBitmap(editorResource);
    Check(logo.width > 100 && logo.DistinctColours() > 100, "bitmap 301 is a drawn logo: " + Size(logo));
    Check(powered.width > 100 && powered.DistinctColours() > 20, "bitmap 302 is a drawn plate: " + Size(powered));
    Check(editor.width == 48 && editor.height == 48 && editor.DistinctColours() > 50,
          "bitmap 303 is a 48 x 48 picture: " + Size(editor));
    Check(IconWidth(module, 16) == 16 && IconWidth(module, 32) == 32 && IconWidth(module, 48) == 48,
          "icon 101 has 16, 32 and 48 pixel images");

    for (int round = 1; round <= 2; ++round) {
        std::string n = " (opening " + std::to_string(round) + ")";
        AboutSeen seen;
        int result = 0;
        std::string failures = DriveDialogs(
            {Wait("About Quillmont"), Inspect([&](HWND dialog) { return Look(dialog, seen); }), Press(IDOK)},
            [&]() { result = ctx.host.About(); });
        Check(failures.empty(), "about box from resource 300 shown and closed" + n + ": " + failures);
        Check(result == IDOK, "about box ends with OK" + n);
        Check(seen.versionText, "about box shows \"Quillmont V1.3\"" + n);
        Check(seen.width > 200, "about box laid out in dialog units" + n);
        Check(seen.centred, "about box centred over its owner" + n);
        Check(seen.logo && seen.powered, "controls 3001 and 3002 hold bitmaps" + n);
        Check(seen.bigIcon && seen.smallIcon, "icon 101 set as the big and the small icon" + n);
        Check(GetObjectType(seen.logo) == 0 && GetObjectType(seen.powered) == 0,
              "both bitmaps deleted when the box closes" + n);

        double logoShare = ShownShare(seen.logoShown, logo), poweredShare = ShownShare(seen.poweredShown, powered);
        Check(logoShare > 0.99, "the logo is on screen as drawn, centred in its control " + Size(seen.logoShown) +
                                    ": " + std::to_string(logoShare));
        Check(poweredShare > 0.99, "the \"Powered by\" plate is on screen as drawn in its control " +
                                       Size(seen.poweredShown) + ": " + std::to_string(poweredShare));
        const Capture& d = seen.dialog;
        bool blackGround = !d.pixels.empty() && d.At(2, 2) == 0 && d.At(d.width - 3, d.height / 2) == 0;
        Check(blackGround && CountColour(d, 0xFFFFFF) > 200 && d.DistinctColours() > 100,
              "the box is painted: black ground, white text, the pictures' colours (" +
                  std::to_string(d.DistinctColours()) + " colours)");
        if (logoShare <= 0.99 || poweredShare <= 0.99 || !blackGround) {
            d.SaveBmp(ctx.work + "\\about_shown.bmp");
            printf("  the box as shown: %s\\about_shown.bmp\n", ctx.work.c_str());
        }
    }
    DeleteObject(logoResource);
    DeleteObject(poweredResource);
    DeleteObject(editorResource);
}
