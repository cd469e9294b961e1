#include "host/report.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/text_util.h"

static int g_bandFrom = 0, g_bandTo = 100;

void SetProgressBand(int from, int to) {
    g_bandFrom = from;
    g_bandTo = to;
}

void ReportRunProgress(int runPercent) { ReportProgress(g_bandFrom + (g_bandTo - g_bandFrom) * runPercent / 100); }

void ReportStart() {
    SetProgressBand(0, 100);
    SetHostVar("[QMT_Status]", "Processing");
    SetHostVar("[QMT_Progress]", "0");
    SetHostVar("[QMT_Error]", "");
}

void ReportComplete(const std::string& outputPath) {
    SetProgressBand(0, 100);
    SetHostVar("[QMT_Status]", msg::kComplete);
    SetHostVar("[QMT_Progress]", "100");
    if (!outputPath.empty()) SetHostVar("[QMT_LastOutput]", outputPath);
}

void ReportError(const std::string& message) {
    SetProgressBand(0, 100);
    SetHostVar("[QMT_Status]", "Error");
    SetHostVar("[QMT_Error]", message);
    SetHostVar("[LastError]", message);
}

void ReportProgress(int percent) { SetHostVar("[QMT_Progress]", std::to_string(percent)); }

void ReportStatusWord(const std::string& word) { SetHostVar("[QMT_Status]", word); }

void ReportFailure(const Outcome& outcome) {
    if (!outcome.ok && !outcome.reported) ReportError(outcome.message);
}

void ReportOutcome(const Outcome& outcome, const std::string& outputPath) {
    if (outcome.ok)
        ReportComplete(outputPath);
    else
        ReportFailure(outcome);
}

std::string OutputNotWritten(const std::string& path) { return Fmt(msg::kOutputNotWritten, path.c_str()); }
