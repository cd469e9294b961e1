#include "host/dispatch.h"
#include "host/teardown.h"

static ActionHandler g_table[kMaxActionId];
static bool g_filled = false;

void RegisterAction(int id, ActionHandler handler) {
    if (id >= 1 && id <= kMaxActionId) g_table[id - 1] = handler;
}

void ResetDispatchTable() {
    for (ActionHandler& h : g_table) h = nullptr;
    g_filled = false;
}

static void FillTable() {
    if (g_filled) return;
    g_filled = true;
    RegisterToolchainActions();
    RegisterOperationActions();
    RegisterTransitionActions();
    RegisterPlaybackActions();
    RegisterStripActions();
    RegisterTimelineActions();
}

bool HasHandler(int id) {
    FillTable();
    unsigned index = static_cast<unsigned>(id) - 1u;
    return index < static_cast<unsigned>(kMaxActionId) && g_table[index] != nullptr;
}

void DispatchAction(int id, char** params) {
    FillTable();
    unsigned index = static_cast<unsigned>(id) - 1u;
    if (index > static_cast<unsigned>(kMaxActionId - 1)) return;
    ActionHandler handler = g_table[index];
    if (!handler) return;
    ActionArgs args{params};
    handler(args);
}
