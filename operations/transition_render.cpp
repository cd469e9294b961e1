#include "operations/transition_render.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/transition_list.h"
#include "operations/transition_types.h"
#include "platform/platform.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"
#include "toolchain/work_files.h"

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

// The pieces a render cuts and joins again are QuickTime files with 4:2:0
// pictures (High profile at most) and PCM sound, which ends where the picture
// ends: AAC would pad each piece's sound past its end and every join would
// carry that on. PCM, not the ALAC of MP4, because FFmpeg before 5 cannot put
// ALAC into MP4 and authors run every FFmpeg from 4.1 on.
static const char kPieceCodecs[] = "-c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p -c:a pcm_s16le";

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

static Outcome Join(const std::string& first, const std::string& second, const TransitionEntry& entry, double td,
                    double offset, const std::string& output, double expected, bool last) {
    return RunFFmpeg(XfadeJoinCommand(first, second, XfadeSpelling(entry.type), td, offset, output,
                                      last ? "aac" : "pcm_s16le"),
                     expected);
}

static Outcome RenderOneSplit(const std::string& input, double split, double total, const std::string& output) {
    WorkFiles files;
    std::string a = files.Path("qmt_seg_a.mov");
    std::string b = files.Path("qmt_seg_b.mov");
    SetProgressBand(0, kCutsEnd / 2);
    Outcome cut = RunFFmpeg(BuildCommand("-i \"%s\" -t %.3f %s \"%s\"", {{"InputFile", input}, {"Time", split},
                                                                         {"Codecs", BuildCommand(kPieceCodecs, {})},
                                                                         {"OutputFile", a}}),
                            split);
    if (!cut.ok) return Failed(msg::kSegmentANotSplit);
    ReportProgress(kCutsEnd / 2);
    SetProgressBand(kCutsEnd / 2, kCutsEnd);
    cut = RunFFmpeg(BuildCommand("-i \"%s\" -ss %.3f %s \"%s\"", {{"InputFile", input}, {"Time", split},
                                                                  {"Codecs", BuildCommand(kPieceCodecs, {})},
                                                                  {"OutputFile", b}}),
                    total - split);
    if (!cut.ok) return Failed(msg::kSegmentBNotSplit);
    const TransitionEntry& entry = TransitionAt(0);
    double da = ProbeDurationSeconds(a);
    double td = entry.duration;
    if (td > da) td = da * 0.5;
    ReportProgress(kCutsEnd);
    SetProgressBand(kCutsEnd, 100);
    if (!Join(a, b, entry, td, da - td, output, total, true).ok) return Failed(msg::kTransitionRenderFailed);
    return Done();
}

static Outcome RenderChain(const std::string& input, const std::vector<double>& splits, double total,
                           const std::string& output) {
    WorkFiles files(plat::TempFolder() + "qmt_trans" + plat::PathSeparator());
    const int n = static_cast<int>(splits.size());
    std::vector<std::string> segments;
    for (int k = 0; k <= n; ++k) {
        std::string file = files.Path(Fmt("seg_%d.mov", k));
        double start = k == 0 ? 0.0 : splits[k - 1];
        double end = k < n ? splits[k] : total;
        ReportProgress(kCutsEnd * k / (n + 1));
        SetProgressBand(kCutsEnd * k / (n + 1), kCutsEnd * (k + 1) / (n + 1));
        Outcome cut = RunFFmpeg(BuildCommand("-i \"%s\" -ss %.3f -t %.3f %s \"%s\"",
                                             {{"InputFile", input}, {"Start", start}, {"Length", end - start},
                                              {"Codecs", BuildCommand(kPieceCodecs, {})}, {"OutputFile", file}}),
                                end - start);
        if (!cut.ok) return Failed(msg::kSegmentsNotSplit);
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
        // The last join is the author's file: MP4 with AAC sound.
        const bool last = j == joins - 1;
        std::string joinFile = files.Path(Fmt(last ? "chain_%d.mp4" : "chain_%d.mov", j));
        double dc = ProbeDurationSeconds(current);
        double td = dc * 0.5;
        if (entry.duration < td) td = entry.duration;
        Outcome joined = Join(current, segments[j + 1], entry, td, dc - td, joinFile, 0, last);
        if (current != segments[0]) files.Drop(current);
        if (!joined.ok) return Failed(msg::kTransitionRenderFailedAtSegment);
        current = joinFile;
    }
    ReportProgress(kJoinsEnd);
    // A copy that fails (a folder that does not exist) must not end in "Complete".
    if (!plat::CopyFileOver(current, output)) return Failed(OutputNotWritten(output));
    return Done();
}

void RenderTransitions(const std::string& input, const std::string& splitTimes, const std::string& output) {
    if (TransitionCount() == 0) {
        ReportError(msg::kNoTransitions);
        return;
    }
    double total = ProbeDurationSeconds(input);
    if (!(total > 0)) {
        ReportError(msg::kUnknownDuration);
        return;
    }
    std::vector<double> splits = ParseSplitTimes(splitTimes);
    if (splits.empty())
        for (int i = 0; i < TransitionCount(); ++i) splits.push_back(TransitionAt(i).time);
    // A failed run has reported FFmpeg's own message; the render's follows it.
    ReportOutcome(splits.size() == 1 ? RenderOneSplit(input, splits[0], total, output)
                                     : RenderChain(input, splits, total, output),
                  output);
}
