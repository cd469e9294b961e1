// Running host scripts: one action call or simulator command per line.
#include <cstdlib>
#include <sstream>
#include "hostsim/dialog_driver.h"
#include "hostsim/host_os.h"
#include "hostsim/host_simulator.h"

bool SplitScriptLine(const std::string& line, std::vector<std::string>& words, std::string* error) {
    words.clear();
    size_t i = 0, n = line.size();
    while (i < n) {
        while (i < n && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        if (i >= n) break;
        if (line[i] == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                if (error) *error = "unclosed quote";
                return false;
            }
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            if (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                if (error) *error = "text after a closing quote";
                return false;
            }
        } else {
            size_t end = line.find_first_of(" \t\r", i);
            if (end == std::string::npos) end = n;
            words.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

std::string HostSimulator::Expand(const std::string& text) const {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '[') {
            size_t end = text.find(']', i);
            if (end != std::string::npos) {
                std::string name = text.substr(i, end - i + 1);
                if (HasVar(name)) {
                    out += Var(name);
                    i = end + 1;
                    continue;
                }
            }
        }
        out += text[i++];
    }
    return out;
}

namespace {

// One script line on its way through its command: the simulator, the words
// (the command first) and where its output and its error go.
struct ScriptLine {
    HostSimulator& host;
    const std::vector<std::string>& words;
    std::string* output;
    std::string* error;

    void Out(const std::string& text) const {
        if (output) *output += text;
    }
    bool Fail(const std::string& why) const {
        if (error) *error = why;
        return false;
    }
    unsigned long Number(size_t i) const { return strtoul(words[i].c_str(), nullptr, 10); }
};

bool IsVariableName(const std::string& w) { return w.size() >= 3 && w.front() == '[' && w.back() == ']'; }

bool SetVarCommand(const ScriptLine& l) {
    l.host.SetVar(l.words[1], l.host.Expand(l.words[2]));
    return true;
}

bool PrintCommand(const ScriptLine& l) {
    for (size_t i = 1; i < l.words.size(); ++i) l.Out(l.words[i] + " = " + l.host.Var(l.words[i]) + "\n");
    return true;
}

// Every variable written so far, once each, in the order first written.
bool PrintAllCommand(const ScriptLine& l) {
    std::vector<std::string> seen;
    for (auto& w : l.host.Writes()) {
        bool dup = false;
        for (auto& s : seen) dup = dup || s == w.first;
        if (!dup) seen.push_back(w.first);
    }
    for (auto& name : seen) l.Out(name + " = " + l.host.Var(name) + "\n");
    return true;
}

bool EchoCommand(const ScriptLine& l) {
    std::string text;
    for (size_t i = 1; i < l.words.size(); ++i) text += (i > 1 ? " " : "") + l.host.Expand(l.words[i]);
    l.Out(text + "\n");
    return true;
}

// Assert and AssertNot.
bool AssertCommand(const ScriptLine& l) {
    const std::string& cmd = l.words[0];
    std::string expected = l.host.Expand(l.words[2]);
    std::string actual = l.host.Var(l.words[1]);
    if ((cmd == "Assert") != (actual == expected))
        return l.Fail(cmd + " " + l.words[1] + ": value is \"" + actual + "\", " +
                      (cmd == "Assert" ? "expected \"" : "must not be \"") + expected + "\"");
    return true;
}

bool RectangleCommand(const ScriptLine& l) {
    l.host.AddRectangle(l.words[1], atoi(l.words[2].c_str()), atoi(l.words[3].c_str()));
    return true;
}

bool MessageCommand(const ScriptLine& l) {
    l.host.Message(atoi(l.words[1].c_str()));
    return true;
}

bool MciClockCommand(const ScriptLine& l) {
    if (!OsMciAdvanceClock(l.Number(1))) return l.Fail("MciClock: only the native MCI stand-in has a clock to step");
    return true;
}

// Lets the plug-in's worker threads get on, windows kept painting.
bool SleepCommand(const ScriptLine& l) {
    OsWaitPumping(l.Number(1));
    return true;
}

bool ThreadTickCommand(const ScriptLine& l) {
    if (!OsFireThreadTimers(l.words.size() > 1 ? atoi(l.words[1].c_str()) : 1))
        return l.Fail("ThreadTick: only the native window stand-in has thread timers to step");
    return true;
}

bool MciLogCommand(const ScriptLine& l) {
    l.Out(OsMciTakeLog());
    return true;
}

const size_t kAnyCount = static_cast<size_t>(-1);

// The simulator's own commands; the dialog and window commands have their
// tables beside their drivers, and any QMT_ word calls the action.
struct ScriptCommand {
    const char* name;
    size_t minWords, maxWords;  // with the command itself
    bool namesVariable;         // the second word must be a [Variable]
    const char* usage;
    bool (*run)(const ScriptLine& line);
};
const ScriptCommand kCommands[] = {
    {"SetVar", 3, 3, true, "SetVar [Name] \"value\"", SetVarCommand},
    {"Print", 2, kAnyCount, false, "Print [Name] ...", PrintCommand},
    {"PrintAll", 1, kAnyCount, false, "PrintAll", PrintAllCommand},
    {"Echo", 1, kAnyCount, false, "Echo text", EchoCommand},
    {"Assert", 3, 3, true, "Assert [Name] \"text\"", AssertCommand},
    {"AssertNot", 3, 3, true, "AssertNot [Name] \"text\"", AssertCommand},
    {"Rectangle", 4, 4, false, "Rectangle Name Width Height", RectangleCommand},
    {"Message", 2, 2, false, "Message Code", MessageCommand},
    {"MciClock", 2, 2, false, "MciClock Milliseconds", MciClockCommand},
    {"Sleep", 2, 2, false, "Sleep Milliseconds", SleepCommand},
    {"ThreadTick", 1, 2, false, "ThreadTick [Count]", ThreadTickCommand},
    {"MciLog", 1, kAnyCount, false, "MciLog", MciLogCommand},
};

bool RunCommand(const ScriptCommand& command, const ScriptLine& l) {
    size_t n = l.words.size();
    if (n < command.minWords || n > command.maxWords || (command.namesVariable && !IsVariableName(l.words[1])))
        return l.Fail(std::string("usage: ") + command.usage);
    return command.run(l);
}

// `QMT_Name "arg" ...`: the action called as the host calls it.
bool CallAction(const ScriptLine& l) {
    const std::string& cmd = l.words[0];
    int id = l.host.ActionId(cmd);
    if (id == 0) return l.Fail("unknown action \"" + cmd + "\"");
    const RegisteredAction* action = nullptr;
    for (auto& a : l.host.Actions())
        if (a.id == id) action = &a;
    if (static_cast<int>(l.words.size()) - 1 > action->count)
        return l.Fail(cmd + " takes " + std::to_string(action->count) + " parameters, " +
                      std::to_string(l.words.size() - 1) + " given");
    std::vector<std::string> args;
    for (size_t i = 1; i < l.words.size(); ++i) {
        // A result-variable parameter is handed over as written, like the host does.
        bool resultVar = i - 1 < action->types.size() && action->types[i - 1] == 6;
        args.push_back(resultVar ? l.words[i] : l.host.Expand(l.words[i]));
    }
    if (HasQueuedDialogSteps()) return CallWithDialogSteps(l.host, cmd, args, l.error);
    l.host.Call(cmd, args);
    return true;
}

}  // namespace

bool HostSimulator::RunLine(const std::string& rawLine, std::string* output, std::string* error) {
    std::string text = rawLine;
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#' || text.compare(first, 2, "//") == 0) return true;
    std::vector<std::string> words;
    std::string why;
    ScriptLine line{*this, words, output, error};
    if (!SplitScriptLine(text, words, &why)) return line.Fail("malformed line: " + why);
    for (const ScriptCommand& command : kCommands)
        if (words[0] == command.name) return RunCommand(command, line);
    bool dialogOk = true;
    if (RunDialogCommand(*this, words, error, dialogOk)) return dialogOk;
    bool windowCommand = false;
    bool windowDone = RunWindowCommand(*this, words, error, windowCommand);
    if (windowCommand) return windowDone;
    if (words[0].compare(0, 4, "QMT_") != 0) return line.Fail("unknown command \"" + words[0] + "\"");
    return CallAction(line);
}

int HostSimulator::RunScript(const std::string& text, std::string* output, std::string* error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string why;
        if (!RunLine(line, output, &why)) {
            if (error) *error = "line " + std::to_string(number) + ": " + why;
            return 1;
        }
    }
    return 0;
}
