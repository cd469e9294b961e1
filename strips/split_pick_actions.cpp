#include "strips/split_pick_actions.h"
#include <string>
#include "host/dialogs.h"
#include "host/report.h"
#include "strips/split_actions.h"

namespace {

void PickFor(const ActionArgs& a, bool exitTransition) {
    std::string fsRect = a.text(0);
    Outcome refusal = PickTransitionRefusal(fsRect, exitTransition);
    if (refusal.ok) refusal = DialogsRefusal();
    if (!refusal.ok) return ReportFailure(refusal);
    // The strip's lock is not held while the dialog is open.
    if (PickTransitionDialog()) ApplyPickedTransition(fsRect, exitTransition);
}

}  // namespace

void SplitPickTransitionAction(const ActionArgs& a) { PickFor(a, false); }

void SplitPickTransitionOutAction(const ActionArgs& a) { PickFor(a, true); }
