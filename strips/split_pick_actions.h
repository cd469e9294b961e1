// Actions 189 and 192: a transition for the selected split picked in a
// dialog, then set as `QMT_SplitSetTransition` / `QMT_SplitSetTransitionOut`
// would set it.
#pragma once
#include "host/dispatch.h"

void SplitPickTransitionAction(const ActionArgs& a);     // 189 FSRect
void SplitPickTransitionOutAction(const ActionArgs& a);  // 192 FSRect

// The "Select Transition" dialog. On OK it writes "[QMT_PickedTransition]"
// ("none" for a plain cut) and "[QMT_PickedDuration]" and returns true;
// Cancel and the close box write nothing. The native build opens nothing.
bool PickTransitionDialog();
