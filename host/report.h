// The status vocabulary every action reports through.
#pragma once
#include <string>

void ReportStart();
void ReportComplete(const std::string& outputPath = std::string());
void ReportError(const std::string& message);
void ReportProgress(int percent);
void ReportStatusWord(const std::string& word);
