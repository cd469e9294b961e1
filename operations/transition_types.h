// The transition names the plug-in accepts (all understood by xfade), in
// their stored order.
#pragma once
#include <string>

const int kTransitionTypeCount = 35;
extern const char* const TransitionTypeTable[kTransitionTypeCount + 1];  // null-terminated

// Index in the table (case-insensitive), -1 when the name is not a known type.
int FindTransitionType(const std::string& name);
inline bool IsKnownTransition(const std::string& name) { return FindTransitionType(name) >= 0; }
// The name as xfade spells it (every xfade name is lower case), whatever case
// the author typed; the table's own entry when the name is in it.
std::string XfadeSpelling(const std::string& typed);
