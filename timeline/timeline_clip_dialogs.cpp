#include "timeline/timeline_clip_dialogs.h"
#include "host/text_util.h"
#include "timeline/dialog_values.h"

namespace {

const int kDefaultFontSize = 48;

}  // namespace

void ApplyEffectEntry(NleClip& clip, const NamedEntry& entry, NleColor trackColour) {
    SetField(clip.filter, entry.value);
    SetField(clip.label, entry.name);
    clip.color = trackColour;
}

void PrimeTransitionDialog(const NleClip& clip, TransitionDialogState& state) {
    PrimeTransitionDialog(state, clip.transIn, clip.transInDur);
}

bool ApplyTransitionDialog(NleClip& clip, const TransitionDialogState& state) {
    std::string transIn = PickedTransIn(state);
    if (!state.ok || transIn.empty()) return false;
    SetField(clip.transIn, transIn);
    clip.transInDur = PickedTransInDuration(state);
    return true;
}

void RemoveClipTransition(NleClip& clip) {
    clip.transIn[0] = '\0';
    clip.transInDur = 0;
}

void PrimeTextDialog(const NleClip& clip, TextOverlayDialogState& state) {
    SetField(state.text, clip.text);
    state.fontSize = clip.fontSize > 0 ? clip.fontSize : kDefaultFontSize;
    state.x = clip.textX;
    state.y = clip.textY;
    state.colour = clip.textColor;
    state.duration = clip.duration;
    state.ok = false;
}

void ApplyTextDialog(NleClip& clip, const TextOverlayDialogState& state) {
    SetField(clip.text, state.text);
    SetField(clip.label, state.text);
    clip.fontSize = state.fontSize;
    clip.textX = state.x;
    clip.textY = state.y;
    clip.textColor = state.colour;
    clip.duration = clip.srcOut = state.duration;
}
