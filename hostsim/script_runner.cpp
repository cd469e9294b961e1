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

static bool IsVariableName(const std::string& w) { return w.size() >= 3 && w.front() == '[' && w.back() == ']'; }

bool HostSimulator::RunLine(const std::string& rawLine, std::string* output, std::string* error) {
    std::string line = rawLine;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#' || line.compare(first, 2, "//") == 0) return true;
    std::vector<std::string> words;
    std::string why;
    if (!SplitScriptLine(line, words, &why)) {
        if (error) *error = "malformed line: " + why;
        return false;
    }
    const std::string cmd = words[0];
    auto out = [&](const std::string& s) {
        if (output) *output += s;
    };
    auto fail = [&](const std::string& s) {
        if (error) *error = s;
        return false;
    };
    bool dialogOk = true;
    if (RunDialogCommand(*this, words, error, dialogOk)) return dialogOk;
    if (cmd == "SetVar") {
        if (words.size() != 3 || !IsVariableName(words[1])) return fail("usage: SetVar [Name] \"value\"");
        SetVar(words[1], Expand(words[2]));
        return true;
    }
    if (cmd == "Print") {
        if (words.size() < 2) return fail("usage: Print [Name] ...");
        for (size_t i = 1; i < words.size(); ++i) out(words[i] + " = " + Var(words[i]) + "\n");
        return true;
    }
    if (cmd == "PrintAll") {
        std::vector<std::string> seen;
        for (auto& w : Writes()) {
            bool dup = false;
            for (auto& s : seen) dup = dup || s == w.first;
            if (!dup) seen.push_back(w.first);
        }
        for (auto& name : seen) out(name + " = " + Var(name) + "\n");
        return true;
    }
    if (cmd == "Echo") {
        std::string text;
        for (size_t i = 1; i < words.size(); ++i) text += (i > 1 ? " " : "") + Expand(words[i]);
        out(text + "\n");
        return true;
    }
    if (cmd == "Assert" || cmd == "AssertNot") {
        if (words.size() != 3 || !IsVariableName(words[1])) return fail("usage: " + cmd + " [Name] \"text\"");
        std::string expected = Expand(words[2]);
        std::string actual = Var(words[1]);
        if ((cmd == "Assert") != (actual == expected))
            return fail(cmd + " " + words[1] + ": value is \"" + actual + "\", " +
                        (cmd == "Assert" ? "expected \"" : "must not be \"") + expected + "\"");
        return true;
    }
    if (cmd == "Rectangle") {
        if (words.size() != 4) return fail("usage: Rectangle Name Width Height");
        AddRectangle(words[1], atoi(words[2].c_str()), atoi(words[3].c_str()));
        return true;
    }
    if (cmd == "Message") {
        if (words.size() != 2) return fail("usage: Message Code");
        Message(atoi(words[1].c_str()));
        return true;
    }
    bool windowCommand = false;
    bool windowDone = RunWindowCommand(*this, words, error, windowCommand);
    if (windowCommand) return windowDone;
    if (cmd == "MciClock") {
        if (words.size() != 2) return fail("usage: MciClock Milliseconds");
        if (!OsMciAdvanceClock(strtoul(words[1].c_str(), nullptr, 10)))
            return fail("MciClock: only the native MCI stand-in has a clock to step");
        return true;
    }
    if (cmd == "Sleep") {  // lets the plug-in's worker threads get on, windows kept painting
        if (words.size() != 2) return fail("usage: Sleep Milliseconds");
        OsWaitPumping(strtoul(words[1].c_str(), nullptr, 10));
        return true;
    }
    if (cmd == "ThreadTick") {
        if (words.size() > 2) return fail("usage: ThreadTick [Count]");
        if (!OsFireThreadTimers(words.size() > 1 ? atoi(words[1].c_str()) : 1))
            return fail("ThreadTick: only the native window stand-in has thread timers to step");
        return true;
    }
    if (cmd == "MciLog") {
        out(OsMciTakeLog());
        return true;
    }
    if (cmd.compare(0, 4, "QMT_") != 0) return fail("unknown command \"" + cmd + "\"");
    int id = ActionId(cmd);
    if (id == 0) return fail("unknown action \"" + cmd + "\"");
    const RegisteredAction* action = nullptr;
    for (auto& a : Actions())
        if (a.id == id) action = &a;
    if (static_cast<int>(words.size()) - 1 > action->count)
        return fail(cmd + " takes " + std::to_string(action->count) + " parameters, " +
                    std::to_string(words.size() - 1) + " given");
    std::vector<std::string> args;
    for (size_t i = 1; i < words.size(); ++i) {
        // A result-variable parameter is handed over as written, like the host does.
        bool resultVar = i - 1 < action->types.size() && action->types[i - 1] == 6;
        args.push_back(resultVar ? words[i] : Expand(words[i]));
    }
    if (HasQueuedDialogSteps()) return CallWithDialogSteps(*this, cmd, args, error);
    Call(cmd, args);
    return true;
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
