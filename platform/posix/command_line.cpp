#include "platform/posix/command_line.h"

namespace plat {

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> args;
    size_t i = 0, n = line.size();
    while (true) {
        while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n) {
            char c = line[i];
            if (c == '\\') {
                size_t run = 0;
                while (i < n && line[i] == '\\') { ++run; ++i; }
                if (i < n && line[i] == '"') {
                    arg.append(run / 2, '\\');
                    if (run % 2) { arg += '"'; ++i; }
                } else {
                    arg.append(run, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') { arg += '"'; i += 2; continue; }
                quoted = !quoted;
                ++i;
                continue;
            }
            if (!quoted && (c == ' ' || c == '\t')) break;
            arg += c;
            ++i;
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace plat
