// Direct-link tests install these callbacks in the plug-in's host state to
// see what it writes without going through the exports.
#pragma once
#include <string>
#include <utility>
#include <vector>
#include "host/host_state.h"

namespace capture {
extern std::vector<std::pair<std::string, std::string>> writes;
std::vector<std::string> Values(const std::string& name);
std::string Last(const std::string& name);
void Install();  // clears the record and registers the callbacks
void Remove();
}  // namespace capture
