// Batch: one script line per matching file of a folder, run by the host's
// script processor, so any action the author names can be applied.
#include <vector>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/operation_frame.h"
#include "platform/platform.h"

namespace {

const size_t kPathBuffer = 260;

void Batch(const ActionArgs& a) {
    ReportStart();
    if (!HasScriptProcessor()) {
        ReportError(msg::kNoScriptProcessor);
        return;
    }
    const std::string inputFolder = a.text(0), outputFolder = a.text(4);
    std::vector<plat::FolderEntry> entries;
    if (!plat::SearchFolder(inputFolder, "*." + a.text(1), entries)) {
        ReportError(msg::kNoFilesFound);
        return;
    }
    const char sep = plat::PathSeparator();
    int count = 0;
    for (const plat::FolderEntry& e : entries) {
        if (e.directory) continue;
        std::string input = CutTo(inputFolder + sep + e.name, kPathBuffer);
        std::string output = CutTo(outputFolder + sep + e.name, kPathBuffer);
        std::string line = Fmt("%s \"%s\" %s \"%s\"", a.raw(2), input.c_str(), a.raw(3), output.c_str());
        // A line cut short could run a different command; stop instead.
        Outcome fits = ArgumentsFit(line);
        if (!fits.ok) return ReportFailure(fits);
        RunHostScript(line);  // its outcome is the script's business
        ++count;
    }
    ReportStatusWord(Fmt(msg::kFilesProcessed, count, count));
    ReportComplete();
}

}  // namespace

void RegisterBatchAction() { RegisterAction(110, Batch); }
