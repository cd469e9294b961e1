// Steps for the dialog driver (hostsim/dialog_driver.h) as the Win32 checks
// write them, and where a dialog's controls sit.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "hostsim/dialog_driver.h"

inline DialogStep Step(DialogStep::Kind kind, int control, const std::string& text, int index) {
    DialogStep s{kind};
    s.control = control;
    s.text = text;
    s.index = index;
    return s;
}
inline DialogStep SetText(int id, const std::string& text) { return Step(DialogStep::SetText, id, text, 0); }
inline DialogStep Expect(int id, const std::string& text) { return Step(DialogStep::Expect, id, text, 0); }
inline DialogStep Choose(int id, int index) { return Step(DialogStep::Choose, id, "", index); }
inline DialogStep ExpectSel(int id, int index) { return Step(DialogStep::ExpectSel, id, "", index); }
inline DialogStep Press(int id) { return Step(DialogStep::Press, id, "", 0); }
inline DialogStep Close() { return Step(DialogStep::Close, 0, "", 0); }
inline DialogStep Wait(const std::string& title) { return Step(DialogStep::Wait, 0, title, 0); }
// Runs `check` on the newest window; it returns "" or what is wrong.
inline DialogStep Inspect(std::function<std::string(HWND)> check) {
    DialogStep s = Step(DialogStep::Check, 0, "", 0);
    s.check = [check](intptr_t window) { return check(reinterpret_cast<HWND>(window)); };
    return s;
}

// A control's rectangle in the dialog's client coordinates; empty when missing.
inline RECT ChildRect(HWND dialog, int id) {
    RECT r = {0, 0, 0, 0};
    HWND child = GetDlgItem(dialog, id);
    if (!child) return r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
