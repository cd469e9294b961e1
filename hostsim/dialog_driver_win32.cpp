// Dialog steps from a thread timer: the timer fires inside whatever modal
// loop the plug-in runs (dialog box, its own message loop, a message box or
// a common dialog), so the steps reach the window that is open at the time.
#include <windows.h>
#include <string>
#include "hostsim/dialog_driver.h"

namespace {

struct Driver {
    const std::vector<DialogStep>* steps;
    size_t next = 0;
    DWORD deadline = 0;
    unsigned timeoutMs = 0;
    bool inStep = false;
    bool givingUp = false;
    std::string failures;
};
Driver* g_driver = nullptr;

struct Newest {
    HWND window;
};

BOOL CALLBACK PickWindow(HWND window, LPARAM p) {
    // Z-order puts the newest modal window first; its owners are disabled.
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    reinterpret_cast<Newest*>(p)->window = window;
    return FALSE;
}

HWND NewestWindow() {
    Newest found = {nullptr};
    EnumThreadWindows(GetCurrentThreadId(), PickWindow, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

std::string WindowText(HWND window) {
    char text[1024] = {0};
    if (window) GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string Describe(const DialogStep& s) {
    static const char* const names[] = {"SetText", "Choose", "Press", "Close", "Wait", "Expect", "ExpectSel", "Check"};
    return std::string(names[s.kind]) + " " + std::to_string(s.control) + (s.text.empty() ? "" : " \"" + s.text + "\"");
}

// Choose and ExpectSel work on list boxes as on combo boxes.
bool IsListBox(HWND control) {
    char cls[16] = {0};
    GetClassNameA(control, cls, sizeof cls);
    return lstrcmpiA(cls, "ListBox") == 0;
}

// Applies one step to `top`; false when it has to wait for a later tick.
bool Apply(const DialogStep& s, HWND top, std::string& failure) {
    HWND control = s.control ? GetDlgItem(top, s.control) : nullptr;
    bool needsControl = s.kind == DialogStep::SetText || s.kind == DialogStep::Choose || s.kind == DialogStep::Press ||
                        s.kind == DialogStep::Expect || s.kind == DialogStep::ExpectSel;
    if (needsControl && !control) return false;  // not this window (yet)
    switch (s.kind) {
    case DialogStep::SetText:
        SetWindowTextA(control, s.text.c_str());
        break;
    case DialogStep::Choose:
        // LBN_SELCHANGE and CBN_SELCHANGE are the same code.
        SendMessageA(control, IsListBox(control) ? LB_SETCURSEL : CB_SETCURSEL, s.index, 0);
        SendMessageA(top, WM_COMMAND, MAKEWPARAM(s.control, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        break;
    case DialogStep::Press:
        PostMessageA(top, WM_COMMAND, MAKEWPARAM(s.control, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        break;
    case DialogStep::Close:
        PostMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case DialogStep::Wait:
        return WindowText(top) == s.text;
    case DialogStep::Expect: {
        std::string text = WindowText(control);
        if (text != s.text) failure = "control " + std::to_string(s.control) + " shows \"" + text + "\", expected \"" + s.text + "\"";
        break;
    }
    case DialogStep::ExpectSel: {
        int sel = static_cast<int>(SendMessageA(control, IsListBox(control) ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
        if (sel != s.index)
            failure = "list " + std::to_string(s.control) + " selects " + std::to_string(sel) + ", expected " + std::to_string(s.index);
        break;
    }
    case DialogStep::Check:
        if (s.check) failure = s.check(reinterpret_cast<intptr_t>(top));
        break;
    }
    return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Driver* d = g_driver;
    if (!d || d->inStep) return;
    d->inStep = true;
    HWND top = NewestWindow();
    if (d->givingUp) {
        // Close whatever is open, never the process: a tool may be starting.
        if (top) PostMessageA(top, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else if (d->next < d->steps->size()) {
        const DialogStep& s = (*d->steps)[d->next];
        std::string failure;
        if (top && Apply(s, top, failure)) {
            if (!failure.empty()) d->failures += "step " + std::to_string(d->next + 1) + ": " + failure + "\n";
            ++d->next;
            d->deadline = GetTickCount() + d->timeoutMs;
        } else if (static_cast<int>(GetTickCount() - d->deadline) > 0) {
            d->failures += "step " + std::to_string(d->next + 1) + " (" + Describe(s) + ") could not be done; window \"" +
                           WindowText(top) + "\"\n";
            d->givingUp = true;
        }
    } else if (static_cast<int>(GetTickCount() - d->deadline) > 0) {
        d->failures += "the window stayed open after the last step\n";
        d->givingUp = true;
    }
    d->inStep = false;
}

}  // namespace

std::string DriveDialogs(const std::vector<DialogStep>& steps, const std::function<void()>& call, unsigned timeoutMs) {
    if (steps.empty()) {
        call();
        return std::string();
    }
    Driver driver;
    driver.steps = &steps;
    driver.timeoutMs = timeoutMs;
    driver.deadline = GetTickCount() + timeoutMs;
    Driver* outer = g_driver;
    g_driver = &driver;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    call();
    KillTimer(nullptr, timer);
    g_driver = outer;
    if (driver.next < steps.size() && !driver.givingUp)
        driver.failures += "the call returned before step " + std::to_string(driver.next + 1) + " (" +
                           Describe(steps[driver.next]) + ")\n";
    return driver.failures;
}
