#include "tests/unit/capture_host.h"

namespace capture {
std::vector<std::pair<std::string, std::string>> writes;

static void QMT_CALL Set(const char* name, const char* value) { writes.emplace_back(name, value ? value : ""); }

std::vector<std::string> Values(const std::string& name) {
    std::vector<std::string> v;
    for (auto& w : writes)
        if (w.first == name) v.push_back(w.second);
    return v;
}

std::string Last(const std::string& name) {
    auto v = Values(name);
    return v.empty() ? std::string() : v.back();
}

void Install() {
    writes.clear();
    g_host.setVariable = Set;
}

void Remove() { g_host.setVariable = nullptr; }
}  // namespace capture
