// The export window, built at run time without a dialog resource. Its
// notifications reach ExportProc through a subclass of the top-level window;
// the action runs its own message loop until EXPORT, Cancel or close.
#include <windows.h>
#include <commdlg.h>
#include <string>
#include "host/dialogs_win32.h"
#include "host/host_state.h"
#include "operations/export_dialog.h"
#include "operations/export_formats.h"

namespace {

enum class DialogEnd { Choosing, Cancelled, Exporting };

struct ExportWindow {
    HWND window = nullptr;
    WNDPROC staticProc = nullptr;
    HFONT font = nullptr;
    DialogEnd outcome = DialogEnd::Choosing;
};

ExportWindow* StateOf(HWND window) {
    return reinterpret_cast<ExportWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int Selection(HWND window, int list) {
    return static_cast<int>(SendDlgItemMessageA(window, list, CB_GETCURSEL, 0, 0));
}

void Select(HWND window, int list, int index) { SendDlgItemMessageA(window, list, CB_SETCURSEL, index, 0); }

void Finish(ExportWindow* state, DialogEnd outcome) {
    state->outcome = outcome;
    // Wakes the loop when the command arrived as a sent message.
    PostMessageA(state->window, WM_NULL, 0, 0);
}

void BrowseForOutput(HWND window) {
    int row = Selection(window, kExportFormatList);
    std::string extension = (row >= 0 && row < kExportFormatCount) ? ExportFormatTable[row].extension : "mp4";
    std::string filter = ExportSaveFilter(extension);
    char file[260] = {0};
    OPENFILENAMEA ofn;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = extension.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (GetSaveFileNameA(&ofn)) SetDlgItemTextA(window, kExportOutputEdit, file);
}

ExportSelection ReadSelection(HWND window) {
    ExportSelection s;
    s.format = Selection(window, kExportFormatList);
    s.video = Selection(window, kExportVideoList);
    s.audio = Selection(window, kExportAudioList);
    s.quality = Selection(window, kExportQualityList);
    return NormalizeSelection(s);
}

void OnCommand(ExportWindow* state, int id, int code) {
    HWND window = state->window;
    if (id == kExportFormatList && code == CBN_SELCHANGE) {
        int video = Selection(window, kExportVideoList), audio = Selection(window, kExportAudioList);
        ApplyFormatDefaults(Selection(window, kExportFormatList), video, audio);
        Select(window, kExportVideoList, video);
        Select(window, kExportAudioList, audio);
    } else if (id == kExportBrowseButton && code == BN_CLICKED) {
        BrowseForOutput(window);
    } else if (id == kExportButton && code == BN_CLICKED) {
        ExportSelection s = ReadSelection(window);
        std::string refusal = ExportRefusal(s.format, s.video, s.audio);
        if (!refusal.empty()) MessageBoxA(window, refusal.c_str(), kExportTitle, MB_OK | MB_ICONWARNING);
        else Finish(state, DialogEnd::Exporting);
    } else if (id == kExportCancelButton && code == BN_CLICKED) {
        Finish(state, DialogEnd::Cancelled);
    }
}

LRESULT CALLBACK ExportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ExportWindow* state = StateOf(window);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        OnCommand(state, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        Finish(state, DialogEnd::Cancelled);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        // The top-level window is a STATIC: paint a plain face instead of its caption text.
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window, &ps);
        return 0;
    }
    case WM_DESTROY:
        if (state->outcome == DialogEnd::Choosing) state->outcome = DialogEnd::Cancelled;
        break;
    default:
        break;
    }
    return CallWindowProcA(state->staticProc, window, message, wParam, lParam);
}

bool IsSourceLabel(const ExportControl& c) { return &c == &kExportControls[0]; }

HWND MakeChild(HWND parent, const ExportControl& c, const std::string& text) {
    DWORD exStyle = 0, style = WS_CHILD | WS_VISIBLE;
    std::string cls = c.windowClass;
    if (cls == "COMBOBOX") {
        exStyle = WS_EX_CLIENTEDGE;
        style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
    } else if (cls == "EDIT") {
        exStyle = WS_EX_CLIENTEDGE;
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
    } else if (cls == "BUTTON") {
        style |= (c.id == kExportButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
    } else if (IsSourceLabel(c)) {
        style |= SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX;  // the source path
    } else {
        style |= SS_LEFT;
    }
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
    return CreateWindowExA(exStyle, c.windowClass, text.c_str(), style, c.x, c.y, c.width, c.height, parent, id,
                           static_cast<HINSTANCE>(g_host.moduleHandle), nullptr);
}

void FillList(HWND window, int list, const char* const* items, int count, int selected) {
    for (int i = 0; i < count; ++i) SendDlgItemMessageA(window, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
    Select(window, list, selected);
}

template <typename T>
void FillListFrom(HWND window, int list, const T* table, int count, int selected) {
    const char* items[16];
    for (int i = 0; i < count && i < 16; ++i) items[i] = table[i].item;
    FillList(window, list, items, count, selected);
}

bool BuildWindow(ExportWindow& state, const std::string& input) {
    int x = (GetSystemMetrics(SM_CXSCREEN) - kExportWindowWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - kExportWindowHeight) / 2;
    state.window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_DLGMODALFRAME, "STATIC", kExportTitle,
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kExportWindowWidth, kExportWindowHeight,
                                   nullptr, nullptr, static_cast<HINSTANCE>(g_host.moduleHandle), nullptr);
    if (!state.window) return false;
    SetWindowLongPtrA(state.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    state.staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(state.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ExportProc)));

    LOGFONTA font = MessageFontSpec();
    state.font = CreateFontIndirectA(&font);

    for (const ExportControl& c : kExportControls) {
        std::string text = IsSourceLabel(c) ? ExportSourceLabel(input) : std::string(c.text);
        HWND child = MakeChild(state.window, c, text);
        if (child && state.font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), TRUE);
    }
    const char* formats[kExportFormatCount];
    for (int i = 0; i < kExportFormatCount; ++i) formats[i] = ExportFormatTable[i].item;
    FillList(state.window, kExportFormatList, formats, kExportFormatCount, 0);
    FillListFrom(state.window, kExportVideoList, kExportVideoCodecs, kExportVideoCodecCount, 0);
    FillListFrom(state.window, kExportAudioList, kExportAudioCodecs, kExportAudioCodecCount, 0);
    FillListFrom(state.window, kExportQualityList, kExportQualities, kExportQualityCount, kExportDefaultQuality);
    ShowWindow(state.window, SW_SHOW);
    UpdateWindow(state.window);
    return true;
}

void CloseWindow(ExportWindow& state) {
    if (IsWindow(state.window)) {
        SetWindowLongPtrA(state.window, GWLP_USERDATA, 0);
        DestroyWindow(state.window);
    }
    if (state.font) DeleteObject(state.font);
    state.font = nullptr;
}

}  // namespace

void RunExportDialog(const std::string& input) {
    ExportWindow state;
    if (!BuildWindow(state, input)) return;
    while (state.outcome == DialogEnd::Choosing) {
        MSG msg;
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The thread's loop is ending: leave the quit message for the host's loop.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            state.outcome = DialogEnd::Cancelled;
            break;
        }
        if (!IsDialogMessageA(state.window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (state.outcome != DialogEnd::Exporting) {
        CloseWindow(state);
        return;
    }
    ExportSelection selection = ReadSelection(state.window);
    char output[260] = {0};
    GetDlgItemTextA(state.window, kExportOutputEdit, output, sizeof output);
    CloseWindow(state);
    RunExport(input, selection, output);
}
