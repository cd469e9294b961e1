// The "Select Transition" dialog of the split actions: a drop-down of every
// transition type after a plain cut, and the duration as typed.
#include <windows.h>
#include "host/host_state.h"
#include "host/pixel_dialog_win32.h"
#include "operations/transition_types.h"
#include "strips/split_pick_actions.h"

namespace {

const int kTypeId = 100;
const int kDurationId = 101;
const char kPlainCut[] = "(none - cut only)";

const PixelControl kControls[] = {
    {"STATIC", "Transition:", -1, SS_LEFT, 0, 10, 14, 75, 18},
    {"COMBOBOX", "", kTypeId, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, 88, 10, 190, 400},
    {"STATIC", "Duration (s):", -1, SS_LEFT, 0, 10, 44, 75, 18},
    {"EDIT", "1.0", kDurationId, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 88, 42, 55, 22},
    {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 88, 76, 80, 28},
    {"BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 0, 176, 76, 80, 28},
};

bool Init(HWND dialog, void*) {
    SendDlgItemMessageA(dialog, kTypeId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kPlainCut));
    for (int i = 0; i < kTransitionTypeCount; ++i)
        SendDlgItemMessageA(dialog, kTypeId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TransitionTypeTable[i]));
    SendDlgItemMessageA(dialog, kTypeId, CB_SETCURSEL, 1, 0);  // "fade"
    return false;
}

bool Command(HWND dialog, int id, int, void*) {
    if (id != IDOK) return false;
    int entry = static_cast<int>(SendDlgItemMessageA(dialog, kTypeId, CB_GETCURSEL, 0, 0));
    const char* picked = entry >= 1 && entry <= kTransitionTypeCount ? TransitionTypeTable[entry - 1] : "none";
    SetHostVar("[QMT_PickedTransition]", picked);
    SetHostVar("[QMT_PickedDuration]", DialogText(dialog, kDurationId, 32));
    EndDialog(dialog, IDOK);
    return true;
}

}  // namespace

bool PickTransitionDialog() {
    PixelDialog d = {"Select Transition", 195, 72, kPixelDialogStyle | DS_CENTER, kControls,
                     static_cast<int>(sizeof kControls / sizeof kControls[0]), Init, Command, nullptr};
    return RunPixelDialog(d, GetActiveWindow()) == IDOK;
}
