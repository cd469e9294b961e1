#include "toolchain/probe.h"
#include <cstdlib>
#include "host/text_util.h"
#include "toolchain/process_runner.h"

static std::string DurationQuery(const std::string& path) {
    return Fmt("-v quiet -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 \"%s\"", path.c_str());
}

double ProbeDurationSeconds(const std::string& path) {
    std::string out;
    if (!CaptureToolOutput(DurationQuery(path), out, 8192)) return 0;
    return atof(out.c_str());
}

double ProbeDurationQuietly(const std::string& path) {
    std::string out;
    if (!CaptureLocatedToolOutput(DurationQuery(path), out, 8192)) return 0;
    return atof(out.c_str());
}

std::string TrimAnswer(const std::string& text) {
    size_t len = text.size();
    while (len > 1 && (text[len - 1] == '\r' || text[len - 1] == '\n' || text[len - 1] == ' ')) --len;
    return text.substr(0, len);
}

bool HasAudioStreamQuietly(const std::string& path) {
    std::string out;
    if (!CaptureLocatedToolOutput(
            Fmt("-v quiet -select_streams a -show_entries stream=codec_type -of csv=p=0 \"%s\"", path.c_str()), out,
            8192))
        return false;
    return out.find("audio") != std::string::npos;
}
