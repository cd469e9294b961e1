// Small modal dialogs built from an in-memory template without controls:
// the controls are made in pixels when the dialog opens, all in "Segoe UI"
// 14, and the dialog is centred over its owner.
#pragma once
#include <windows.h>
#include <string>

struct PixelControl {
    const char* windowClass;  // "STATIC", "BUTTON", "EDIT", "LISTBOX", "COMBOBOX"
    const char* text;
    int id;                   // -1 for a label nothing reads
    DWORD style;              // besides WS_CHILD | WS_VISIBLE
    DWORD exStyle;
    int x, y, width, height;
};

struct PixelDialog {
    const char* title;
    short widthUnits, heightUnits;  // the template's size in dialog units
    DWORD style;                    // the template's window style
    const PixelControl* controls;
    int controlCount;
    // Fills the controls once they exist; true when it set the focus itself.
    bool (*init)(HWND dialog, void* context);
    // A control's WM_COMMAND; true when handled (it may end the dialog).
    // Cancel and the close box end the dialog with IDCANCEL unless handled.
    bool (*command)(HWND dialog, int id, int code, void* context);
    void* context;
};

// Popup with caption, system menu and modal frame.
const DWORD kPixelDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// Runs the dialog owned by `owner` (null: the desktop); the EndDialog
// result, or -1 when it could not open.
INT_PTR RunPixelDialog(const PixelDialog& dialog, HWND owner);
// A control's text, at most `capacity` - 1 characters.
std::string DialogText(HWND dialog, int id, int capacity);
