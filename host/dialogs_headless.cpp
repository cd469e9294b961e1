// Native build: there is no window system, so the editor and the about box
// report "cancelled" and the common controls need no set-up.
#include "host/dialogs.h"
#include "host/messages.h"
#include "host/teardown.h"

bool RunActionEditor(int, char**) { return false; }
int RunAboutBox() { return 0; }
int InitCommonControlsStandard() { return 1; }
Outcome DialogsRefusal() { return Failed(msg::kNoDialogs); }
void DeleteLongLivedGdiObjects() {}
