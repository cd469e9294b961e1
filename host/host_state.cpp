#include "host/host_state.h"
#include <cstring>
#include "platform/platform.h"

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

void PutHeapText(char** slot, const std::string& text) {
    if (!slot) return;
    size_t size = text.size() + 1;
    char* block = (*slot && plat::HostBlockValid(*slot)) ? plat::HostRealloc(*slot, size) : plat::HostAlloc(size);
    *slot = block;
    if (block) memcpy(block, text.c_str(), size);
}
