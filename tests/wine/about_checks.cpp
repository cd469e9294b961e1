// The about box from the DLL's resources, opened twice through nbAbout: its
// text, place and icon, its two pictures on screen as drawn (pixels read back
// against the bitmap resources), and the bitmaps deleted at close.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include "tests/wine/dialog_steps.h"
#include "tests/wine/wine_checks.h"

namespace {

BOOL CALLBACK FindVersionText(HWND child, LPARAM found) {
    char text[128] = {0};
    GetWindowTextA(child, text, sizeof text);
    if (!strcmp(text, "Quillmont V1.3")) *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

HBITMAP ImageOf(HWND dialog, int control) {
    return reinterpret_cast<HBITMAP>(SendDlgItemMessageA(dialog, control, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// Share of the picture's pixels found on screen, the picture centred in the
// control (a pixel of rounding either way allowed; pixels cut off count as missing).
double ShownShare(const Capture& shown, const Capture& picture) {
    double best = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            int ox = (shown.width - picture.width) / 2 + dx, oy = (shown.height - picture.height) / 2 + dy;
            long same = 0;
            for (int y = 0; y < picture.height; ++y)
                for (int x = 0; x < picture.width; ++x) {
                    int sx = x + ox, sy = y + oy;
                    same += sx >= 0 && sy >= 0 && sx < shown.width && sy < shown.height &&
                            shown.At(sx, sy) == picture.At(x, y);
                }
            if (!picture.pixels.empty()) best = std::max(best, static_cast<double>(same) / picture.pixels.size());
        }
    return best;
}

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
    HBITMAP logoResource = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(301), IMAGE_BITMAP, 0, 0, 0));
    HBITMAP poweredResource = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(302), IMAGE_BITMAP, 0, 0, 0));
    Capture logo = CaptureBitmap(logoResource), powered = CaptureBitmap(poweredResource);
    HBITMAP editorResource = static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(303), IMAGE_BITMAP, 0, 0, 0));
    Capture editor = CaptureBitmap(editorResource);
    Check(logo.DistinctColours() > 100 && powered.DistinctColours() > 20, "bitmaps 301 and 302 are drawn pictures");
    Check(editor.width == 48 && editor.height == 48 && editor.DistinctColours() > 50, "bitmap 303 is a 48 x 48 picture");
    Check(IconWidth(module, 16) == 16 && IconWidth(module, 32) == 32 && IconWidth(module, 48) == 48,
          "icon 101 has 16, 32 and 48 pixel images");

    for (int round = 1; round <= 2; ++round) {
        std::string n = " (opening " + std::to_string(round) + ")";
        HBITMAP shownLogo = nullptr, shownPowered = nullptr;
        std::vector<std::pair<bool, std::string>> seen;  // what the open box shows, checked after it closed
        Capture shot;
        auto look = [&](HWND dialog) {
            RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            bool version = false;
            EnumChildWindows(dialog, FindVersionText, reinterpret_cast<LPARAM>(&version));
            RECT client, self, area;
            GetClientRect(dialog, &client);
            GetWindowRect(dialog, &self);
            HWND owner = GetWindow(dialog, GW_OWNER);
            if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
            shownLogo = ImageOf(dialog, 3001);
            shownPowered = ImageOf(dialog, 3002);
            shot = CaptureWindow(dialog);
            double logoShare = ShownShare(CaptureWindow(GetDlgItem(dialog, 3001)), logo);
            double poweredShare = ShownShare(CaptureWindow(GetDlgItem(dialog, 3002)), powered);
            seen = {
                {version, "shows \"Quillmont V1.3\""},
                {client.right > 200, "laid out in dialog units"},
                {abs((self.left + self.right) - (area.left + area.right)) <= 2 &&
                     abs((self.top + self.bottom) - (area.top + area.bottom)) <= 2,
                 "centred over its owner"},
                {SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) && SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0),
                 "icon 101 set as the big and the small icon"},
                {logoShare > 0.99, "the logo on screen as drawn: " + std::to_string(logoShare)},
                {poweredShare > 0.99, "the \"Powered by\" plate on screen as drawn: " + std::to_string(poweredShare)},
                {shot.At(2, 2) == 0 && shot.At(shot.width - 3, shot.height / 2) == 0 && shot.DistinctColours() > 100,
                 "painted: black ground and the pictures' colours"},
            };
            return std::string();
        };
        int result = 0;
        std::string failures =
            DriveDialogs({Wait("About Quillmont"), Inspect(look), Press(IDOK)}, [&]() { result = ctx.host.About(); });
        Check(failures.empty() && result == IDOK, "about box from resource 300 shown and closed with OK" + n + failures);
        for (auto& s : seen) Check(s.first, "about box " + s.second + n);
        Check(shownLogo && shownPowered && GetObjectType(shownLogo) == 0 && GetObjectType(shownPowered) == 0,
              "controls 3001 and 3002 held bitmaps, deleted when the box closed" + n);
        if (!seen.empty() && !(seen[4].first && seen[5].first && seen[6].first)) {
            shot.SaveBmp(ctx.work + "\\about_shown.bmp");
            printf("  the box as shown: %s\\about_shown.bmp\n", ctx.work.c_str());
        }
    }
    DeleteObject(logoResource);
    DeleteObject(poweredResource);
    DeleteObject(editorResource);
}
