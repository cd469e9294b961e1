#include "toolchain/probe.h"
#include <cstdlib>
#include "toolchain/command_builder.h"
#include "toolchain/process_runner.h"

// "" when the path cannot be put on a command line.
static std::string DurationQuery(const std::string& path) {
    CommandOutcome command = BuildCommand(
        "-v quiet -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 \"%s\"", {{"InputFile", path}});
    return command.ok ? command.text : std::string();
}

double ProbeDurationSeconds(const std::string& path) {
    std::string out, query = DurationQuery(path);
    if (query.empty() || !CaptureToolOutput(query, out, 8192)) return 0;
    return atof(out.c_str());
}

double ProbeDurationQuietly(const std::string& path) {
    std::string out, query = DurationQuery(path);
    if (query.empty() || !CaptureLocatedToolOutput(query, out, 8192)) return 0;
    return atof(out.c_str());
}

std::string TrimAnswer(const std::string& text) {
    size_t len = text.size();
    while (len > 1 && (text[len - 1] == '\r' || text[len - 1] == '\n' || text[len - 1] == ' ')) --len;
    return text.substr(0, len);
}

bool HasAudioStreamQuietly(const std::string& path) {
    std::string out;
    CommandOutcome command = BuildCommand("-v quiet -select_streams a -show_entries stream=codec_type -of csv=p=0 \"%s\"",
                                          {{"InputFile", path}});
    if (!command.ok || !CaptureLocatedToolOutput(command.text, out, 8192)) return false;
    return out.find("audio") != std::string::npos;
}
