// The action parameter editor: a modal dialog from an in-memory template
// whose controls are made at run time from the action's field table.
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
#include "host/catalogue.h"
#include "host/dialogs.h"
#include "host/dialogs_win32.h"
#include "host/editor_fields.h"
#include "host/editor_layout.h"
#include "host/host_state.h"
#include "host/text_util.h"

namespace {

const int kEditorBitmap = 303;
const COLORREF kHelpBackground = 0xD9FDFF;
const COLORREF kHelpBorder = 0xB4DADC;
const COLORREF kHelpName = 0xC8781E;
const COLORREF kHelpText = 0x3C3C3C;
const int kVariableRequest = 14;
const int kObjectRequest = 8;

struct EditorRequest {
    int32_t id;
    char** params;
};

// An in-memory dialog template without controls.
struct alignas(4) EditorTemplate {
    DLGTEMPLATE head;
    WORD menu;
    WORD windowClass;
    WORD title;
};

// Kept from the first opening until unload.
HFONT g_messageFont = nullptr;
HFONT g_boldFont = nullptr;
HBRUSH g_helpBrush = nullptr;
HBITMAP g_editorBitmap = nullptr;
bool g_bitmapTried = false;

// The open dialog's state; the editor is modal, so there is one at a time.
EditorField g_fields[kMaxEditorFields];
int g_fieldCount = 0;
EditorRequest* g_request = nullptr;
HICON g_folderIcon = nullptr;

void CreateLongLivedObjects() {
    if (!g_messageFont) {
        LOGFONTA font = MessageFontSpec();
        g_messageFont = CreateFontIndirectA(&font);
        LOGFONTA bold = font;
        bold.lfWeight = 700;
        g_boldFont = CreateFontIndirectA(&bold);
    }
    if (!g_helpBrush) g_helpBrush = CreateSolidBrush(kHelpBackground);
    if (!g_bitmapTried) {
        g_bitmapTried = true;
        g_editorBitmap = static_cast<HBITMAP>(LoadImageA(static_cast<HINSTANCE>(g_host.moduleHandle),
                                                         MAKEINTRESOURCEA(kEditorBitmap), IMAGE_BITMAP, 0, 0, 0));
    }
}

std::string ControlText(HWND dialog, int id, int capacity) {
    std::vector<char> buffer(capacity + 1, 0);
    GetDlgItemTextA(dialog, id, buffer.data(), capacity + 1);
    return std::string(buffer.data());
}

HWND MakeControl(HWND dialog, const EditorControl& c) {
    DWORD exStyle = 0;
    DWORD style = WS_CHILD | WS_VISIBLE;
    const char* cls = "STATIC";
    switch (c.role) {
    case EditorRole::Label:
    case EditorRole::VersionCaption:
        style |= SS_LEFT;
        break;
    case EditorRole::Edit:
        cls = "EDIT";
        exStyle = WS_EX_CLIENTEDGE;
        style |= ES_AUTOHSCROLL | WS_TABSTOP;
        break;
    case EditorRole::List:
        cls = "COMBOBOX";
        exStyle = WS_EX_CLIENTEDGE;
        style |= CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP;
        break;
    case EditorRole::VariableButton:
    case EditorRole::ObjectButton:
    case EditorRole::Cancel:
        cls = "BUTTON";
        style |= BS_PUSHBUTTON | WS_TABSTOP;
        break;
    case EditorRole::BrowseButton:
        cls = "BUTTON";
        style |= BS_PUSHBUTTON | BS_ICON | WS_TABSTOP;
        break;
    case EditorRole::Ok:
        cls = "BUTTON";
        style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
        break;
    case EditorRole::HelpPanel:
        style |= SS_OWNERDRAW;
        break;
    case EditorRole::Logo:
        style |= SS_BITMAP;
        break;
    }
    // A list gets its text after the entries are in.
    const char* text = c.role == EditorRole::List ? "" : c.text.c_str();
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id));
    return CreateWindowExA(exStyle, cls, text, style, c.x, c.y, c.width, c.height, dialog, id,
                           static_cast<HINSTANCE>(g_host.moduleHandle), nullptr);
}

void FillList(HWND list, const EditorField& field, const std::string& value) {
    for (const std::string& entry : EditorChoices(field.choices))
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    if (!value.empty()) SetWindowTextA(list, value.c_str());
    else SendMessageA(list, CB_SETCURSEL, 0, 0);
}

BOOL CALLBACK ApplyFonts(HWND child, LPARAM) {
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_messageFont), TRUE);
    char cls[16] = {0};
    GetClassNameA(child, cls, sizeof cls);
    if (EqualsNoCase(cls, "Static")) {
        char text[64] = {0};
        GetWindowTextA(child, text, sizeof text);
        if (TakesBoldFont(text))
            SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_boldFont), TRUE);
    }
    return TRUE;
}

void InitEditor(HWND dialog, EditorRequest* request) {
    g_request = request;
    CreateLongLivedObjects();
    SetWindowTextA(dialog, Fmt("Quillmont - %s", EditorTitle(request->id)).c_str());
    g_fieldCount = SetupEditorFields(request->id, g_fields);
    std::vector<std::string> values;
    for (int i = 0; i < g_fieldCount; ++i) {
        const char* param = request->params ? request->params[g_fields[i].paramIndex] : nullptr;
        values.push_back(EditorStartText(g_fields[i], param));
    }
    EditorLayout layout = LayOutEditor(g_fields, g_fieldCount, values, g_editorBitmap != nullptr,
                                       GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYDLGFRAME));
    if (!g_folderIcon) {
        SHFILEINFOA info;
        ZeroMemory(&info, sizeof info);
        if (SHGetFileInfoA("folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                           SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES))
            g_folderIcon = info.hIcon;
    }
    for (const EditorControl& c : layout.controls) {
        HWND control = MakeControl(dialog, c);
        if (!control) continue;
        if (c.role == EditorRole::List) FillList(control, g_fields[c.field], c.text);
        if (c.role == EditorRole::BrowseButton && g_folderIcon)
            SendMessageA(control, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(g_folderIcon));
        if (c.role == EditorRole::Logo)
            SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(g_editorBitmap));
    }
    SetWindowPos(dialog, nullptr, 0, 0, layout.width, layout.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EnumChildWindows(dialog, ApplyFonts, 0);
    CentreOverOwner(dialog);
}

void DrawHelpPanel(const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    FillRect(dc, &r, g_helpBrush);
    HPEN pen = CreatePen(PS_SOLID, 1, kHelpBorder);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    int id = g_request ? g_request->id : 0;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, g_boldFont);
    SetTextColor(dc, kHelpName);
    const char* name = ActionName(id);
    TextOutA(dc, r.left + 10, r.top + 6, name, static_cast<int>(strlen(name)));
    SelectObject(dc, g_messageFont);
    SetTextColor(dc, kHelpText);
    RECT textArea = {r.left + 10, r.top + 24, r.right - 10, r.bottom - 4};
    DrawTextA(dc, ActionLongHelp(id), -1, &textArea, DT_WORDBREAK);
    SelectObject(dc, oldFont);
}

// Asks the host through InterfaceAccess with a 256-byte global block; the
// answer, or "" when the host gave none.
std::string AskHost(int request, const std::string& text) {
    InterfaceAccessProc access = g_host.interfaceAccess;
    if (!access) return std::string();
    char* block = static_cast<char*>(GlobalAlloc(GPTR, 256));
    if (!block) return std::string();
    strncpy(block, text.c_str(), 255);
    char* pointer = block;
    std::string answer;
    if ((access(request, &pointer) & 0xFF) && pointer) answer = pointer;
    GlobalFree(block);
    return answer;
}

void PickVariable(HWND dialog, int i) {
    if (!g_host.interfaceAccess) return;
    int valueId = EditorValueId(g_fields[i], i);
    std::string name = AskHost(kVariableRequest, VariablePickerRequest(ControlText(dialog, valueId, 255)));
    if (!name.empty()) SetDlgItemTextA(dialog, valueId, VariablePickerAnswer(name).c_str());
}

void PickObject(HWND dialog, int i) {
    if (!g_host.interfaceAccess) return;
    int valueId = EditorValueId(g_fields[i], i);
    std::string name = AskHost(kObjectRequest, ControlText(dialog, valueId, 255));
    if (!name.empty()) SetDlgItemTextA(dialog, valueId, name.c_str());
}

void Browse(HWND dialog, int i) {
    int valueId = EditorValueId(g_fields[i], i);
    char file[260] = {0};
    GetDlgItemTextA(dialog, valueId, file, 260);
    OPENFILENAMEA ofn;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter =
        "Video Files\0*.mp4;*.avi;*.mov;*.mkv;*.wmv;*.webm;*.flv;*.ts\0"
        "Audio\0*.mp3;*.wav;*.aac;*.flac\0"
        "Images\0*.png;*.jpg;*.bmp;*.gif\0"
        "All\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    bool save = g_fields[i].saveDialog;
    ofn.Flags = save ? (OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT) : (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (chosen) SetDlgItemTextA(dialog, valueId, file);
}

// Every field goes back into the parameter array as a process-heap text.
void WriteBack(HWND dialog) {
    if (!g_request || !g_request->params) return;
    for (int i = 0; i < g_fieldCount; ++i) {
        std::string text = ControlText(dialog, EditorValueId(g_fields[i], i), 1023);
        PutHeapText(&g_request->params[g_fields[i].paramIndex], text);
    }
}

bool OnCommand(HWND dialog, int id) {
    if (id >= 300 && id < 300 + g_fieldCount) PickVariable(dialog, id - 300);
    else if (id >= 400 && id < 400 + g_fieldCount) Browse(dialog, id - 400);
    else if (id >= 700 && id < 700 + g_fieldCount) PickObject(dialog, id - 700);
    else if (id == IDOK) {
        WriteBack(dialog);
        EndDialog(dialog, IDOK);
    } else if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
    else return false;
    return true;
}

INT_PTR CALLBACK EditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        InitEditor(dialog, reinterpret_cast<EditorRequest*>(lParam));
        return TRUE;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != static_cast<UINT>(kHelpPanelId)) return FALSE;
        DrawHelpPanel(item);
        return TRUE;
    }
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

bool RunActionEditor(int id, char** params) {
    EditorTemplate tmpl;
    ZeroMemory(&tmpl, sizeof tmpl);
    tmpl.head.style = 0x80C80880;  // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_MODALFRAME
    tmpl.head.cx = 240;
    tmpl.head.cy = 200;
    // menu, window class and title words stay 0: none, the default class, "".
    EditorRequest request = {id, params};
    INT_PTR result = DialogBoxIndirectParamA(static_cast<HINSTANCE>(g_host.moduleHandle), &tmpl.head,
                                             GetActiveWindow(), EditorProc, reinterpret_cast<LPARAM>(&request));
    g_request = nullptr;
    if (g_folderIcon) {
        DestroyIcon(g_folderIcon);
        g_folderIcon = nullptr;
    }
    return result == IDOK;
}

void DeleteEditorGdiObjects() {
    HGDIOBJ objects[] = {g_messageFont, g_boldFont, g_helpBrush, g_editorBitmap};
    for (HGDIOBJ o : objects)
        if (o) DeleteObject(o);
    g_messageFont = g_boldFont = nullptr;
    g_helpBrush = nullptr;
    g_editorBitmap = nullptr;
    g_bitmapTried = false;
}
