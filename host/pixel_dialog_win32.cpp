#include "host/pixel_dialog_win32.h"
#include <vector>
#include "host/dialogs_win32.h"
#include "host/host_state.h"

namespace {

const int kFontHeight = 14;

// An in-memory dialog template without controls.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE head;
    WORD menu;
    WORD windowClass;
    WORD title;
};

// What one open dialog needs; it lives on RunPixelDialog's stack.
struct OpenDialog {
    const PixelDialog* spec;
    HFONT font;
};

HINSTANCE Instance() {
    return g_host.moduleHandle ? static_cast<HINSTANCE>(g_host.moduleHandle) : GetModuleHandleA(nullptr);
}

bool Init(HWND dialog, OpenDialog* open) {
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(open));
    const PixelDialog& d = *open->spec;
    SetWindowTextA(dialog, d.title);
    for (int i = 0; i < d.controlCount; ++i) {
        const PixelControl& c = d.controls[i];
        HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
        HWND control = CreateWindowExA(c.exStyle, c.windowClass, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y,
                                       c.width, c.height, dialog, id, Instance(), nullptr);
        if (control && open->font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(open->font), FALSE);
    }
    bool focused = d.init && d.init(dialog, d.context);
    CentreOverOwner(dialog);
    return focused;
}

INT_PTR CALLBACK PixelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    OpenDialog* open = reinterpret_cast<OpenDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        return Init(dialog, reinterpret_cast<OpenDialog*>(lParam)) ? FALSE : TRUE;
    case WM_COMMAND: {
        if (!open) return FALSE;
        const PixelDialog& d = *open->spec;
        int id = LOWORD(wParam);
        if (d.command && d.command(dialog, id, HIWORD(wParam), d.context)) return TRUE;
        if (id != IDCANCEL) return FALSE;
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR RunPixelDialog(const PixelDialog& dialog, HWND owner) {
    EmptyTemplate tmpl;
    ZeroMemory(&tmpl, sizeof tmpl);
    tmpl.head.style = dialog.style;
    tmpl.head.cx = dialog.widthUnits;
    tmpl.head.cy = dialog.heightUnits;
    // menu, window class and title words stay 0: none, the default class, "".
    OpenDialog open = {&dialog, CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                            DEFAULT_PITCH | FF_DONTCARE, "Segoe UI")};
    INT_PTR result = DialogBoxIndirectParamA(Instance(), &tmpl.head, owner, PixelDialogProc,
                                             reinterpret_cast<LPARAM>(&open));
    if (open.font) DeleteObject(open.font);
    return result;
}

std::string DialogText(HWND dialog, int id, int capacity) {
    std::vector<char> buffer(capacity > 0 ? capacity : 1, 0);
    GetDlgItemTextA(dialog, id, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data());
}
