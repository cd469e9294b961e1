#include "strips/split_render.h"
#include <cstdlib>
#include <sstream>
#include "host/report.h"
#include "host/text_util.h"
#include "operations/word_tables.h"
#include "platform/platform.h"
#include "toolchain/command_builder.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"

namespace {

const char kCutTemplate[] =
    "-i \"%s\" -ss %.3f -t %.3f -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"";
const char kConcatTemplate[] = "-f concat -safe 0 -i \"%s\" -c copy \"%s\"";
// xfade gives 4:4:4 from 4:2:0 inputs; format=yuv420p after it keeps every
// piece of the chain 4:2:0, so later stream-copy joins stay readable. The
// second file's sound is padded by one sample so that FFmpeg 7's acrossfade
// cannot end before the first file's sound has (see XfadeJoinCommand).
const char kXfadeTemplate[] =
    "-i \"%s\" -i \"%s\" -filter_complex \"[0:v][1:v]xfade=transition=%s:duration=%.2f:offset=%.2f,format=yuv420p[outv];"
    "[1:a]apad=pad_len=1[a1];[0:a][a1]acrossfade=d=%.2f[outa]\" -map \"[outv]\" -map \"[outa]\" -c:v libx264 "
    "-preset fast -crf 18 -c:a aac \"%s\"";
// A source without sound has no [0:a] for acrossfade.
const char kXfadeVideoTemplate[] =
    "-i \"%s\" -i \"%s\" -filter_complex \"[0:v][1:v]xfade=transition=%s:duration=%.2f:offset=%.2f,format=yuv420p[outv]\" "
    "-map \"[outv]\" -c:v libx264 -preset fast -crf 18 \"%s\"";

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
    if (!CaptureToolOutput(Fmt("-v quiet -show_entries stream=codec_type,width,height,sample_aspect_ratio,r_frame_rate,"
                               "sample_rate,channels -of default=noprint_wrappers=1 \"%s\"",
                               path.c_str()),
                           out, 8192))
        return shape;
    std::istringstream lines(out);
    std::string line, kind;
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
            if (key == "r_frame_rate" && value != "0/0") shape.frameRate = value;
        } else if (kind == "audio") {
            if (key == "sample_rate") shape.sampleRate = atoi(value.c_str());
            if (key == "channels") shape.channels = atoi(value.c_str());
        }
    }
    if (!shape.sar.empty()) {
        size_t colon = shape.sar.find(':');
        if (colon != std::string::npos) shape.sar[colon] = '/';
    }
    return shape;
}

// The temporary files of one render, so that every exit removes the same set.
struct RenderFiles {
    std::string folder;
    std::vector<std::string> made;
    std::string Name(const char* pattern, int index) {
        std::string path = Fmt(pattern, folder.c_str(), index);
        made.push_back(path);
        return path;
    }
    void Drop(const std::string& path) { plat::DeleteFilePath(path); }
    void CleanUp() {
        for (const std::string& path : made) plat::DeleteFilePath(path);
        plat::RemoveDirectoryPath(folder);
    }
};

bool Run(const CommandOutcome& command) {
    if (!command.ok) {
        ReportError(command.error);
        return false;
    }
    return RunFFmpeg(command.text, 0);
}

bool CutSegment(const std::string& input, double start, double end, const std::string& segment) {
    return Run(BuildCommand(kCutTemplate, {{"InputFile", input}, {"Start", start}, {"Length", end - start},
                                           {"Segment", segment}}));
}

bool Concat(RenderFiles& files, int listIndex, const std::string& first, const std::string& second,
            const std::string& output) {
    std::string list = files.Name("%scat_%d.txt", listIndex);
    bool ok = plat::WriteTextFile(list, ConcatListLine(first) + ConcatListLine(second)) &&
              Run(BuildCommand(kConcatTemplate, {{"List", list}, {"Output", output}}));
    files.Drop(list);
    return ok;
}

bool Crossfade(const MediaShape& shape, const std::string& first, const std::string& second, const char* transition,
               double td, double offset, const std::string& output) {
    if (shape.audio)
        return Run(BuildCommand(kXfadeTemplate, {{"First", first}, {"Second", second}, {"Transition", transition},
                                                 {"Duration", td}, {"Offset", offset}, {"Duration", td},
                                                 {"Output", output}}));
    return Run(BuildCommand(kXfadeVideoTemplate, {{"First", first}, {"Second", second}, {"Transition", transition},
                                                  {"Duration", td}, {"Offset", offset}, {"Output", output}}));
}

// Joins `first` and `second` into `output`: a cross-fade when a transition is
// named, a plain join otherwise.
bool JoinPair(RenderFiles& files, int listIndex, const MediaShape& shape, const std::string& first,
              const std::string& second, const char* transition, double wanted, double share,
              const std::string& output) {
    if (!transition[0]) return Concat(files, listIndex, first, second, output);
    double length = ProbeDurationSeconds(first);
    double td = CappedTransition(wanted, length, share);
    return Crossfade(shape, first, second, transition, td, length - td, output);
}

// An inserted clip brought to the main video's size, pixel shape, frame rate
// and sound, so that it can be cross-faded with it and joined to it: xfade
// refuses inputs of another size or time base, and a stream-copy join of
// unlike pieces gives a broken file.
bool EncodeInsert(const MediaShape& shape, const std::string& clip, const std::string& output) {
    CommandOutcome picture = BuildCommand(
        "-vf \"scale=%d:%d:force_original_aspect_ratio=decrease,pad=%d:%d:(ow-iw)/2:(oh-ih)/2,setsar=%s,fps=%s,"
        "format=yuv420p\"",
        {{"Width", shape.width}, {"Height", shape.height}, {"Width", shape.width}, {"Height", shape.height},
         {"SAR", shape.sar}, {"FrameRate", shape.frameRate}});
    if (!shape.audio)
        return Run(BuildCommand("-i \"%s\" %s -c:v libx264 -preset fast -crf 18 -an \"%s\"",
                                {{"ClipFile", clip}, {"Picture", picture}, {"Output", output}}));
    // A clip without sound gets silence, so the join keeps one audio stream.
    bool clipHasSound = ProbeShape(clip).audio;
    CommandOutcome sound = clipHasSound
        ? BuildCommand("-map 0:v:0 -map 0:a:0 -shortest", {})
        : BuildCommand("-f lavfi -i anullsrc=r=%d:cl=mono -map 0:v:0 -map 1:a:0 -shortest", {{"Rate", shape.sampleRate}});
    return Run(BuildCommand("-i \"%s\" %s %s -c:v libx264 -preset fast -crf 18 -c:a aac -ar %d -ac %d \"%s\"",
                            {{"ClipFile", clip}, {"Sound", sound}, {"Picture", picture}, {"Rate", shape.sampleRate},
                             {"Channels", shape.channels}, {"Output", output}}));
}

void SimpleRender(const std::vector<double>& starts, const std::vector<double>& ends, const std::string& input,
                  const std::string& output) {
    RenderFiles files;
    files.folder = plat::TempFolder() + "qmt_split" + plat::PathSeparator();
    plat::MakeDirectory(files.folder);
    std::string list = files.Name("%sconcat.txt", 0);
    if (!plat::WriteTextFile(list, "")) {
        files.CleanUp();
        ReportError("Failed to create concat list.");
        return;
    }
    const int m = static_cast<int>(starts.size());
    std::string text;
    for (int i = 0; i < m; ++i) {
        ReportProgress(50 * i / m);
        std::string segment = files.Name("%sseg_%d.mp4", i);
        if (!CutSegment(input, starts[i], ends[i], segment)) {
            files.CleanUp();
            ReportError("Failed to split segment.");
            return;
        }
        text += ConcatListLine(segment);
    }
    bool listed = plat::WriteTextFile(list, text);
    ReportProgress(80);
    bool joined = listed && Run(BuildCommand(kConcatTemplate, {{"List", list}, {"OutputFile", output}}));
    files.CleanUp();
    if (joined)
        ReportComplete(output);
    else
        ReportError("Concat failed.");
}

void ChainRender(const std::vector<SplitRecord>& splits, const std::vector<double>& starts,
                 const std::vector<double>& ends, const std::string& input, const std::string& output) {
    RenderFiles files;
    files.folder = plat::TempFolder() + "qmt_splitr" + plat::PathSeparator();
    plat::MakeDirectory(files.folder);
    const int m = static_cast<int>(starts.size());
    const int n = static_cast<int>(splits.size());
    std::vector<std::string> segments;
    for (int i = 0; i < m; ++i) {
        ReportProgress(40 * i / m);
        segments.push_back(files.Name("%sseg_%d.mp4", i));
        if (!CutSegment(input, starts[i], ends[i], segments.back())) {
            files.CleanUp();
            ReportError("Failed to split segments.");
            return;
        }
    }
    MediaShape shape = ProbeShape(input);
    std::string current = segments[0];
    int q = 0;
    auto dropCurrent = [&] {
        if (current != segments[0]) files.Drop(current);
    };
    for (int k = 0; k < n; ++k) {
        ReportProgress(40 + 50 * k / n);
        const SplitRecord& split = splits[k];
        const std::string& next = segments[k + 1];
        bool ok;
        if (split.insertClip[0]) {
            std::string insert = files.Name("%sins_%d.mp4", k);
            if (!EncodeInsert(shape, split.insertClip, insert)) {
                files.CleanUp();
                ReportError("Failed to encode insert clip.");
                return;
            }
            std::string a = files.Name("%schain_%d.mp4", q++);
            ok = JoinPair(files, q, shape, current, insert, split.transition, split.transitionDuration, 0.4, a);
            dropCurrent();
            files.Drop(insert);
            if (ok) {
                std::string b = files.Name("%schain_%d.mp4", q++);
                ok = JoinPair(files, q, shape, a, next, split.exitTransition, split.exitDuration, 0.4, b);
                files.Drop(a);
                current = b;
            }
        } else {
            std::string joined = files.Name("%schain_%d.mp4", q++);
            ok = JoinPair(files, q, shape, current, next, split.transition, split.transitionDuration, 0.5, joined);
            dropCurrent();
            current = joined;
        }
        if (!ok) {
            files.CleanUp();
            ReportError("Render failed during chain processing.");
            return;
        }
    }
    // A failed copy goes unreported, as authors' scripts expect "Complete" here.
    plat::CopyFileOver(current, output);
    files.CleanUp();
    ReportComplete(output);
}

}  // namespace

double CappedTransition(double wanted, double length, double share) {
    double td = wanted < share * length ? wanted : share * length;
    return td < 0.1 ? 0.5 : td;
}

void RenderSplits(const std::vector<SplitRecord>& splits, const std::string& input, const std::string& output) {
    if (splits.empty()) {
        ReportError("No splits defined. Use Split Here to add cut points.");
        return;
    }
    double total = ProbeDurationSeconds(input);
    if (!(total > 0)) {
        ReportError("Cannot determine video duration.");
        return;
    }
    std::vector<double> starts, ends;
    bool plain = true;
    for (size_t i = 0; i <= splits.size(); ++i) {
        starts.push_back(i == 0 ? 0.0 : splits[i - 1].time);
        ends.push_back(i == splits.size() ? total : splits[i].time);
        if (i < splits.size() && (splits[i].transition[0] || splits[i].insertClip[0])) plain = false;
    }
    if (plain)
        SimpleRender(starts, ends, input, output);
    else
        ChainRender(splits, starts, ends, input, output);
}
