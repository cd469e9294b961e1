// How the timeline window fills its dialogs from a clip and writes their
// answers back: the effect list, the transition dialog and the text overlay
// dialog. Plain records only; the window opens the dialogs without its lock
// and applies the answer under it.
#pragma once
#include "timeline/timeline_dialogs.h"
#include "timeline/timeline_model.h"

// "Change Effect": the clip takes the entry's filter and name and the track's colour.
void ApplyEffectEntry(NleClip& clip, const NamedEntry& entry, NleColor trackColour);

// The transition dialog shows the clip's transition: an exit ("out:name")
// checks "End" and preselects the name; the duration, or 1 s when none.
void PrimeTransitionDialog(const NleClip& clip, TransitionDialogState& state);
// OK with an entry chosen: the entry's xfade name ("out:" before it for
// "End"), the duration or 0.5 s when it is 0.1 s or less. False (nothing
// changed) when the dialog was cancelled or chose nothing.
bool ApplyTransitionDialog(NleClip& clip, const TransitionDialogState& state);
void RemoveClipTransition(NleClip& clip);

// The text overlay dialog filled from a text clip, and its OK written back.
void PrimeTextDialog(const NleClip& clip, TextOverlayDialogState& state);
void ApplyTextDialog(NleClip& clip, const TextOverlayDialogState& state);
