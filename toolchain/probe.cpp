#include "toolchain/probe.h"
#include <cstdlib>
#include "toolchain/command_builder.h"
#include "toolchain/process_runner.h"

double ProbeDurationSeconds(const std::string& path) {
    std::string out;
    CommandOutcome command = BuildCommand("-v quiet -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 \"%s\"",
                                          {{"InputFile", path}});
    if (!command.ok || !CaptureToolOutput(command.text, out, 8192)) return 0;
    return atof(out.c_str());
}

std::string TrimAnswer(const std::string& text) {
    size_t len = text.size();
    while (len > 1 && (text[len - 1] == '\r' || text[len - 1] == '\n' || text[len - 1] == ' ')) --len;
    return text.substr(0, len);
}
