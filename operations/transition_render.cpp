#include "operations/transition_render.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/transition_list.h"
#include "platform/platform.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"

CommandOutcome XfadeJoinCommand(const std::string& first, const std::string& second, const std::string& type,
                                double length, double offset, const std::string& output, const char* audioCodec) {
    return BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[0:v][1:v]xfade=transition=%s:duration=%.2f:offset=%.2f,"
                        "format=yuv420p[outv];[1:a]apad=pad_len=1[a1];[0:a][a1]acrossfade=d=%.2f[outa]\" "
                        "-map \"[outv]\" -map \"[outa]\" -c:v libx264 -preset fast -crf 18 -c:a %s \"%s\"",
                        {{"File1", first}, {"File2", second}, {"Type", type}, {"Duration", length}, {"Offset", offset},
                         {"Duration", length}, {"AudioCodec", audioCodec}, {"OutputFile", output}});
}

// Steps of a render, as parts of its progress: cuts, joins, the final copy.
static const int kCutsEnd = 40, kJoinsEnd = 80;

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
                 double offset, const std::string& output, double expected, bool last) {
    return RunFFmpeg(XfadeJoinCommand(first, second, entry.type, td, offset, output, last ? "aac" : "alac"), expected);
}

static void RenderOneSplit(const std::string& input, double split, double total, const std::string& output) {
    std::string a = plat::TempFolder() + "qmt_seg_a.mp4";
    std::string b = plat::TempFolder() + "qmt_seg_b.mp4";
    SetProgressBand(0, kCutsEnd / 2);
    // The cuts are read again by the join: 4:2:0 pictures (High profile at
    // most) and ALAC sound, which ends where the picture ends.
    if (!RunFFmpeg(BuildCommand("-i \"%s\" -t %.3f -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p -c:a alac \"%s\"",
                                {{"InputFile", input}, {"Time", split}, {"OutputFile", a}}),
                   split)) {
        ReportError("Failed to split segment A.");
        return;
    }
    ReportProgress(kCutsEnd / 2);
    SetProgressBand(kCutsEnd / 2, kCutsEnd);
    if (!RunFFmpeg(BuildCommand("-i \"%s\" -ss %.3f -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p -c:a alac \"%s\"",
                                {{"InputFile", input}, {"Time", split}, {"OutputFile", b}}),
                   total - split)) {
        plat::DeleteFilePath(a);
        ReportError("Failed to split segment B.");
        return;
    }
    const TransitionEntry& entry = TransitionAt(0);
    double da = ProbeDurationSeconds(a);
    double td = entry.duration;
    if (td > da) td = da * 0.5;
    ReportProgress(kCutsEnd);
    SetProgressBand(kCutsEnd, 100);
    bool joined = Join(a, b, entry, td, da - td, output, total, true);
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
        ReportProgress(kCutsEnd * k / (n + 1));
        SetProgressBand(kCutsEnd * k / (n + 1), kCutsEnd * (k + 1) / (n + 1));
        if (!RunFFmpeg(BuildCommand("-i \"%s\" -ss %.3f -t %.3f -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p "
                                    "-c:a alac \"%s\"",
                                    {{"InputFile", input}, {"Start", start}, {"Length", end - start}, {"OutputFile", file}}),
                       end - start)) {
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
    const int joins = n < TransitionCount() ? n : TransitionCount();
    for (int j = 0; j < joins; ++j) {
        const TransitionEntry& entry = TransitionAt(j);
        ReportProgress(kCutsEnd + (kJoinsEnd - kCutsEnd) * j / joins);
        SetProgressBand(kCutsEnd + (kJoinsEnd - kCutsEnd) * j / joins, kCutsEnd + (kJoinsEnd - kCutsEnd) * (j + 1) / joins);
        std::string joinFile = Fmt("%schain_%d.mp4", folder.c_str(), j);
        double dc = ProbeDurationSeconds(current);
        double td = dc * 0.5;
        if (entry.duration < td) td = entry.duration;
        bool joined = Join(current, segments[j + 1], entry, td, dc - td, joinFile, 0, j == joins - 1);
        if (current != segments[0]) plat::DeleteFilePath(current);
        if (!joined) {
            for (const std::string& s : segments) plat::DeleteFilePath(s);
            plat::RemoveDirectoryPath(folder);
            ReportError("Transition render failed at segment.");
            return;
        }
        current = joinFile;
    }
    ReportProgress(kJoinsEnd);
    // A copy that fails (a folder that does not exist) must not end in "Complete".
    bool copied = plat::CopyFileOver(current, output);
    for (const std::string& s : segments) plat::DeleteFilePath(s);
    for (int j = 0; j < n; ++j) plat::DeleteFilePath(Fmt("%schain_%d.mp4", folder.c_str(), j));
    plat::RemoveDirectoryPath(folder);
    if (!copied) return ReportError(OutputNotWritten(output));
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
