// The about box, the common-control
// set-up and the GDI objects that live as long as the plug-in.
#include <windows.h>
#include <commctrl.h>
#include <cstdint>
#include "host/dialogs.h"
#include "host/dialogs_win32.h"
#include "host/frame_objects.h"
#include "host/host_state.h"
#include "host/teardown.h"
#include "platform/win32/win32_handles.h"

namespace {

const int kAboutDialog = 300;
const int kAboutLogo = 3001;
const int kAboutPoweredBy = 3002;
const int kLogoBitmap = 301;
const int kPoweredByBitmap = 302;
const int kAppIcon = 101;

// The about box's black background, from the plug-in's one table of
// long-lived GDI objects.
HBRUSH AboutBrush() { return static_cast<HBRUSH>(AsGdiObject(FrameObject(BrushKey(Rgb(0, 0, 0))))); }

}  // namespace

void CentreOverOwner(HWND dialog) {
    RECT area;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT self;
    GetWindowRect(dialog, &self);
    int w = self.right - self.left, h = self.bottom - self.top;
    int x = area.left + ((area.right - area.left) - w) / 2;
    int y = area.top + ((area.bottom - area.top) - h) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LOGFONTA MessageFontSpec() {
    NONCLIENTMETRICSA metrics;
    ZeroMemory(&metrics, sizeof metrics);
    metrics.cbSize = 344;  // the structure without the padded-border field, accepted by every version
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 344, &metrics, 0);
    return metrics.lfMessageFont;
}

namespace {

void LoadPicture(HWND dialog, int control, int bitmap) {
    HINSTANCE instance = static_cast<HINSTANCE>(g_host.moduleHandle);
    HBITMAP image = static_cast<HBITMAP>(LoadImageA(instance, MAKEINTRESOURCEA(bitmap), IMAGE_BITMAP, 0, 0, 0));
    if (!image) return;
    HBITMAP previous = reinterpret_cast<HBITMAP>(
        SendDlgItemMessageA(dialog, control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image)));
    if (previous && previous != image) DeleteObject(previous);
}

void ReleasePicture(HWND dialog, int control) {
    HBITMAP image =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageA(dialog, control, STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (image) DeleteObject(image);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        LoadPicture(dialog, kAboutLogo, kLogoBitmap);
        LoadPicture(dialog, kAboutPoweredBy, kPoweredByBitmap);
        HICON icon = LoadIconA(static_cast<HINSTANCE>(g_host.moduleHandle), MAKEINTRESOURCEA(kAppIcon));
        if (icon) {
            SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
            SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        }
        CentreOverOwner(dialog);
        return TRUE;
    }
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id != IDOK && id != IDCANCEL) return FALSE;
        ReleasePicture(dialog, kAboutLogo);
        ReleasePicture(dialog, kAboutPoweredBy);
        EndDialog(dialog, id);
        return TRUE;
    }
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(AboutBrush());
    case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(AboutBrush());
    }
    default:
        return FALSE;
    }
}

}  // namespace

int InitCommonControlsStandard() {
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = 8;
    icc.dwICC = 0x4000;  // ICC_STANDARD_CLASSES
    return InitCommonControlsEx(&icc) ? 1 : 0;
}

Outcome DialogsRefusal() { return Done(); }

int RunAboutBox() {
    HWND owner = GetActiveWindow();
    if (!owner) owner = static_cast<HWND>(g_host.hostWindow);
    INT_PTR result = DialogBoxParamA(static_cast<HINSTANCE>(g_host.moduleHandle), MAKEINTRESOURCEA(kAboutDialog),
                                     owner, AboutProc, 0);
    return static_cast<int>(result);
}

void DeleteLongLivedGdiObjects() {
    DeleteEditorGdiObjects();
    ReleaseFrameObjects();
}
