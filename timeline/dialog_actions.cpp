// Actions 219 and 220: an effect or a text picked in a dialog and added at
// the playhead through the same path as action 202.
#include <cmath>
#include <cstring>
#include "host/messages.h"
#include "host/report.h"
#include "timeline/dialog_values.h"
#include "timeline/timeline_actions.h"
#include "timeline/timeline_dialogs.h"
#include "timeline/timeline_model.h"
#include "timeline/timeline_window.h"

namespace {

const double kEffectSeconds = 5;
const double kSameStart = 0.01;

// The timeline, or null after the refusal has been reported: none with that
// name, or no dialogs in this build.
NleTimeline* TimelineForDialog(const std::string& rectName) {
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    Outcome refusal = tl ? TimelineDialogsRefusal() : Failed(msg::kNoTimeline);
    if (refusal.ok) return tl;
    ReportStart();
    ReportFailure(refusal);
    return nullptr;
}

// Read again after a dialog: the timeline may have gone while it was open,
// and then the add reports that.
double PlayheadOf(const std::string& rectName) {
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return 0;
    plat::LockHold held(tl->lock);
    return tl->playhead;
}

// The added text clip takes the dialog's style: on each text track, the
// first clip with that text starting at the playhead.
void StyleTextClips(const std::string& rectName, const TextOverlayDialogState& s, double playhead) {
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return;
    {
        plat::LockHold held(tl->lock);
        for (NleTrack& track : tl->tracks) {
            if (!track.inUse || track.kind != kTrackText) continue;
            for (NleClip& c : track.clips) {
                if (!c.inUse || strcmp(c.text, s.text) != 0 || std::fabs(c.start - playhead) > kSameStart) continue;
                c.fontSize = s.fontSize;
                c.textColor = s.colour;
                c.textX = s.x;
                c.textY = s.y;
                break;
            }
        }
    }
    InvalidateTimelineWindow(tl->window);
}

}  // namespace

void PickEffectAction(const std::string& rectName) {
    if (!TimelineForDialog(rectName)) return;
    int chosen = -1;
    if (!PickFromList("Add Effect", kEffectTable, chosen)) return;
    const NamedEntry& effect = kEffectTable[chosen];
    AddTimelineClip(rectName, "FX", kClipEffect, effect.value, effect.name, PlayheadOf(rectName), kEffectSeconds);
}

void PickTextAction(const std::string& rectName) {
    if (!TimelineForDialog(rectName)) return;
    TextOverlayDialogState state = NewTextOverlayState();
    EditTextOverlay(state);
    if (!state.ok || !state.text[0]) return;
    double playhead = PlayheadOf(rectName);
    if (AddTimelineClip(rectName, "TX", kClipText, state.text, "", playhead, state.duration) < 0) return;
    StyleTextClips(rectName, state, playhead);
}
