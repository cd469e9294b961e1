// Drives the plug-in's dialogs and windows while a blocking call (an editor,
// an action with its own message loop) runs: steps are applied one per timer
// tick to the newest enabled window of the thread, the way a person would.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class HostSimulator;

struct DialogStep {
    enum Kind {
        SetText,    // control's text = text
        Choose,     // select list entry `index` and tell the window, as a click does
        Press,      // click button `control`
        Close,      // the close box
        Wait,       // until the newest window's title is `text`
        Expect,     // control's text must be `text`
        ExpectSel,  // list's selection must be `index`
        Check,      // `check` is called with the window; it returns "" or a failure
    } kind;
    int control = 0;
    std::string text;
    int index = 0;
    std::function<std::string(intptr_t window)> check;
};

// Runs `call` while the steps are applied. A step that cannot be done within
// `timeoutMs` fails; the driver then presses Cancel on whatever is open until
// `call` returns. Returns "" or the failures, one per line.
std::string DriveDialogs(const std::vector<DialogStep>& steps, const std::function<void()>& call,
                         unsigned timeoutMs = 15000);

// Script commands (see HostSimulator::RunScript):
//   Dialog SetText ID "text" | Choose ID N | Press ID | Close | Wait "title" |
//          Expect ID "text" | ExpectSel ID N      queue a step for the next call
//   AccessAnswer CODE "text"   the host's answer to interface-access requests
//   Edit QMT_Name "p1" NULL ...   opens the parameter editor (NULL = no text) with
//          the queued steps; sets [EditResult] and [EditParam1]...
// An action call made while steps are queued runs with them.
// True when `words` was one of these commands; `ok` and `error` tell the outcome.
bool RunDialogCommand(HostSimulator& host, const std::vector<std::string>& words, std::string* error, bool& ok);
bool HasQueuedDialogSteps();
// Makes the action call with the queued steps; false with the failures.
bool CallWithDialogSteps(HostSimulator& host, const std::string& action, const std::vector<std::string>& args,
                         std::string* error);
