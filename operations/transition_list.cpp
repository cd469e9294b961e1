#include "operations/transition_list.h"
#include <cstdlib>
#include <cstring>
#include "host/text_util.h"
#include "operations/transition_types.h"

static TransitionEntry g_entries[kMaxTransitions];
static int g_count = 0;

static double ClampDuration(const std::string& text) {
    double d = atof(text.c_str());  // a non-number reads as 0
    if (d < 0.1) return 0.5;
    if (d > 5.0) return 5.0;
    return d;
}

// Exchange sort: each position against every later one, swapping only when
// strictly later in time, so entries of equal time keep their relative order
// unless a third entry moves between them.
static void SortByTime() {
    for (int i = 0; i < g_count - 1; ++i)
        for (int j = i + 1; j < g_count; ++j)
            if (g_entries[i].time > g_entries[j].time) {
                TransitionEntry t = g_entries[i];
                g_entries[i] = g_entries[j];
                g_entries[j] = t;
            }
}

TransitionAddResult AddTransition(double time, const std::string& type, const std::string& durationText,
                                  int* appendedIndex) {
    if (g_count >= kMaxTransitions) return kTransitionListFull;
    if (!IsKnownTransition(type)) return kTransitionBadType;
    TransitionEntry& e = g_entries[g_count];
    memset(&e, 0, sizeof e);
    e.time = time;
    // Kept as typed, so the list reads back what the author wrote; the render
    // spells it for xfade.
    strncpy(e.type, type.c_str(), sizeof e.type - 1);
    e.duration = ClampDuration(durationText);
    strncpy(e.easing, "linear", sizeof e.easing - 1);
    e.active = true;
    if (appendedIndex) *appendedIndex = g_count;
    ++g_count;
    SortByTime();
    return kTransitionAdded;
}

bool RemoveTransition(int index) {
    if (index < 0 || index >= g_count) return false;
    for (int i = index; i < g_count - 1; ++i) g_entries[i] = g_entries[i + 1];
    --g_count;
    return true;
}

void ClearTransitions() { g_count = 0; }
int TransitionCount() { return g_count; }
const TransitionEntry& TransitionAt(int index) { return g_entries[index]; }

std::string TransitionListText() {
    std::string text;
    for (int i = 0; i < g_count; ++i) {
        if (i) text += ';';
        text += Fmt("%.3f,%s,%.2f", g_entries[i].time, g_entries[i].type, g_entries[i].duration);
    }
    return text;
}

std::string TransitionTypesText() {
    std::string text;
    for (int i = 0; TransitionTypeTable[i]; ++i) {
        if (i) text += ',';
        text += TransitionTypeTable[i];
    }
    return text;
}
