#include "timeline/timeline_render.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include "host/report.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "operations/transition_render.h"
#include "operations/transition_types.h"
#include "operations/word_tables.h"
#include "timeline/filter_fragments.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"

namespace {

const size_t kMaxInputs = 2047;
// Join outputs past the last one made are deleted too, in case an earlier
// render of the same folder left them behind.
const int kExtraJoinFiles = 4;

bool IsExitTransition(const char* trans) { return strncmp(trans, "out:", 4) == 0; }

void Add(ClipRef* list, int& count, int track, int slot) {
    list[count].track = track;
    list[count].slot = slot;
    ++count;
}

// A clip's window relative to the main clip M, for the one-command path.
void WindowFrom(const NleClip& c, const NleClip& m, double& from, double& to) {
    from = std::max(0.0, c.start - m.start);
    to = (c.start - m.start) + c.duration;
}

bool Overlaps(const NleClip& c, const NleClip& m) {
    return c.start + c.duration > m.start && m.start + m.duration > c.start;
}

// Does ffprobe find an audio stream? Segments without one get silence so that
// every segment can be cross-faded and concatenated the same way.
bool SourceHasAudio(const std::string& file) {
    std::string out;
    CommandOutcome probe =
        BuildCommand("-v quiet -select_streams a:0 -show_entries stream=codec_type -of csv=p=0 \"%s\"", {{"File", file}});
    if (!probe.ok || !CaptureToolOutput(probe.text, out, 2048)) return false;
    return TrimAnswer(out).find("audio") != std::string::npos;
}

std::string WorkFolder() { return plat::TempFolder() + "qmt_nle" + plat::PathSeparator(); }

// Every picture the render writes is 4:2:0, which every player decodes.
const char kPictureFormat[] = "format=yuv420p";

int FrameCount(double seconds, const SegmentFormat& format) {
    int frames = static_cast<int>(seconds * format.rateNum / format.rateDen + 0.5);
    return frames > 0 ? frames : 1;
}

}  // namespace

void GatherRenderLists(const NleTimeline& tl, RenderLists& lists) {
    memset(&lists, 0, sizeof lists);
    for (int t = 0; t < tl.trackCount && t < kNleTrackCount; ++t) {
        const NleTrack& track = tl.tracks[t];
        if (!track.inUse) continue;
        for (int s = 0; s < kNleMaxClips; ++s) {
            const NleClip& c = track.clips[s];
            if (!c.inUse) continue;
            if (track.kind == kTrackMainVideo && c.file[0]) Add(lists.main, lists.mainCount, t, s);
            if (track.kind == kTrackEffects && c.filter[0]) Add(lists.effects, lists.effectCount, t, s);
            if (track.kind == kTrackText && c.text[0]) Add(lists.texts, lists.textCount, t, s);
            if (track.kind == kTrackAudio && EqualsNoCase(track.name, "A2") && c.file[0])
                Add(lists.mix, lists.mixCount, t, s);
            if (track.kind == kTrackOverlay && c.file[0]) Add(lists.overlays, lists.overlayCount, t, s);
        }
    }
    std::stable_sort(lists.main, lists.main + lists.mainCount,
                     [&](ClipRef a, ClipRef b) { return RefClip(tl, a).start < RefClip(tl, b).start; });
}

namespace {

// A clip as an author knows it, for messages.
std::string ClipName(const NleClip& c) {
    if (c.label[0]) return c.label;
    if (c.file[0]) return c.file;
    if (c.text[0]) return c.text;
    return c.filter;
}

std::string ChainFull(const NleClip& c, const NleClip& m) {
    return Fmt("Cannot include clip \"%s\": the filter chain of \"%s\" is full.", ClipName(c).c_str(),
               ClipName(m).c_str());
}

bool Append(std::string& chain, const std::string& fragment, const NleClip& c, const NleClip& m, std::string& error) {
    if (AppendFragment(chain, fragment)) return true;
    error = ChainFull(c, m);
    return false;
}

}  // namespace

bool Assembled(const CommandOutcome& command, std::string& args, std::string& error) {
    args = command.text;
    error = command.error;
    return command.ok;
}

bool NeedsSegmentPath(const NleTimeline& tl, const RenderLists& lists) {
    if (lists.mainCount != 1 || lists.mixCount > 0) return true;
    double factor = 0;
    for (int i = 0; i < lists.effectCount; ++i) {
        const NleClip& c = RefClip(tl, lists.effects[i]);
        if (SpeedEffectFactor(c.filter, factor) && Overlaps(c, RefClip(tl, lists.main[0]))) return true;
    }
    return false;
}

bool OneCommandArguments(const NleTimeline& tl, const RenderLists& lists, const std::string& output, std::string& args,
                         std::string& error) {
    const NleClip& m = RefClip(tl, lists.main[0]);
    std::string chain;
    double from = 0, to = 0;
    for (int i = 0; i < lists.effectCount; ++i) {
        const NleClip& c = RefClip(tl, lists.effects[i]);
        WindowFrom(c, m, from, to);
        if (!Append(chain, TimedEffect(c.filter, from, to), c, m, error)) return false;
    }
    for (int i = 0; i < lists.textCount; ++i) {
        const NleClip& c = RefClip(tl, lists.texts[i]);
        WindowFrom(c, m, from, to);
        if (!Append(chain, BuildDrawText(c, from, to), c, m, error)) return false;
    }
    if (m.transIn[0]) {
        double length = m.srcOut > m.srcIn ? m.srcOut - m.srcIn : m.duration;
        if (!Append(chain, ClipFadeFragment(m, length), m, m, error)) return false;
    }
    // The RGB effects (Sepia, Vintage) and edgedetect would otherwise leave
    // 4:4:4 or full-range pictures that common players refuse.
    if (!Append(chain, kPictureFormat, m, m, error)) return false;
    // Seeking and limiting on the input keeps picture and sound to the clip's
    // own stretch of the source: a trim in the graph would keep the whole rest
    // of the sound and, without an end, of the picture.
    CommandOutcome input =
        BuildCommand("-ss %.3f -t %.3f -i \"%s\"", {{"srcIn", m.srcIn}, {"duration", m.duration}, {"File", m.file}});

    if (lists.overlayCount > 0) {
        CommandOutcome inputs = input;
        std::string graph = Fmt("[0:v]%s[base]", chain.c_str());
        for (int i = 0; i < lists.overlayCount; ++i) {
            const NleClip& o = RefClip(tl, lists.overlays[i]);
            inputs = BuildCommand("%s -i \"%s\"", {{"Inputs", inputs}, {"File", o.file}});
            if (inputs.ok && inputs.text.size() > kMaxInputs) {
                error = Fmt("Cannot include overlay \"%s\": too many overlay files.", ClipName(o).c_str());
                return false;
            }
            WindowFrom(o, m, from, to);
            std::string previous = i == 0 ? "[base]" : Fmt("[ov%d]", i - 1);
            // The overlay filter picks its own output format; the last one is brought back to 4:2:0.
            std::string label = i == lists.overlayCount - 1 ? ",format=yuv420p[outv]" : Fmt("[ov%d]", i);
            graph += Fmt(";[%d:v]format=rgba,colorchannelmixer=aa=%.2f[ovr%d];%s[ovr%d]overlay=%d:%d:enable='between(t,%.2f,%.2f)'%s",
                         i + 1, o.opacity > 0 ? o.opacity : 1.0, i, previous.c_str(), i, 0, 0, from, to, label.c_str());
        }
        return Assembled(BuildCommand("%s -filter_complex \"%s\" -map \"[outv]\" -map 0:a? -c:v libx264 -preset fast "
                                      "-crf 18 -c:a aac \"%s\"",
                                      {{"Inputs", inputs}, {"Graph", graph}, {"OutputFile", output}}),
                         args, error);
    }
    return Assembled(BuildCommand("%s -filter_complex \"[0:v]%s[outv]\" -map \"[outv]\" -map 0:a? -c:v libx264 -preset fast "
                                  "-crf 18 -c:a aac \"%s\"",
                                  {{"Input", input}, {"Chain", chain}, {"OutputFile", output}}),
                     args, error);
}

bool SegmentChain(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                  std::string& chain, std::string& error) {
    const NleClip& m = RefClip(tl, lists.main[i]);
    // setsar=1: sources of other shapes must not carry their own aspect into the joins.
    chain = Fmt("scale=%d:%d:flags=%s,setsar=1", format.width, format.height, format.scaleFlags);
    return AppendOverlapping(tl, lists, m, true, chain, error);
}

std::string ClipFadeFragment(const NleClip& m, double length) {
    if (!m.transIn[0]) return std::string();
    double d = m.transInDur > 0 ? m.transInDur : 1.0;
    return IsExitTransition(m.transIn) ? Fmt("fade=t=out:st=%.2f:d=%.2f", std::max(0.0, length - d), d)
                                       : Fmt("fade=t=in:st=0:d=%.2f", d);
}

bool AppendOverlapping(const NleTimeline& tl, const RenderLists& lists, const NleClip& m, bool holdEnd,
                       std::string& chain, std::string& error) {
    const ClipRef* groups[2] = {lists.effects, lists.texts};
    int counts[2] = {lists.effectCount, lists.textCount};
    for (int g = 0; g < 2; ++g) {
        for (int k = 0; k < counts[g]; ++k) {
            const NleClip& c = RefClip(tl, groups[g][k]);
            if (!Overlaps(c, m)) continue;
            double from = std::max(0.0, c.start - m.start);
            double to = c.start + c.duration - m.start;
            if (holdEnd) to = std::min(m.duration, to);
            std::string fragment = g == 0 ? TimedEffect(c.filter, from, to) : BuildDrawText(c, from, to);
            if (!Append(chain, fragment, c, m, error)) return false;
        }
    }
    return true;
}

double SegmentLength(const NleClip& m, const SegmentFormat& format) {
    return FrameCount(m.duration, format) * format.rateDen / static_cast<double>(format.rateNum);
}

std::string SegmentPicture(const std::string& chain, const NleClip& m, const SegmentFormat& format) {
    return Fmt("%s,fps=%d/%d,%s,tpad=stop=-1:stop_mode=clone,trim=end_frame=%d", chain.c_str(), format.rateNum,
               format.rateDen, kPictureFormat, FrameCount(m.duration, format));
}

bool SegmentArguments(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                      bool withAudio, const std::string& segment, std::string& args, std::string& error) {
    const NleClip& m = RefClip(tl, lists.main[i]);
    std::string chain;
    if (!SegmentChain(tl, lists, i, format, chain, error)) return false;
    // Every segment leaves with the first clip's frame rate and 4:2:0
    // pictures, and with exactly as much sound as picture: a whole number of
    // frames, the sound cut or padded with silence to the same length, so
    // xfade accepts any pair and no join puts picture and sound out of step.
    double length = SegmentLength(m, format);
    std::string video = Fmt("[0:v]%s[outv]", SegmentPicture(chain, m, format).c_str());
    std::string audio = Fmt("[%d:a]aformat=sample_rates=44100:channel_layouts=stereo[a0];", withAudio ? 0 : 1);
    int stage = 0;
    double factor = 0;
    for (int k = 0; k < lists.effectCount; ++k) {
        const NleClip& c = RefClip(tl, lists.effects[k]);
        if (!Overlaps(c, m) || !SpeedEffectFactor(c.filter, factor)) continue;
        double from = std::max(0.0, c.start - m.start);
        double to = std::min(m.duration, c.start + c.duration - m.start);
        audio += SpeedWindowAudio(factor, from, to, stage, Fmt("[a%d]", stage), Fmt("[a%d]", stage + 1)) + ";";
        ++stage;
    }
    audio += Fmt("[a%d]apad,atrim=end=%.6f[outa]", stage, length);
    CommandOutcome inputs =
        withAudio ? BuildCommand("-ss %.3f -t %.3f -i \"%s\"", {{"srcIn", m.srcIn}, {"duration", m.duration}, {"File", m.file}})
                  : BuildCommand("-ss %.3f -t %.3f -i \"%s\" -f lavfi -t %.3f -i anullsrc=r=44100:cl=stereo",
                                 {{"srcIn", m.srcIn}, {"duration", m.duration}, {"File", m.file}, {"duration", m.duration}});
    // The pieces carry their sound as ALAC: AAC pads each file's sound past
    // its end, and every join would add that to the sound's length.
    return Assembled(BuildCommand("%s -filter_complex \"%s;%s\" -map \"[outv]\" -map \"[outa]\" -c:v libx264 -preset fast "
                                  "-crf 18 -c:a alac -ac 2 -ar 44100 \"%s\"",
                                  {{"Inputs", inputs}, {"Video", video}, {"Audio", audio}, {"Segment", segment}}),
                     args, error);
}

void ParseFrameSize(const std::string& answer, int& width, int& height) {
    width = height = 0;
    if (sscanf(answer.c_str(), "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0) {
        width = 1920;
        height = 1080;
    }
    width &= ~1;
    height &= ~1;
}

void ParseFrameRate(const std::string& answer, int& num, int& den) {
    num = den = 0;
    if (sscanf(answer.c_str(), "%d/%d", &num, &den) != 2 || num <= 0 || den <= 0 || num > 1000 * den) {
        num = 25;
        den = 1;
    }
}

double JoinLength(double nominal, double resultLength, double segmentLength) {
    double t = std::min(0.4 * resultLength, nominal);
    if (t < 0.1) t = 0.5;
    // A fade that reaches the end of the piece it fades into swallows it: the
    // picture ends early and the sound runs on. Only then is it held to 0.4
    // of that piece, the share the joined side is held to.
    return t > segmentLength - 0.1 ? 0.4 * segmentLength : t;
}

bool ChooseJoinTransition(const NleClip& previous, const NleClip& current, std::string& name, double& duration) {
    if (current.transIn[0] && !IsExitTransition(current.transIn)) {
        name = XfadeSpelling(current.transIn);
        duration = current.transInDur;
        return true;
    }
    if (IsExitTransition(previous.transIn)) {
        name = XfadeSpelling(previous.transIn + 4);
        duration = previous.transInDur;
        return true;
    }
    if (previous.transIn[0]) {
        name = XfadeSpelling(previous.transIn);
        duration = previous.transInDur;
        return true;
    }
    return false;
}

std::unique_ptr<TimelineSnapshot> SnapshotTimeline(NleTimeline& live) {
    std::unique_ptr<TimelineSnapshot> snapshot(new TimelineSnapshot);
    plat::LockHold hold(live.lock);
    snapshot->tl = live;
    snapshot->tl.lock = plat::Lock();
    GatherRenderLists(snapshot->tl, snapshot->lists);
    return snapshot;
}

std::string SegmentPath(const SegmentFiles& f, int i) { return Fmt("%sseg_%d.mp4", f.folder.c_str(), i); }
std::string MixPath(const SegmentFiles& f) { return f.folder + "final_mix.mp4"; }

namespace {

std::string ChainPath(const SegmentFiles& f, int k) { return Fmt("%schain_%d.mp4", f.folder.c_str(), k); }
std::string ListPath(const SegmentFiles& f, int k) { return Fmt("%scat_%d.txt", f.folder.c_str(), k); }

// Each run of the render reports inside its step's band of the whole.
void Step(int from, int to) {
    ReportProgress(from);
    SetProgressBand(from, to);
}

}  // namespace

void CleanUpSegmentFiles(const SegmentFiles& f, int lastJoinFile) {
    for (int i = 0; i < f.segments; ++i) plat::DeleteFilePath(SegmentPath(f, i));
    for (int k = 0; k <= lastJoinFile; ++k) {
        plat::DeleteFilePath(ChainPath(f, k));
        plat::DeleteFilePath(ListPath(f, k));
    }
    plat::DeleteFilePath(MixPath(f));
    plat::RemoveDirectoryPath(f.folder);
}

SegmentFormat ProbeSegmentFormat(const std::string& file) {
    SegmentFormat format = {0, 0, 0, 0};
    std::string answer;
    CommandOutcome probe = BuildCommand(
        "-v quiet -select_streams v:0 -show_entries stream=width,height -of csv=p=0:s=x \"%s\"", {{"File", file}});
    if (probe.ok) CaptureToolOutput(probe.text, answer, 2048);
    ParseFrameSize(answer, format.width, format.height);
    answer.clear();
    probe = BuildCommand("-v quiet -select_streams v:0 -show_entries stream=r_frame_rate -of csv=p=0 \"%s\"",
                         {{"File", file}});
    if (probe.ok) CaptureToolOutput(probe.text, answer, 2048);
    ParseFrameRate(answer, format.rateNum, format.rateDen);
    return format;
}

bool CutAndJoin(const NleTimeline& tl, const RenderLists& lists, const SegmentFormat& format,
                const PieceCommands& commands, SegmentFiles& files, std::string& result, std::string& error) {
    int n = lists.mainCount;
    std::vector<double> lengths;
    for (int i = 0; i < n; ++i) {
        const NleClip& m = RefClip(tl, lists.main[i]);
        std::string args;
        if (!commands.segment(tl, lists, i, format, SegmentPath(files, i), args, error)) return false;
        Step(std::min(100, std::max(0, 40 * i / n)), 40 * (i + 1) / n);
        files.segments = i + 1;
        if (!RunFFmpeg(args, m.duration)) return false;
        lengths.push_back(SegmentLength(m, format));
    }

    result = SegmentPath(files, 0);
    for (int i = 1; i < n; ++i) {
        Step(std::min(100, 40 + 40 * i / n), 40 + 40 * (i + 1) / n);
        int k = files.joins++;
        std::string next = ChainPath(files, k);
        std::string segment = SegmentPath(files, i);
        std::string name;
        double nominal = 0;
        bool ok;
        if (ChooseJoinTransition(RefClip(tl, lists.main[i - 1]), RefClip(tl, lists.main[i]), name, nominal)) {
            double length = ProbeDurationSeconds(result);
            // Whole frames: the picture can only change over at a frame, the
            // sound at any sample, and half-frame fades add up to drift.
            double t = FrameCount(JoinLength(nominal, length, lengths[i]), format) * format.rateDen /
                       static_cast<double>(format.rateNum);
            ok = RunFFmpeg(commands.xfade(result, segment, name, t, length - t, next), 0);
        } else {
            // Written the way QMT_Concat writes its list, so a temporary folder
            // with a quote in its name (a user called O'Brien) still joins.
            std::string list = ListPath(files, k);
            plat::WriteTextFile(list, ConcatListLine(result) + ConcatListLine(segment));
            ok = RunFFmpeg(BuildCommand("-f concat -safe 0 -i \"%s\" -c copy \"%s\"", {{"List", list}, {"Output", next}}),
                           0);
            plat::DeleteFilePath(list);
        }
        if (result != SegmentPath(files, 0)) plat::DeleteFilePath(result);
        result = next;
        if (!ok) return false;
    }
    return true;
}

namespace {

bool RenderSegmentArguments(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                            const std::string& segment, std::string& args, std::string& error) {
    return SegmentArguments(tl, lists, i, format, SourceHasAudio(RefClip(tl, lists.main[i]).file), segment, args,
                            error);
}

// Pieces that are joined again carry their sound as ALAC.
CommandOutcome RenderXfade(const std::string& first, const std::string& second, const std::string& name, double length,
                           double offset, const std::string& output) {
    return XfadeJoinCommand(first, second, name, length, offset, output, "alac");
}

const PieceCommands kRenderPieces = {RenderSegmentArguments, RenderXfade};

void RenderSegments(const NleTimeline& tl, const RenderLists& lists, const std::string& output) {
    SegmentFiles files = {WorkFolder(), 0, 0};
    plat::MakeDirectory(files.folder);
    SegmentFormat format = ProbeSegmentFormat(RefClip(tl, lists.main[0]).file);
    std::string result, error;
    if (!CutAndJoin(tl, lists, format, kRenderPieces, files, result, error)) {
        // A failed join has deleted the result it started from already.
        CleanUpSegmentFiles(files, files.joins + kExtraJoinFiles);
        if (!error.empty()) ReportError(error);
        return;
    }

    if (lists.mixCount > 0) {
        Step(80, 95);
        const NleClip& a = RefClip(tl, lists.mix[0]);
        std::string mixed = MixPath(files);
        double delayMs = a.start * 1000;
        if (RunFFmpeg(BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[1:a]adelay=%.0f|%.0f[aud2];[0:a][aud2]amix="
                                   "inputs=2:duration=first[aout]\" -map 0:v -map \"[aout]\" -c:v copy -c:a aac \"%s\"",
                                   {{"Result", result}, {"Music", a.file}, {"Delay", delayMs}, {"Delay", delayMs},
                                    {"Output", mixed}}),
                      0)) {
            if (result != SegmentPath(files, 0)) plat::DeleteFilePath(result);
            result = mixed;
        }
    }

    Step(95, 100);
    bool written;
    if (result == MixPath(files)) {
        written = plat::CopyFileOver(result, output);
        // A missing output folder must end in an error, not in "Complete".
        if (!written) ReportError(OutputNotWritten(output));
    } else {
        // The joined pieces still carry ALAC sound; the author gets AAC.
        written = RunFFmpeg(BuildCommand("-i \"%s\" -map 0:v -map 0:a -c:v copy -c:a aac \"%s\"",
                                         {{"Result", result}, {"OutputFile", output}}),
                            0);
    }
    if (result != SegmentPath(files, 0) && result != output) plat::DeleteFilePath(result);
    CleanUpSegmentFiles(files, files.joins + kExtraJoinFiles);
    if (written) ReportComplete(output);
}

}  // namespace

void RenderTimelineAction(const std::string& rectName, const std::string& outputPath) {
    ReportStart();
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return ReportError("NLE Timeline not found.");
    std::unique_ptr<TimelineSnapshot> snapshot = SnapshotTimeline(*tl);
    const NleTimeline& held = snapshot->tl;
    const RenderLists& lists = snapshot->lists;
    if (lists.mainCount == 0) return ReportError("No video clips on V1.");
    if (outputPath.empty()) return ReportError("No output file given.");

    if (!NeedsSegmentPath(held, lists)) {
        std::string args, error;
        if (!OneCommandArguments(held, lists, outputPath, args, error)) return ReportError(error);
        Step(5, 100);
        if (RunFFmpeg(args, RefClip(held, lists.main[0]).duration)) ReportComplete(outputPath);
        return;
    }
    RenderSegments(held, lists, outputPath);
}
