#include "host/host_state.h"

HostState g_host = {};

void SetHostVar(const std::string& name, const std::string& value) {
    SetVariableProc set = g_host.setVariable;
    if (set) set(name.c_str(), value.c_str());
}

std::string GetHostVar(const std::string& name) {
    GetVariableProc get = g_host.getVariable;
    if (!get) return std::string();
    char* value = nullptr;
    get(name.c_str(), &value);
    return value ? std::string(value) : std::string();
}

bool HasGetVariable() { return g_host.getVariable != nullptr; }

bool RunHostScript(const std::string& line) {
    ScriptProcessorProc run = g_host.scriptProcessor;
    if (!run) return false;
    run(line.c_str());
    return true;
}

bool HasScriptProcessor() { return g_host.scriptProcessor != nullptr; }
