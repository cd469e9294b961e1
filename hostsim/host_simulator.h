// A stand-in for the authoring host: loads the plug-in through its eight
// exports, answers the five callbacks, keeps variables and named Rectangles,
// and calls actions by name the way a publication's script does.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct RegisteredAction {
    int id;
    std::string name;
    std::string hint;
    std::vector<unsigned char> types;
    int count;
    int count2;
};

class HostSimulator {
public:
    HostSimulator();
    ~HostSimulator();

    // Loads the library and resolves the exports; false with a reason.
    bool Load(const std::string& pluginPath, std::string* error = nullptr);
    // nbInitPlugIn, then nbRegisterPlugIn; with `withScriptAndAccess` also
    // the script processor and interface access callbacks.
    void Init(bool withScriptAndAccess = true);
    void RegisterOnly(bool addAction, bool variables);  // finer control for entry-point tests
    void RegisterScriptProcessor();
    void RegisterInterfaceAccess();
    void Unload();
    bool Loaded() const { return module_ != nullptr; }

    // Variables, names with their brackets.
    void SetVar(const std::string& name, const std::string& value);
    std::string Var(const std::string& name) const;
    bool HasVar(const std::string& name) const;
    void ClearVars();
    // Every SetVariable call in order.
    const std::vector<std::pair<std::string, std::string>>& Writes() const { return writes_; }
    std::vector<std::string> WritesOf(const std::string& name) const;
    void ClearWrites() { writes_.clear(); }

    // Actions.
    const std::vector<RegisteredAction>& Actions() const { return actions_; }
    int ActionId(const std::string& name) const;  // 0 when unknown (case-insensitive)
    // Calls an action by name with text parameters; false when the name is unknown.
    bool Call(const std::string& name, const std::vector<std::string>& args);
    unsigned char CallId(int id, char** params);
    unsigned char EditId(int id, char** params);
    int About();
    void Message(int code);

    // Texts handed back by nbInitPlugIn.
    std::string title, publisher, hint;
    int initResult = 0;

    // Named Rectangles: a window of the given client size (a real child
    // window on Windows, a headless window natively).
    intptr_t AddRectangle(const std::string& name, int width, int height);
    intptr_t Rectangle(const std::string& name) const;
    // Answers of interface-access requests other than 7.
    std::map<int, std::string> accessAnswers;
    std::vector<std::pair<int, std::string>> accessRequests;

    // Lines handed to the script processor; when `runScriptLines` is set each
    // line is also run as a script line.
    std::vector<std::string> scriptLines;
    bool runScriptLines = false;

    // Runs script text, one action call per line: `QMT_Name "arg" "arg"`.
    // [Var] references inside arguments are expanded. Other commands:
    //   # comment            (also blank lines)
    //   SetVar [Name] "value"
    //   Print [Name] ...     prints name = value lines
    //   PrintAll             prints every variable
    //   Assert [Name] "expected"   fails the script when the value differs
    //   AssertNot [Name] "text"    fails when the value equals text
    //   Rectangle Name W H    creates a named Rectangle
    //   Message N             sends host message N
    //   Echo text             prints text with variables expanded
    //   Dialog ... / Edit ...  drive the plug-in's dialogs (hostsim/dialog_driver.h)
    //   Click, DoubleClick, RightClick, Hover, Drag, Wheel, Key, Tick, Capture
    //                         drive the plug-in's window in a Rectangle
    //                         (window_commands.cpp)
    //   MciClock MS           steps the native MCI stand-in's clock by MS
    //   MciLog                prints the MCI commands sent since the last MciLog
    //   Sleep MS              waits MS milliseconds, dispatching window messages
    //   ThreadTick [N]        fires the plug-in's thread timers N times (natively), e.g.
    //                         the timeline preview's; with MciClock the playhead runs
    // Returns 0 on success; on an error writes "line N: reason" to `error`.
    int RunScript(const std::string& text, std::string* output, std::string* error);
    // Runs one line; false with a reason on an error.
    bool RunLine(const std::string& line, std::string* output, std::string* error);
    std::string Expand(const std::string& text) const;

    // Callback bodies (public so the C callbacks can reach them).
    void OnAddAction(int id, const char* name, const char* hint, const unsigned char* types, int count, int count2);
    void OnGetVariable(const char* name, char** value);
    void OnSetVariable(const char* name, const char* value);
    void OnScript(const char* line);
    int OnInterfaceAccess(int code, char** text);

private:
    void* module_ = nullptr;
    void* exports_[8] = {};
    std::vector<RegisteredAction> actions_;
    std::map<std::string, std::string> vars_;  // key: lower-case name
    std::map<std::string, std::string> names_; // lower-case -> as first written
    std::vector<std::pair<std::string, std::string>> writes_;
    std::string getBuffer_;
    std::map<std::string, intptr_t> rectangles_;  // key: lower-case name
    intptr_t hostWindow_ = 0;
    int scriptDepth_ = 0;
};

// Splits a script line into words: double-quoted texts (a quoted text runs to
// the next quote, as in the host's scripts, so Windows paths need no escapes)
// or bare words. False when a quote is not closed.
bool SplitScriptLine(const std::string& line, std::vector<std::string>& words, std::string* error);

// The window-driving commands; `handled` is false for any other command.
bool RunWindowCommand(HostSimulator& host, const std::vector<std::string>& words, std::string* error, bool& handled);
