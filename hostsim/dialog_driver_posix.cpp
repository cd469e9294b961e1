// The native build has no dialogs: calls run at once, and steps cannot be done.
#include "hostsim/dialog_driver.h"

std::string DriveDialogs(const std::vector<DialogStep>& steps, const std::function<void()>& call, unsigned) {
    call();
    if (steps.empty()) return std::string();
    return "dialog steps need the Windows build: the native plug-in opens no dialogs";
}
