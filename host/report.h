// The status vocabulary every action reports through.
#pragma once
#include <string>

void ReportStart();
void ReportComplete(const std::string& outputPath = std::string());
void ReportError(const std::string& message);
void ReportProgress(int percent);
// A multi-run action gives each run a band of the whole: a run's own
// percentage is scaled into it, so the reported value only rises. ReportStart,
// ReportComplete and ReportError restore the full 0-100 band.
void SetProgressBand(int from, int to);
void ReportRunProgress(int runPercent);
void ReportStatusWord(const std::string& word);
// The message of a finished render whose result could not be put at `path`.
std::string OutputNotWritten(const std::string& path);
