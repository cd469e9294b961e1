#include "toolchain/probe.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "host/text_util.h"
#include "toolchain/command_builder.h"
#include "toolchain/process_runner.h"
#include "toolchain/tool_location.h"

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

double ProbeDurationQuietly(const ToolPaths& tools, const std::string& path) {
    std::string out, query = DurationQuery(path);
    if (query.empty() || !CaptureLocatedToolOutput(tools.ffprobe, query, out, 8192)) return 0;
    return atof(out.c_str());
}

std::string TrimAnswer(const std::string& text) {
    size_t len = text.size();
    while (len > 1 && (text[len - 1] == '\r' || text[len - 1] == '\n' || text[len - 1] == ' ')) --len;
    return text.substr(0, len);
}

bool HasAudioStreamQuietly(const ToolPaths& tools, const std::string& path) {
    std::string out;
    CommandOutcome command = BuildCommand("-v quiet -select_streams a -show_entries stream=codec_type -of csv=p=0 \"%s\"",
                                          {{"InputFile", path}});
    if (!command.ok || !CaptureLocatedToolOutput(tools.ffprobe, command.text, out, 8192)) return false;
    return out.find("audio") != std::string::npos;
}

namespace {

// num/den or 0 when the text is not a usable rate.
double RateValue(const std::string& text, int& num, int& den) {
    num = den = 0;
    if (sscanf(text.c_str(), "%d/%d", &num, &den) != 2 || num <= 0 || den <= 0 || num > 1000 * den) return 0;
    return static_cast<double>(num) / den;
}

}  // namespace

std::string ChooseFrameRate(const std::string& rFrameRate, const std::string& avgFrameRate) {
    int rNum, rDen, aNum, aDen;
    double r = RateValue(rFrameRate, rNum, rDen), avg = RateValue(avgFrameRate, aNum, aDen);
    if (r > 0 && (avg <= 0 || r <= avg * 1.1)) return Fmt("%d/%d", rNum, rDen);
    if (avg <= 0) return "25/1";
    const int common[][2] = {{24000, 1001}, {24, 1}, {25, 1}, {30000, 1001}, {30, 1}, {50, 1}, {60000, 1001}, {60, 1}};
    const int* nearest = nullptr;
    double off = 0.03;
    for (const auto& c : common) {
        double rate = static_cast<double>(c[0]) / c[1];
        if (std::fabs(avg - rate) / rate <= off) {
            off = std::fabs(avg - rate) / rate;
            nearest = c;
        }
    }
    return nearest ? Fmt("%d/%d", nearest[0], nearest[1]) : Fmt("%d/%d", aNum, aDen);
}

std::string ProbeFrameRate(const std::string& path, double* seconds) {
    if (seconds) *seconds = 0;
    std::string out;
    CommandOutcome command = BuildCommand("-v quiet -select_streams v:0 -show_entries "
                                          "stream=r_frame_rate,avg_frame_rate:format=duration "
                                          "-of default=noprint_wrappers=1 \"%s\"",
                                          {{"InputFile", path}});
    if (!command.ok || !CaptureToolOutput(command.text, out, 2048)) return "25/1";
    std::string rate, average;
    size_t pos = 0;
    while (pos < out.size()) {
        size_t end = out.find('\n', pos);
        if (end == std::string::npos) end = out.size();
        std::string line = TrimAnswer(out.substr(pos, end - pos));
        pos = end + 1;
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "r_frame_rate") rate = value;
        if (key == "avg_frame_rate") average = value;
        if (key == "duration" && seconds) *seconds = atof(value.c_str());
    }
    return ChooseFrameRate(rate, average);
}
