// The dispatch table of action ids 1..220 and the view handlers get of the
// host's parameter array.
#pragma once
#include <string>

struct ActionArgs {
    char** params;  // may be null; entries may be null
    // Parameter i (0-based) as text; a null array or entry reads as "".
    std::string text(int i) const {
        if (!params || !params[i]) return std::string();
        return std::string(params[i]);
    }
    const char* raw(int i) const { return (params && params[i]) ? params[i] : ""; }
};

typedef void (*ActionHandler)(const ActionArgs& args);

const int kMaxActionId = 220;

// Called by the subsystems' registration functions below.
void RegisterAction(int id, ActionHandler handler);
// Runs the handler of `id`; ids outside 1..220 or without a handler do nothing.
void DispatchAction(int id, char** params);
bool HasHandler(int id);

// One per subsystem; each fills in its own ids.
void RegisterToolchainActions();
void RegisterOperationActions();
void RegisterTransitionActions();
void RegisterPlaybackActions();
void RegisterStripActions();
void RegisterTimelineActions();
