#include "strips/split_render.h"
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/join_graph.h"
#include "operations/sound_inputs.h"
#include "operations/transition_types.h"
#include "operations/word_tables.h"
#include "platform/platform.h"
#include "toolchain/command_builder.h"
#include "toolchain/graph_option.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/work_files.h"

namespace {

const char kCutTemplate[] =
    "-i \"%s\" -ss %.3f -t %.3f -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"";
const char kConcatTemplate[] = "-f concat -safe 0 -i \"%s\" -c copy \"%s\"";
// What an inserted clip must match to be cross-faded with and joined to the
// main video.
struct MediaShape {
    int width = 0, height = 0;
    std::string sar = "1", frameRate = "25";
    bool audio = false;
    int sampleRate = 0, channels = 0;
};

MediaShape ProbeShape(const std::string& path) {
    MediaShape shape;
    std::string out;
    CommandOutcome probe = BuildCommand("-v quiet -show_entries stream=codec_type,width,height,sample_aspect_ratio,"
                                        "r_frame_rate,avg_frame_rate,sample_rate,channels -of default=noprint_wrappers=1 "
                                        "\"%s\"",
                                        {{"File", path}});
    if (!probe.ok || !CaptureToolOutput(probe.text, out, 8192)) return shape;
    std::istringstream lines(out);
    std::string line, kind, rate, average;
    bool haveVideo = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "codec_type") {
            // Only the first stream of each kind counts.
            kind = (value == "video" && !haveVideo) ? "video" : (value == "audio" && !shape.audio) ? "audio" : "";
            if (kind == "video") haveVideo = true;
            if (kind == "audio") shape.audio = true;
        } else if (kind == "video") {
            if (key == "width") shape.width = atoi(value.c_str());
            if (key == "height") shape.height = atoi(value.c_str());
            if (key == "sample_aspect_ratio" && value.find(':') != std::string::npos && value != "0:1") shape.sar = value;
            if (key == "r_frame_rate") rate = value;
            if (key == "avg_frame_rate") average = value;
        } else if (kind == "audio") {
            if (key == "sample_rate") shape.sampleRate = atoi(value.c_str());
            if (key == "channels") shape.channels = atoi(value.c_str());
        }
    }
    if (!shape.sar.empty()) {
        size_t colon = shape.sar.find(':');
        if (colon != std::string::npos) shape.sar[colon] = '/';
    }
    if (haveVideo) shape.frameRate = ChooseFrameRate(rate, average);
    return shape;
}

Outcome CutSegment(const std::string& input, double start, double end, const std::string& segment) {
    return RunFFmpeg(BuildCommand(kCutTemplate, {{"InputFile", input}, {"Start", start}, {"Length", end - start},
                                                 {"Segment", segment}}),
                     0);
}

Outcome SimpleRender(const std::vector<double>& starts, const std::vector<double>& ends, const std::string& input,
                     const std::string& output) {
    WorkFiles files(plat::TempFolder() + "qmt_split" + plat::PathSeparator());
    std::string list = files.Path("concat.txt");
    if (!plat::WriteTextFile(list, "")) return Failed(msg::kConcatListFailed);
    const int m = static_cast<int>(starts.size());
    std::string text;
    for (int i = 0; i < m; ++i) {
        ReportProgress(50 * i / m);
        std::string segment = files.Path(Fmt("seg_%d.mp4", i));
        if (!CutSegment(input, starts[i], ends[i], segment).ok) return Failed(msg::kSegmentNotSplit);
        text += ConcatListLine(segment);
    }
    bool listed = plat::WriteTextFile(list, text);
    ReportProgress(80);
    if (!listed || !RunFFmpeg(BuildCommand(kConcatTemplate, {{"List", list}, {"OutputFile", output}}), 0).ok)
        return Failed(msg::kConcatFailed);
    return Done();
}

// The frame rate "num/den" (or "num") of a probe; 25 when it is not usable.
void ParseRate(const std::string& rate, int& num, int& den) {
    num = 25;
    den = 1;
    if (sscanf(rate.c_str(), "%d/%d", &num, &den) < 1 || num <= 0) num = 25;
    if (den <= 0) den = 1;
}

// One piece of the chain in the graph: its picture brought to the main
// video's size, pixel shape, frame rate and 4:2:0 in exactly `frames` frames
// from time 0 (FFmpeg 4.1's concat takes a piece whose first frame is late for
// a longer one),
// and its sound (when the main video has any), read from input `soundInput`,
// to the main video's rate and channels for just as long, silence (-1) for a
// clip without sound. An inserted
// clip is fitted into the picture, bordered where its shape differs.
std::string PieceStatements(const MediaShape& shape, int input, bool inserted, int soundInput, int frames,
                            double length, const std::string& video, const std::string& audio) {
    std::string fit = inserted ? Fmt("scale=%d:%d:force_original_aspect_ratio=decrease,pad=%d:%d:(ow-iw)/2:(oh-ih)/2,",
                                     shape.width, shape.height, shape.width, shape.height)
                               : std::string();
    std::string s = Fmt("[%d:v]setpts=PTS-STARTPTS,%ssetsar=%s,fps=%s,format=yuv420p,tpad=stop=-1:stop_mode=clone,"
                        "trim=end_frame=%d,settb=AVTB%s",
                        input, fit.c_str(), shape.sar.c_str(), shape.frameRate.c_str(), frames, video.c_str());
    if (!shape.audio) return s;
    std::string source = soundInput >= 0 ? Fmt("[%d:a]", soundInput) : Fmt("anullsrc=r=%d:cl=mono,", shape.sampleRate);
    return s + Fmt(";%saformat=sample_rates=%d:channel_layouts=%dc,asetpts=PTS-STARTPTS,apad,atrim=end=%.6f%s",
                   source.c_str(), shape.sampleRate, shape.channels > 0 ? shape.channels : 2, length, audio.c_str());
}

// Joins the next piece with `transition` (plain cut when empty), its length
// capped by `share` of the result so far, in whole frames.
void JoinPiece(GraphJoin& join, const std::string& video, const std::string& audio, int frames,
               const char* transition, double wanted, double share) {
    double seconds = transition[0] ? CappedTransition(wanted, JoinSeconds(join, join.frames), share) : 0;
    int fade = transition[0] ? std::max(1, JoinFrames(join, seconds)) : 0;
    JoinNext(join, video, audio, frames, transition[0] ? XfadeSpelling(transition) : std::string(), fade);
}

// The chain form. Not the pairwise chain of its first design (every segment
// cut to a file, each join a run of its own that encoded the result so far
// again, inserted clips re-encoded first): the same segments, inserted clips,
// transitions and lengths are one filter graph here, encoded once.
Outcome ChainRender(const std::vector<SplitRecord>& splits, const std::vector<double>& starts,
                    const std::vector<double>& ends, const std::string& input, const std::string& output) {
    const int m = static_cast<int>(starts.size());
    const int n = static_cast<int>(splits.size());
    MediaShape shape = ProbeShape(input);
    std::string graph;
    CommandOutcome inputs = BuildCommand("", {});
    for (int i = 0; i < m; ++i)
        inputs = BuildCommand(i == 0 ? "%s-ss %.3f -t %.3f -i \"%s\"" : "%s -ss %.3f -t %.3f -i \"%s\"",
                              {{"Inputs", inputs}, {"Start", starts[i]}, {"Length", ends[i] - starts[i]},
                               {"InputFile", input}});
    int rateNum = 25, rateDen = 1;
    ParseRate(shape.frameRate, rateNum, rateDen);
    GraphJoin join = StartJoin("[v0]", shape.audio ? "[a0]" : "", 0, rateNum, rateDen);
    int pictureInputs = m;
    for (int k = 0; k < n; ++k) pictureInputs += splits[k].insertClip[0] ? 1 : 0;
    SoundInputs sounds(pictureInputs);
    std::vector<int> frames;
    for (int i = 0; i < m; ++i) {
        frames.push_back(std::max(1, JoinFrames(join, ends[i] - starts[i])));
        int sound = shape.audio ? sounds.Add(input, starts[i], ends[i] - starts[i]) : -1;
        AppendStatement(graph, PieceStatements(shape, i, false, sound, frames[i], JoinSeconds(join, frames[i]),
                                               Fmt("[v%d]", i), Fmt("[a%d]", i)));
    }
    join.frames = frames[0];
    int nextInput = m;
    for (int k = 0; k < n; ++k) {
        const SplitRecord& split = splits[k];
        std::string nextAudio = shape.audio ? Fmt("[a%d]", k + 1) : "";
        if (split.insertClip[0]) {
            MediaShape clip = ProbeShape(split.insertClip);
            double clipSeconds = ProbeDurationSeconds(split.insertClip);
            if (clip.width <= 0 || !(clipSeconds > 0)) return Failed(msg::kInsertClipNotEncoded);
            inputs = BuildCommand("%s -i \"%s\"", {{"Inputs", inputs}, {"ClipFile", split.insertClip}});
            int clipFrames = std::max(1, JoinFrames(join, clipSeconds));
            std::string video = Fmt("[iv%d]", k), audio = shape.audio ? Fmt("[ia%d]", k) : "";
            int sound = shape.audio && clip.audio ? sounds.AddWhole(split.insertClip) : -1;
            AppendStatement(graph, PieceStatements(shape, nextInput++, true, sound, clipFrames,
                                                   JoinSeconds(join, clipFrames), video, audio));
            JoinPiece(join, video, audio, clipFrames, split.transition, split.transitionDuration, 0.4);
            JoinPiece(join, Fmt("[v%d]", k + 1), nextAudio, frames[k + 1], split.exitTransition, split.exitDuration,
                      0.4);
        } else {
            JoinPiece(join, Fmt("[v%d]", k + 1), nextAudio, frames[k + 1], split.transition,
                      split.transitionDuration, 0.5);
        }
    }
    AppendStatement(graph, join.graph);
    inputs = sounds.After(inputs);

    WorkFiles files(plat::TempFolder() + "qmt_splitr" + plat::PathSeparator());
    // Written aside and copied at the end, so a failed render leaves the
    // author's output untouched.
    std::string joined = files.Path("joined.mp4");
    CommandOutcome rest =
        shape.audio ? BuildCommand("-map \"%s\" -map \"%s\" -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                                   {{"Video", join.video}, {"Audio", join.audio}, {"Output", joined}})
                    : BuildCommand("-map \"%s\" -c:v libx264 -preset fast -crf 18 \"%s\"",
                                   {{"Video", join.video}, {"Output", joined}});
    CommandOutcome graphOption = FilterGraphOption(graph, inputs.text.size() + rest.text.size() + 2, files);
    ReportProgress(5);
    SetProgressBand(5, 95);
    Outcome run = RunFFmpeg(BuildCommand("%s %s %s", {{"Inputs", inputs}, {"Graph", graphOption}, {"Rest", rest}}),
                            JoinSeconds(join, join.frames));
    if (!run.ok) return Failed(msg::kChainRenderFailed);
    // A failed copy goes unreported, as authors' scripts expect "Complete" here.
    plat::CopyFileOver(joined, output);
    return Done();
}

}  // namespace

double CappedTransition(double wanted, double length, double share) {
    double td = wanted < share * length ? wanted : share * length;
    return td < 0.1 ? 0.5 : td;
}

void RenderSplits(const std::vector<SplitRecord>& splits, const std::string& input, const std::string& output) {
    if (splits.empty()) {
        ReportError(msg::kNoSplits);
        return;
    }
    double total = ProbeDurationSeconds(input);
    if (!(total > 0)) {
        ReportError(msg::kUnknownDuration);
        return;
    }
    std::vector<double> starts, ends;
    bool plain = true;
    for (size_t i = 0; i <= splits.size(); ++i) {
        starts.push_back(i == 0 ? 0.0 : splits[i - 1].time);
        ends.push_back(i == splits.size() ? total : splits[i].time);
        if (i < splits.size() && (splits[i].transition[0] || splits[i].insertClip[0])) plain = false;
    }
    // A failed run has reported FFmpeg's own message; the render's follows it.
    ReportOutcome(plain ? SimpleRender(starts, ends, input, output) : ChainRender(splits, starts, ends, input, output),
                  output);
}
