// The status vocabulary every action reports through.
#pragma once
#include <string>
#include "host/outcome.h"

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
// Reports a failed step's message, unless the step reported it already.
void ReportFailure(const Outcome& outcome);
// The end of an action whose steps gave `outcome`: ReportComplete(outputPath)
// when it succeeded, else ReportFailure.
void ReportOutcome(const Outcome& outcome, const std::string& outputPath = std::string());
// The message of a finished render whose result could not be put at `path`.
std::string OutputNotWritten(const std::string& path);
