// The timeline's three dialogs on Windows, each a template without controls
// whose controls are laid out in pixels when it opens.
#include <windows.h>
#include <commdlg.h>
#include "host/pixel_dialog_win32.h"
#include "host/text_util.h"
#include "timeline/dialog_values.h"
#include "timeline/timeline_dialogs.h"

namespace {

const int kListId = 100;
const int kStartId = 200;
const int kEndId = 201;
const int kDurationId = 203;
const int kTextId = 102;
const int kSizeId = 104;
const int kXId = 106;
const int kYId = 108;
const int kPositionId = 110;
const int kOverlayDurationId = 112;
const int kColourId = 113;

const DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
const DWORD kEditStyle = ES_AUTOHSCROLL | WS_TABSTOP;
const DWORD kOkStyle = BS_DEFPUSHBUTTON | WS_TABSTOP;
const DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

// The result of the last list dialog, kept until the next one opens.
int g_listResult = -1;
// The colour chooser's custom colours, kept while the plug-in is loaded.
COLORREF g_customColours[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

int ListSelection(HWND dialog) { return static_cast<int>(SendDlgItemMessageA(dialog, kListId, LB_GETCURSEL, 0, 0)); }

void FillList(HWND dialog, const NamedEntry* table, int selected) {
    for (int i = 0; table[i].name[0]; ++i)
        SendDlgItemMessageA(dialog, kListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(table[i].name));
    SendDlgItemMessageA(dialog, kListId, LB_SETCURSEL, selected, 0);
}

// OK, or a double-click on an entry.
bool Accepts(int id, int code) { return id == IDOK || (id == kListId && code == LBN_DBLCLK); }

HWND Owner() { return GetActiveWindow(); }

// ---- list -----------------------------------------------------------------------

const PixelControl kListControls[] = {
    {"LISTBOX", "", kListId, kListStyle, WS_EX_CLIENTEDGE, 8, 8, 200, 200},
    {"BUTTON", "OK", IDOK, kOkStyle, 0, 40, 216, 70, 26},
    {"BUTTON", "Cancel", IDCANCEL, kButtonStyle, 0, 120, 216, 70, 26},
};

bool InitList(HWND dialog, void* table) {
    FillList(dialog, static_cast<const NamedEntry*>(table), 0);
    return false;
}

bool ListCommand(HWND dialog, int id, int code, void*) {
    if (Accepts(id, code)) {
        g_listResult = ListSelection(dialog);
        EndDialog(dialog, IDOK);
        return true;
    }
    if (id != IDCANCEL) return false;
    g_listResult = -1;
    EndDialog(dialog, IDCANCEL);
    return true;
}

// ---- transition ---------------------------------------------------------------

const PixelControl kTransitionControls[] = {
    {"LISTBOX", "", kListId, kListStyle, WS_EX_CLIENTEDGE, 8, 8, 270, 180},
    {"STATIC", "Apply:", -1, SS_LEFT, 0, 8, 196, 42, 18},
    {"BUTTON", "Start", kStartId, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 52, 195, 60, 18},
    {"BUTTON", "End", kEndId, BS_AUTORADIOBUTTON, 0, 118, 195, 60, 18},
    {"STATIC", "Duration (s):", -1, SS_LEFT, 0, 8, 220, 82, 18},
    {"EDIT", "", kDurationId, kEditStyle, WS_EX_CLIENTEDGE, 92, 218, 45, 22},
    {"BUTTON", "OK", IDOK, kOkStyle, 0, 60, 250, 80, 28},
    {"BUTTON", "Cancel", IDCANCEL, kButtonStyle, 0, 150, 250, 80, 28},
};

bool InitTransition(HWND dialog, void* context) {
    TransitionDialogState& state = *static_cast<TransitionDialogState*>(context);
    FillList(dialog, kTransitionDisplayTable, TransitionPreselection(state));
    CheckRadioButton(dialog, kStartId, kEndId, state.applyEnd ? kEndId : kStartId);
    SetDlgItemTextA(dialog, kDurationId, Fmt("%.1f", state.duration).c_str());
    return false;
}

bool TransitionCommand(HWND dialog, int id, int code, void* context) {
    TransitionDialogState& state = *static_cast<TransitionDialogState*>(context);
    if (Accepts(id, code)) {
        state.chosen = ListSelection(dialog);
        state.applyEnd = IsDlgButtonChecked(dialog, kEndId) == BST_CHECKED;
        state.duration = TransitionDialogDuration(DialogText(dialog, kDurationId, 32));
        state.ok = true;
        EndDialog(dialog, IDOK);
        return true;
    }
    if (id != IDCANCEL) return false;
    state.ok = false;
    EndDialog(dialog, IDCANCEL);
    return true;
}

// ---- text overlay ---------------------------------------------------------------

const PixelControl kOverlayControls[] = {
    {"STATIC", "Text:", -1, SS_LEFT, 0, 8, 10, 35, 18},
    {"EDIT", "", kTextId, kEditStyle, WS_EX_CLIENTEDGE, 48, 8, 240, 22},
    {"STATIC", "Size:", -1, SS_LEFT, 0, 8, 38, 35, 18},
    {"EDIT", "", kSizeId, kEditStyle, WS_EX_CLIENTEDGE, 48, 36, 40, 22},
    {"BUTTON", "Color...", kColourId, kButtonStyle, 0, 100, 36, 70, 22},
    {"STATIC", "Pos:", -1, SS_LEFT, 0, 8, 66, 35, 18},
    {"COMBOBOX", "", kPositionId, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 48, 64, 180, 200},
    {"STATIC", "X:", -1, SS_LEFT, 0, 8, 96, 18, 18},
    {"EDIT", "", kXId, kEditStyle, WS_EX_CLIENTEDGE, 28, 94, 45, 22},
    {"STATIC", "Y:", -1, SS_LEFT, 0, 82, 96, 18, 18},
    {"EDIT", "", kYId, kEditStyle, WS_EX_CLIENTEDGE, 102, 94, 45, 22},
    {"STATIC", "Duration (s):", -1, SS_LEFT, 0, 8, 124, 75, 18},
    {"EDIT", "", kOverlayDurationId, kEditStyle, WS_EX_CLIENTEDGE, 88, 122, 40, 22},
    {"BUTTON", "OK", IDOK, kOkStyle, 0, 80, 154, 70, 26},
    {"BUTTON", "Cancel", IDCANCEL, kButtonStyle, 0, 160, 154, 70, 26},
};

bool InitOverlay(HWND dialog, void* context) {
    TextOverlayDialogState& state = *static_cast<TextOverlayDialogState*>(context);
    SetDlgItemTextA(dialog, kTextId, state.text);
    SetDlgItemTextA(dialog, kSizeId, Fmt("%d", state.fontSize).c_str());
    for (const TextPositionPreset& p : kTextPositions)
        SendDlgItemMessageA(dialog, kPositionId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p.item));
    SendDlgItemMessageA(dialog, kPositionId, CB_SETCURSEL, 0, 0);
    SetDlgItemTextA(dialog, kXId, Fmt("%d", state.x).c_str());
    SetDlgItemTextA(dialog, kYId, Fmt("%d", state.y).c_str());
    SetDlgItemTextA(dialog, kOverlayDurationId, Fmt("%d", static_cast<int>(state.duration)).c_str());
    SetFocus(GetDlgItem(dialog, kTextId));
    return true;
}

void ChooseColour(HWND dialog, TextOverlayDialogState& state) {
    CHOOSECOLORA chooser;
    ZeroMemory(&chooser, sizeof chooser);
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = dialog;
    chooser.rgbResult = state.colour;
    chooser.lpCustColors = g_customColours;
    chooser.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (ChooseColorA(&chooser)) state.colour = chooser.rgbResult;
}

void ShowPositionHints(HWND dialog) {
    int item = static_cast<int>(SendDlgItemMessageA(dialog, kPositionId, CB_GETCURSEL, 0, 0));
    if (item <= 0 || item >= kTextPositionCount) return;
    SetDlgItemTextA(dialog, kXId, kTextPositions[item].hintX);
    SetDlgItemTextA(dialog, kYId, kTextPositions[item].hintY);
}

bool OverlayCommand(HWND dialog, int id, int code, void* context) {
    TextOverlayDialogState& state = *static_cast<TextOverlayDialogState*>(context);
    if (id == kColourId && code == BN_CLICKED) {
        ChooseColour(dialog, state);
        return true;
    }
    if (id == kPositionId && code == CBN_SELCHANGE) {
        ShowPositionHints(dialog);
        return true;
    }
    if (id != IDOK) return false;
    SetField(state.text, DialogText(dialog, kTextId, sizeof state.text));
    state.fontSize = TextDialogFontSize(DialogText(dialog, kSizeId, 32));
    state.duration = TextDialogDuration(DialogText(dialog, kOverlayDurationId, 32));
    int item = static_cast<int>(SendDlgItemMessageA(dialog, kPositionId, CB_GETCURSEL, 0, 0));
    TextDialogPosition(item, DialogText(dialog, kXId, 32), DialogText(dialog, kYId, 32), state.x, state.y);
    state.ok = true;
    EndDialog(dialog, IDOK);
    return true;
}

template <size_t N>
PixelDialog Dialog(const char* title, short cx, short cy, const PixelControl (&controls)[N],
                   bool (*init)(HWND, void*), bool (*command)(HWND, int, int, void*), void* context) {
    return PixelDialog{title, cx, cy, kPixelDialogStyle, controls, static_cast<int>(N), init, command, context};
}

}  // namespace

bool PickFromList(const char* title, const NamedEntry* table, int& chosen) {
    g_listResult = -1;
    // The table is only read.
    void* context = const_cast<NamedEntry*>(table);
    INT_PTR result = RunPixelDialog(Dialog(title, 145, 160, kListControls, InitList, ListCommand, context), Owner());
    chosen = g_listResult;
    return result == IDOK && chosen >= 0;
}

void PickTransition(TransitionDialogState& state) {
    state.ok = false;
    RunPixelDialog(Dialog("Set Transition", 195, 190, kTransitionControls, InitTransition, TransitionCommand, &state),
                   Owner());
}

void EditTextOverlay(TextOverlayDialogState& state) {
    state.ok = false;
    RunPixelDialog(Dialog("Text Overlay", 200, 125, kOverlayControls, InitOverlay, OverlayCommand, &state), Owner());
}
