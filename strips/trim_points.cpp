#include "strips/trim_points.h"
#include <string>
#include "host/host_state.h"
#include "toolchain/time_values.h"

namespace {
// The first of the two variables that has a text.
bool ReadPoint(const char* name, const char* fallback, double& seconds) {
    std::string text = GetHostVar(name);
    if (text.empty()) text = GetHostVar(fallback);
    seconds = ParseTimeValue(text);
    return !text.empty();
}
}  // namespace

TrimPoints ReadTrimPoints() {
    TrimPoints trim = {false, false, 0, 0};
    if (!HasGetVariable()) return trim;
    trim.hasIn = ReadPoint("[TrimStart]", "[TrimIn]", trim.in);
    trim.hasOut = ReadPoint("[TrimEnd]", "[TrimOut]", trim.out);
    return trim;
}
