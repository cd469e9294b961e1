#include "timeline/timeline_clip_dialogs.h"
#include <cstring>
#include "host/text_util.h"
#include "timeline/timeline_paint.h"

namespace {

const double kDefaultTransitionSeconds = 1.0;
const double kShortestTransition = 0.1;    // a duration at or below this is not meant
const double kFallbackTransition = 0.5;    // and becomes this
const int kDefaultFontSize = 48;

}  // namespace

void ApplyEffectEntry(NleClip& clip, const NamedEntry& entry, NleColor trackColour) {
    SetField(clip.filter, entry.value);
    SetField(clip.label, entry.name);
    clip.color = trackColour;
}

void PrimeTransitionDialog(const NleClip& clip, TransitionDialogState& state) {
    state.applyEnd = IsExitTransition(clip.transIn);
    SetField(state.currentName, state.applyEnd ? clip.transIn + strlen("out:") : clip.transIn);
    state.duration = clip.transInDur > 0 ? clip.transInDur : kDefaultTransitionSeconds;
    state.ok = false;
}

bool ApplyTransitionDialog(NleClip& clip, const TransitionDialogState& state) {
    if (!state.ok || state.chosen < 0 || state.chosen >= NamedEntryCount(kTransitionDisplayTable)) return false;
    const char* name = kTransitionDisplayTable[state.chosen].value;
    SetField(clip.transIn, state.applyEnd ? Fmt("out:%s", name) : std::string(name));
    clip.transInDur = state.duration > kShortestTransition ? state.duration : kFallbackTransition;
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
