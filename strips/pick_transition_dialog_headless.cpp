// The native build has no dialogs: nothing is picked.
#include "strips/split_pick_actions.h"

bool PickTransitionDialog() { return false; }
