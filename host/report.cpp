#include "host/report.h"
#include "host/host_state.h"

void ReportStart() {
    SetHostVar("[QMT_Status]", "Processing");
    SetHostVar("[QMT_Progress]", "0");
    SetHostVar("[QMT_Error]", "");
}

void ReportComplete(const std::string& outputPath) {
    SetHostVar("[QMT_Status]", "Complete");
    SetHostVar("[QMT_Progress]", "100");
    if (!outputPath.empty()) SetHostVar("[QMT_LastOutput]", outputPath);
}

void ReportError(const std::string& message) {
    SetHostVar("[QMT_Status]", "Error");
    SetHostVar("[QMT_Error]", message);
    SetHostVar("[LastError]", message);
}

void ReportProgress(int percent) { SetHostVar("[QMT_Progress]", std::to_string(percent)); }

void ReportStatusWord(const std::string& word) { SetHostVar("[QMT_Status]", word); }
