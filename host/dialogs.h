// The two dialogs the host can open: the action parameter editor and the
// about box. Native builds have no dialogs and answer "cancelled".
#pragma once
#include "host/outcome.h"

// Returns true when the author confirmed with OK.
bool RunActionEditor(int id, char** params);
int RunAboutBox();
// InitCommonControlsEx with the standard classes; its result.
int InitCommonControlsStandard();
// Done where the plug-in can open dialogs, else refused with the message an
// action that needs one reports.
Outcome DialogsRefusal();
