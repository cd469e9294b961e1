#include "timeline/dialog_values.h"
#include <cstdlib>
#include <cstring>
#include "host/dialogs.h"
#include "host/text_util.h"
#include "timeline/timeline_model.h"

const TextPositionPreset kTextPositions[kTextPositionCount] = {
    {"Custom (use X/Y)", "", "", 0, 0},
    {"Top Left", "20", "20", 20, 20},
    {"Top Center", "0", "20", -1, 20},
    {"Top Right", "0", "20", -2, 20},
    {"Center", "0", "0", -1, -1},
    {"Bottom Left", "20", "0", 20, -2},
    {"Bottom Center", "0", "0", -1, -2},
    {"Bottom Right", "0", "0", -2, -2},
};

namespace {

const size_t kDurationChars = 31;
const double kMinTransitionDuration = 0.1;
const double kShortTransitionDuration = 0.5;

}  // namespace

Outcome TimelineDialogsRefusal() { return DialogsRefusal(); }

TransitionDialogState& SharedTransitionDialogState() {
    static TransitionDialogState state = {-1, false, 1.0, false, ""};
    return state;
}

int TextDialogFontSize(const std::string& text) {
    int size = atoi(text.c_str());
    if (size < kMinTextDialogFontSize) return kMinTextDialogFontSize;
    if (size > kMaxTextDialogFontSize) return kMaxTextDialogFontSize;
    return size;
}

int TextDialogDuration(const std::string& text) {
    int seconds = atoi(text.c_str());
    return seconds < 1 ? 1 : seconds;
}

void TextDialogPosition(int item, const std::string& xText, const std::string& yText, int& x, int& y) {
    if (item <= 0 || item >= kTextPositionCount) {
        x = atoi(xText.c_str());
        y = atoi(yText.c_str());
        return;
    }
    x = kTextPositions[item].x;
    y = kTextPositions[item].y;
}

double TransitionDialogDuration(const std::string& text) {
    double seconds = atof(text.substr(0, kDurationChars).c_str());
    return seconds < kMinTransitionDuration ? kShortTransitionDuration : seconds;
}

int TransitionPreselection(const TransitionDialogState& state) {
    int index = FindEntryByValue(kTransitionDisplayTable, state.currentName);
    return index < 0 ? 0 : index;
}

void PrimeTransitionDialog(TransitionDialogState& state, const std::string& transIn, double transInDur) {
    size_t prefix = strlen(kExitPrefix);
    state.applyEnd = transIn.compare(0, prefix, kExitPrefix) == 0;
    SetField(state.currentName, state.applyEnd ? transIn.substr(prefix) : transIn);
    state.duration = transInDur > 0 ? transInDur : 1.0;
    state.chosen = -1;
    state.ok = false;
}

std::string PickedTransIn(const TransitionDialogState& state) {
    if (state.chosen < 0 || state.chosen >= NamedEntryCount(kTransitionDisplayTable)) return std::string();
    const char* name = kTransitionDisplayTable[state.chosen].value;
    return CutTo(state.applyEnd ? Fmt("%s%s", kExitPrefix, name) : std::string(name), 32);
}

double PickedTransInDuration(const TransitionDialogState& state) {
    return state.duration > kMinTransitionDuration ? state.duration : kShortTransitionDuration;
}

TextOverlayDialogState NewTextOverlayState() {
    TextOverlayDialogState state;
    memset(&state, 0, sizeof state);
    state.fontSize = 48;
    state.x = state.y = 50;
    state.colour = 0xFFFFFF;
    state.duration = 5;
    return state;
}
