// The timeline's three modal dialogs: a list to pick an entry of a fixed
// table, the transition dialog and the text overlay dialog. On Windows they
// are built from in-memory templates; the native build has none, and callers
// report `TimelineDialogsRefusal()` instead of opening one. What the dialogs
// make of typed values, and their priming from a clip: dialog_values.h.
#pragma once
#include <cstdint>
#include "host/outcome.h"
#include "timeline/timeline_tables.h"

// Done where the dialogs exist, else refused with the message to report.
Outcome TimelineDialogsRefusal();

// Shows `table` under `title`; true with the chosen index when OK (or a
// double-click) chose an entry.
bool PickFromList(const char* title, const NamedEntry* table, int& chosen);

struct TransitionDialogState {
    int chosen;               // index into kTransitionDisplayTable, -1 none
    bool applyEnd;            // "End" checked
    double duration;          // seconds
    bool ok;                  // OK pressed
    char currentName[32];     // xfade name to preselect
};
// The one set kept between uses for the plug-in's life.
TransitionDialogState& SharedTransitionDialogState();
// Runs the dialog; `state.ok` tells whether OK was pressed.
void PickTransition(TransitionDialogState& state);

struct TextOverlayDialogState {
    char text[256];
    int fontSize;
    int x, y;          // pixels, or -1 centre / -2 far edge
    uint32_t colour;   // 0x00BBGGRR
    double duration;   // seconds
    bool ok;
};
void EditTextOverlay(TextOverlayDialogState& state);
