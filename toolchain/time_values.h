// Reading the times authors type and writing timecodes.
#pragma once
#include <string>

double ParseTimeValue(const char* text);
inline double ParseTimeValue(const std::string& text) { return ParseTimeValue(text.c_str()); }
std::string FormatTimecode(double seconds);
std::string FormatTimecodeMs(double milliseconds);
