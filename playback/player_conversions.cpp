#include "playback/player_conversions.h"
#include <cstdlib>
#include "host/text_util.h"
#include "toolchain/time_values.h"

int SeekMilliseconds(const std::string& time) { return static_cast<int>(ParseTimeValue(time) * 1000.0); }

int MciVolume(const std::string& level) {
    int value = atoi(level.c_str());
    if (value < 0) value = 0;
    if (value > 100) value = 100;
    return value * 10;
}

int MciSpeed(const std::string& factor) { return static_cast<int>(atof(factor.c_str()) * 1000.0); }

bool IsOnWord(const std::string& text, bool oneCounts) { return EqualsNoCase(text, "true") || (oneCounts && text == "1"); }
