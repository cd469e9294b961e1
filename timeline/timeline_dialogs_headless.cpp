// The native build has no dialogs: nothing opens and nothing is chosen.
#include "timeline/timeline_dialogs.h"

bool PickFromList(const char*, const NamedEntry*, int& chosen) {
    chosen = -1;
    return false;
}

void PickTransition(TransitionDialogState& state) { state.ok = false; }

void EditTextOverlay(TextOverlayDialogState& state) { state.ok = false; }
