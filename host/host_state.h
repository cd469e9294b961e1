// Plug-in-wide state: the stored host callbacks and window handles, and the
// guarded ways every other file talks to the host.
#pragma once
#include <string>
#include "host/plugin_api.h"

struct HostState {
    void* moduleHandle;
    void* hostWindow;
    AddActionProc addAction;
    GetVariableProc getVariable;
    SetVariableProc setVariable;
    ScriptProcessorProc scriptProcessor;
    InterfaceAccessProc interfaceAccess;
};
extern HostState g_host;

// Each of these silently does nothing when the callback is missing.
void SetHostVar(const std::string& name, const std::string& value);
// The variable's text; "" when it has no value or there is no callback.
std::string GetHostVar(const std::string& name);
bool HasGetVariable();
// Hands one script line to the host; false when no processor is registered.
bool RunHostScript(const std::string& line);
bool HasScriptProcessor();
// Hands a text to the host in a process-heap block: the host's block is
// reallocated when the heap accepts it, else a new one is taken; zero-filled,
// exactly length + 1. A failed allocation leaves the slot null.
void PutHeapText(char** slot, const std::string& text);
