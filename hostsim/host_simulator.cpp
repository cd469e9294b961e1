// The host side of the plug-in interface: exports, callbacks, variables and
// Rectangles. Script running lives in script_runner.cpp.
#include "hostsim/host_simulator.h"
#include <algorithm>
#include <cstring>
#include "host/plugin_api.h"
#include "hostsim/host_os.h"

namespace {

HostSimulator* g_active = nullptr;  // callbacks carry no context, so one host is active

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

void QMT_CALL CbAddAction(int32_t id, const char* name, const char* hint, const unsigned char* types, int32_t count,
                          int32_t count2) {
    if (g_active) g_active->OnAddAction(id, name, hint, types, count, count2);
}
void QMT_CALL CbGetVariable(const char* name, char** value) {
    if (g_active) g_active->OnGetVariable(name, value);
}
void QMT_CALL CbSetVariable(const char* name, const char* value) {
    if (g_active) g_active->OnSetVariable(name, value);
}
void QMT_CALL CbScript(const char* line) {
    if (g_active) g_active->OnScript(line);
}
int32_t QMT_CALL CbInterfaceAccess(int32_t code, char** text) { return g_active ? g_active->OnInterfaceAccess(code, text) : 0; }

const char* const kExportNames[8] = {"_nbAbout",   "_nbEditAction",   "_nbExecAction",
                                     "_nbInitPlugIn", "_nbMessage", "_nbRegisterInterfaceAccess",
                                     "_nbRegisterPlugIn", "_nbRegisterScriptProcessor"};
enum { kAbout, kEdit, kExec, kInit, kMessage, kRegAccess, kRegPlugIn, kRegScript };

typedef int32_t(QMT_CALL* AboutFn)();
typedef unsigned char(QMT_CALL* ActionFn)(int32_t, char**);
typedef int32_t(QMT_CALL* InitFn)(void*, char**, char**, char**);
typedef void(QMT_CALL* MessageFn)(int32_t, int32_t);
typedef void*(QMT_CALL* RegAccessFn)(InterfaceAccessProc);
typedef void(QMT_CALL* RegPlugInFn)(AddActionProc, void*, GetVariableProc, SetVariableProc);
typedef void*(QMT_CALL* RegScriptFn)(ScriptProcessorProc);

}  // namespace

HostSimulator::HostSimulator() { g_active = this; }

HostSimulator::~HostSimulator() {
    Unload();
    if (g_active == this) g_active = nullptr;
}

bool HostSimulator::Load(const std::string& pluginPath, std::string* error) {
    g_active = this;
    module_ = OsLoadLibrary(pluginPath, error);
    if (!module_) return false;
    for (int i = 0; i < 8; ++i) {
        exports_[i] = OsFindSymbol(module_, kExportNames[i]);
        if (!exports_[i]) {
            if (error) *error = std::string("export missing: ") + kExportNames[i];
            OsFreeLibrary(module_);
            module_ = nullptr;
            return false;
        }
    }
    // The native library may still be mapped from an earlier load; start it
    // from its first-load state, as loading the DLL does on Windows.
    typedef void (*ResetFn)();
    if (ResetFn reset = reinterpret_cast<ResetFn>(OsFindSymbol(module_, "qmt_reset_plugin_tables"))) reset();
    return true;
}

void HostSimulator::Init(bool withScriptAndAccess) {
    hostWindow_ = OsHostWindow();
    char* texts[3] = {nullptr, nullptr, nullptr};
    initResult = reinterpret_cast<InitFn>(exports_[kInit])(reinterpret_cast<void*>(hostWindow_), &texts[0], &texts[1],
                                                           &texts[2]);
    std::string* outs[3] = {&title, &publisher, &hint};
    for (int i = 0; i < 3; ++i) {
        *outs[i] = texts[i] ? texts[i] : "";
        if (texts[i] && OsHeapValid(texts[i])) OsHeapFree(texts[i]);
    }
    RegisterOnly(true, true);
    if (withScriptAndAccess) {
        RegisterScriptProcessor();
        RegisterInterfaceAccess();
    }
}

void HostSimulator::RegisterOnly(bool addAction, bool variables) {
    actions_.clear();
    reinterpret_cast<RegPlugInFn>(exports_[kRegPlugIn])(addAction ? CbAddAction : nullptr, nullptr,
                                                         variables ? CbGetVariable : nullptr,
                                                         variables ? CbSetVariable : nullptr);
}

void HostSimulator::RegisterScriptProcessor() { reinterpret_cast<RegScriptFn>(exports_[kRegScript])(CbScript); }

void HostSimulator::RegisterInterfaceAccess() {
    reinterpret_cast<RegAccessFn>(exports_[kRegAccess])(CbInterfaceAccess);
}

void HostSimulator::Unload() {
    if (!module_) return;
    OsFreeLibrary(module_);
    module_ = nullptr;
    for (auto& entry : rectangles_) OsDestroyWindow(entry.second);
    rectangles_.clear();
}

void HostSimulator::SetVar(const std::string& name, const std::string& value) {
    std::string key = Lower(name);
    vars_[key] = value;
    if (!names_.count(key)) names_[key] = name;
}

std::string HostSimulator::Var(const std::string& name) const {
    auto it = vars_.find(Lower(name));
    return it == vars_.end() ? std::string() : it->second;
}

bool HostSimulator::HasVar(const std::string& name) const { return vars_.count(Lower(name)) != 0; }

void HostSimulator::ClearVars() {
    vars_.clear();
    names_.clear();
}

std::vector<std::string> HostSimulator::WritesOf(const std::string& name) const {
    std::vector<std::string> values;
    std::string key = Lower(name);
    for (auto& w : writes_)
        if (Lower(w.first) == key) values.push_back(w.second);
    return values;
}

int HostSimulator::ActionId(const std::string& name) const {
    std::string key = Lower(name);
    for (auto& a : actions_)
        if (a.id != 0 && Lower(a.name) == key) return a.id;
    return 0;
}

bool HostSimulator::Call(const std::string& name, const std::vector<std::string>& args) {
    int id = ActionId(name);
    if (id == 0) return false;
    std::vector<std::string> copies = args;
    std::vector<char*> params;
    for (auto& s : copies) params.push_back(&s[0]);
    // A few spare null entries: a handler reading past the given arguments sees "".
    for (int i = 0; i < 8; ++i) params.push_back(nullptr);
    CallId(id, params.data());
    return true;
}

unsigned char HostSimulator::CallId(int id, char** params) {
    return reinterpret_cast<ActionFn>(exports_[kExec])(id, params);
}

unsigned char HostSimulator::EditId(int id, char** params) {
    return reinterpret_cast<ActionFn>(exports_[kEdit])(id, params);
}

int HostSimulator::About() { return reinterpret_cast<AboutFn>(exports_[kAbout])(); }

void HostSimulator::Message(int code) { reinterpret_cast<MessageFn>(exports_[kMessage])(code, 0); }

intptr_t HostSimulator::AddRectangle(const std::string& name, int width, int height) {
    if (!hostWindow_) hostWindow_ = OsHostWindow();
    std::string key = Lower(name);
    auto it = rectangles_.find(key);
    if (it != rectangles_.end()) OsDestroyWindow(it->second);
    intptr_t window = OsCreateRectangle(hostWindow_, width, height);
    rectangles_[key] = window;
    return window;
}

intptr_t HostSimulator::Rectangle(const std::string& name) const {
    auto it = rectangles_.find(Lower(name));
    return it == rectangles_.end() ? 0 : it->second;
}

void HostSimulator::OnAddAction(int id, const char* name, const char* hintText, const unsigned char* types, int count,
                                int count2) {
    RegisteredAction a;
    a.id = id;
    a.name = name ? name : "";
    a.hint = hintText ? hintText : "";
    for (int i = 0; i < count && types; ++i) a.types.push_back(types[i]);
    a.count = count;
    a.count2 = count2;
    actions_.push_back(a);
}

void HostSimulator::OnGetVariable(const char* name, char** value) {
    auto it = vars_.find(Lower(name ? name : ""));
    if (it == vars_.end()) return;  // no value: the pointer stays as the plug-in set it
    getBuffer_ = it->second;
    *value = &getBuffer_[0];
}

void HostSimulator::OnSetVariable(const char* name, const char* value) {
    std::string n = name ? name : "";
    std::string v = value ? value : "";
    writes_.emplace_back(n, v);
    SetVar(n, v);
}

void HostSimulator::OnScript(const char* line) {
    std::string text = line ? line : "";
    scriptLines.push_back(text);
    if (runScriptLines && scriptDepth_ < 4) {
        ++scriptDepth_;
        std::string out, err;
        RunLine(text, &out, &err);
        --scriptDepth_;
    }
}

int HostSimulator::OnInterfaceAccess(int code, char** text) {
    std::string in = (text && *text) ? *text : "";
    accessRequests.emplace_back(code, in);
    if (code == 7) {
        intptr_t window = Rectangle(in);
        if (!window) return 0;
        // Answer in a fresh heap block, the way the real host may replace it.
        std::string answer = std::to_string(static_cast<long long>(window));
        if (text && *text && OsHeapValid(*text)) OsHeapFree(*text);
        char* block = OsHeapAlloc(answer.size() + 1);
        memcpy(block, answer.c_str(), answer.size() + 1);
        *text = block;
        return 1;
    }
    auto it = accessAnswers.find(code);
    if (it == accessAnswers.end() || !text || !*text) return 0;
    strncpy(*text, it->second.c_str(), 255);
    return 1;
}
