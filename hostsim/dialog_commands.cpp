// The script commands that open the parameter editor and queue dialog steps.
#include <cstdlib>
#include <cstring>
#include "hostsim/dialog_driver.h"
#include "hostsim/host_os.h"
#include "hostsim/host_simulator.h"

namespace {

std::vector<DialogStep> g_queued;

bool QueueStep(const HostSimulator& host, const std::vector<std::string>& w, std::string* error) {
    auto usage = [&]() {
        if (error)
            *error = "usage: Dialog SetText ID \"text\" | Choose ID N | Press ID | Close | Wait \"title\" | "
                     "Expect ID \"text\" | ExpectSel ID N";
        return false;
    };
    if (w.size() < 2) return usage();
    const std::string& what = w[1];
    DialogStep step;
    if (what == "SetText" && w.size() == 4) step = DialogStep{DialogStep::SetText, atoi(w[2].c_str()), w[3]};
    else if (what == "Choose" && w.size() == 4) step = DialogStep{DialogStep::Choose, atoi(w[2].c_str()), "", atoi(w[3].c_str())};
    else if (what == "Press" && w.size() == 3) step = DialogStep{DialogStep::Press, atoi(w[2].c_str())};
    else if (what == "Close" && w.size() == 2) step = DialogStep{DialogStep::Close};
    else if (what == "Wait" && w.size() == 3) step = DialogStep{DialogStep::Wait, 0, w[2]};
    else if (what == "Expect" && w.size() == 4) step = DialogStep{DialogStep::Expect, atoi(w[2].c_str()), w[3]};
    else if (what == "ExpectSel" && w.size() == 4)
        step = DialogStep{DialogStep::ExpectSel, atoi(w[2].c_str()), "", atoi(w[3].c_str())};
    else return usage();
    step.text = host.Expand(step.text);
    g_queued.push_back(step);
    return true;
}

// The steps are used up by the next call.
std::vector<DialogStep> TakeQueued() {
    std::vector<DialogStep> steps;
    steps.swap(g_queued);
    return steps;
}

bool Edit(HostSimulator& host, const std::vector<std::string>& w, std::string* error) {
    if (w.size() < 2) {
        if (error) *error = "usage: Edit QMT_Name \"text\" NULL ...";
        return false;
    }
    int id = host.ActionId(w[1]);
    if (id == 0) {
        if (error) *error = "unknown action \"" + w[1] + "\"";
        return false;
    }
    // Parameter texts in process-heap blocks, as the host keeps them.
    std::vector<char*> params;
    for (size_t i = 2; i < w.size(); ++i) {
        if (w[i] == "NULL") {
            params.push_back(nullptr);
            continue;
        }
        char* block = OsHeapAlloc(w[i].size() + 1);
        memcpy(block, w[i].c_str(), w[i].size() + 1);
        params.push_back(block);
    }
    size_t given = params.size();
    params.resize(given + 10, nullptr);
    unsigned char result = 0;
    std::string failures = DriveDialogs(TakeQueued(), [&]() { result = host.EditId(id, params.data()); });
    host.SetVar("[EditResult]", result ? "1" : "0");
    for (size_t i = 0; i < params.size(); ++i) {
        if (i < given || params[i]) host.SetVar("[EditParam" + std::to_string(i + 1) + "]", params[i] ? params[i] : "NULL");
        if (params[i] && OsHeapValid(params[i])) OsHeapFree(params[i]);
    }
    if (!failures.empty() && error) *error = failures;
    return failures.empty();
}

}  // namespace

bool RunDialogCommand(HostSimulator& host, const std::vector<std::string>& words, std::string* error, bool& ok) {
    if (words.empty()) return false;
    if (words[0] == "Dialog") ok = QueueStep(host, words, error);
    else if (words[0] == "AccessAnswer") {
        // What the host answers to an interface-access request (8 object, 14 variable).
        ok = words.size() == 3;
        if (ok) host.accessAnswers[atoi(words[1].c_str())] = words[2];
        else if (error) *error = "usage: AccessAnswer CODE \"text\"";
    }
    else if (words[0] == "Edit") ok = Edit(host, words, error);
    else return false;
    return true;
}

bool HasQueuedDialogSteps() { return !g_queued.empty(); }

bool CallWithDialogSteps(HostSimulator& host, const std::string& action, const std::vector<std::string>& args,
                         std::string* error) {
    std::string failures = DriveDialogs(TakeQueued(), [&]() { host.Call(action, args); });
    if (!failures.empty() && error) *error = failures;
    return failures.empty();
}
