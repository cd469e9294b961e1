#include "toolchain/time_values.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "host/text_util.h"

double ParseTimeValue(const char* text) {
    if (!text || !*text) return 0;
    int hours = 0, minutes = 0;
    double seconds = 0;
    if (sscanf(text, "%d:%d:%lf", &hours, &minutes, &seconds) == 3) return hours * 3600.0 + minutes * 60.0 + seconds;
    minutes = 0;
    seconds = 0;
    if (sscanf(text, "%d:%lf", &minutes, &seconds) == 2) return minutes * 60.0 + seconds;
    return atof(text);
}

// The seconds are rounded by printf alone, so 59.9996 shows as 60.000
// without carrying into the minutes.
static std::string FormatInUnits(double t, double hour, double minute, double second) {
    int hours = static_cast<int>(t / hour);
    int minutes = static_cast<int>(fmod(t, hour) / minute);
    double seconds = fmod(t, minute) / second;
    return Fmt("%02d:%02d:%06.3f", hours, minutes, seconds);
}

std::string FormatTimecode(double seconds) { return FormatInUnits(seconds, 3600.0, 60.0, 1.0); }

std::string FormatTimecodeMs(double milliseconds) { return FormatInUnits(milliseconds, 3600000.0, 60000.0, 1000.0); }
