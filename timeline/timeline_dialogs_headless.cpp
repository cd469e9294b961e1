// The native build has no dialogs: nothing opens and nothing is chosen.
#include "timeline/timeline_dialogs.h"

const char* TimelineDialogsRefusal() { return "Dialogs are not available in this build."; }

bool PickFromList(const char*, const NamedEntry*, int& chosen) {
    chosen = -1;
    return false;
}

TransitionDialogState& SharedTransitionDialogState() {
    static TransitionDialogState state = {-1, false, 1.0, false, ""};
    return state;
}

void PickTransition(TransitionDialogState& state) { state.ok = false; }

void EditTextOverlay(TextOverlayDialogState& state) { state.ok = false; }
