// What the timeline's dialogs show when they open and make of what was
// typed when OK is pressed: the position presets of the text overlay
// dialog, the limits on sizes and durations, and the transition dialog's
// priming from a clip. Both dialog halves and their callers share these.
#pragma once
#include <string>
#include "timeline/timeline_dialogs.h"

// The text overlay dialog's "Pos:" items in list order. Item 0 reads X and Y
// from their boxes; a preset writes its hints into the boxes when chosen and
// gives its position on OK (-1 centres, -2 is the far edge).
struct TextPositionPreset {
    const char* item;
    const char* hintX;
    const char* hintY;
    int x, y;
};
const int kTextPositionCount = 8;
extern const TextPositionPreset kTextPositions[kTextPositionCount];

const int kMinTextDialogFontSize = 8;
const int kMaxTextDialogFontSize = 200;

// The font size box's number held within 8 to 200.
int TextDialogFontSize(const std::string& text);
// The duration box's whole number, at least 1.
int TextDialogDuration(const std::string& text);
// The position OK gives for list item `item` (-1 when nothing is selected).
void TextDialogPosition(int item, const std::string& xText, const std::string& yText, int& x, int& y);

// The transition dialog's duration box: the first 31 characters read as a
// number; below 0.1 it becomes 0.5.
double TransitionDialogDuration(const std::string& text);
// The list entry the transition dialog selects when it opens.
int TransitionPreselection(const TransitionDialogState& state);
// Primes the state from a clip: an "out:" prefix marks an exit transition
// ("End"); a duration not above 0 shows 1.0.
void PrimeTransitionDialog(TransitionDialogState& state, const std::string& transIn, double transInDur);
// The clip's `transIn` after OK on entry `state.chosen`: the xfade name,
// "out:" before it when "End" was checked; "" when no entry was chosen.
std::string PickedTransIn(const TransitionDialogState& state);
// The clip's `transInDur` after OK: the dialog's duration when above 0.1,
// else 0.5.
double PickedTransInDuration(const TransitionDialogState& state);

// The text overlay dialog's state as action 220 opens it.
TextOverlayDialogState NewTextOverlayState();
