#include "timeline/timeline_render.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/join_graph.h"
#include "operations/sound_inputs.h"
#include "operations/transition_types.h"
#include "platform/platform.h"
#include "timeline/filter_fragments.h"
#include "toolchain/graph_option.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/work_files.h"

namespace {

const size_t kMaxInputs = 2047;

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
    return Fmt(msg::kChainFull, ClipName(c).c_str(),
               ClipName(m).c_str());
}

Outcome Append(std::string& chain, const std::string& fragment, const NleClip& c, const NleClip& m) {
    return AppendFragment(chain, fragment) ? Done() : Failed(ChainFull(c, m));
}

// A command that cannot be assembled, with the message that says why.
CommandOutcome Refused(const std::string& message) {
    CommandOutcome refused;
    refused.error = message;
    return refused;
}

}  // namespace

bool NeedsSegmentPath(const NleTimeline& tl, const RenderLists& lists) {
    if (lists.mainCount != 1 || lists.mixCount > 0) return true;
    double factor = 0;
    for (int i = 0; i < lists.effectCount; ++i) {
        const NleClip& c = RefClip(tl, lists.effects[i]);
        if (SpeedEffectFactor(c.filter, factor) && Overlaps(c, RefClip(tl, lists.main[0]))) return true;
    }
    return false;
}

CommandOutcome OneCommandArguments(const NleTimeline& tl, const RenderLists& lists, const std::string& output) {
    const NleClip& m = RefClip(tl, lists.main[0]);
    std::string chain;
    double from = 0, to = 0;
    for (int i = 0; i < lists.effectCount; ++i) {
        const NleClip& c = RefClip(tl, lists.effects[i]);
        WindowFrom(c, m, from, to);
        Outcome appended = Append(chain, TimedEffect(c.filter, from, to), c, m);
        if (!appended.ok) return Refused(appended.message);
    }
    for (int i = 0; i < lists.textCount; ++i) {
        const NleClip& c = RefClip(tl, lists.texts[i]);
        WindowFrom(c, m, from, to);
        Outcome appended = Append(chain, BuildDrawText(c, from, to), c, m);
        if (!appended.ok) return Refused(appended.message);
    }
    if (m.transIn[0]) {
        double length = m.srcOut > m.srcIn ? m.srcOut - m.srcIn : m.duration;
        Outcome appended = Append(chain, ClipFadeFragment(m, length), m, m);
        if (!appended.ok) return Refused(appended.message);
    }
    // The RGB effects (Sepia, Vintage) and edgedetect would otherwise leave
    // 4:4:4 or full-range pictures that common players refuse.
    Outcome appended = Append(chain, kPictureFormat, m, m);
    if (!appended.ok) return Refused(appended.message);
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
            if (inputs.ok && inputs.text.size() > kMaxInputs)
                return Refused(Fmt(msg::kTooManyOverlays, ClipName(o).c_str()));
            WindowFrom(o, m, from, to);
            std::string previous = i == 0 ? "[base]" : Fmt("[ov%d]", i - 1);
            // The overlay filter picks its own output format; the last one is brought back to 4:2:0.
            std::string label = i == lists.overlayCount - 1 ? ",format=yuv420p[outv]" : Fmt("[ov%d]", i);
            graph += Fmt(";[%d:v]format=rgba,colorchannelmixer=aa=%.2f[ovr%d];%s[ovr%d]overlay=%d:%d:enable='between(t,%.2f,%.2f)'%s",
                         i + 1, o.opacity > 0 ? o.opacity : 1.0, i, previous.c_str(), i, 0, 0, from, to, label.c_str());
        }
        return BuildCommand("%s -filter_complex \"%s\" -map \"[outv]\" -map 0:a? -c:v libx264 -preset fast "
                            "-crf 18 -c:a aac \"%s\"",
                            {{"Inputs", inputs}, {"Graph", graph}, {"OutputFile", output}});
    }
    return BuildCommand("%s -filter_complex \"[0:v]%s[outv]\" -map \"[outv]\" -map 0:a? -c:v libx264 -preset fast "
                        "-crf 18 -c:a aac \"%s\"",
                        {{"Input", input}, {"Chain", chain}, {"OutputFile", output}});
}

Outcome SegmentChain(const NleTimeline& tl, const RenderLists& lists, int i, const SegmentFormat& format,
                     std::string& chain) {
    const NleClip& m = RefClip(tl, lists.main[i]);
    // setsar=1: sources of other shapes must not carry their own aspect into the joins.
    chain = Fmt("scale=%d:%d:flags=%s,setsar=1", format.width, format.height, format.scaleFlags);
    return AppendOverlapping(tl, lists, m, true, chain, Fmt("c%d", i));
}

std::string ClipFadeFragment(const NleClip& m, double length) {
    if (!m.transIn[0]) return std::string();
    double d = m.transInDur > 0 ? m.transInDur : 1.0;
    return IsExitTransition(m.transIn) ? Fmt("fade=t=out:st=%.2f:d=%.2f", std::max(0.0, length - d), d)
                                       : Fmt("fade=t=in:st=0:d=%.2f", d);
}

Outcome AppendOverlapping(const NleTimeline& tl, const RenderLists& lists, const NleClip& m, bool holdEnd,
                          std::string& chain, const std::string& tag) {
    const ClipRef* groups[2] = {lists.effects, lists.texts};
    int counts[2] = {lists.effectCount, lists.textCount};
    for (int g = 0; g < 2; ++g) {
        for (int k = 0; k < counts[g]; ++k) {
            const NleClip& c = RefClip(tl, groups[g][k]);
            if (!Overlaps(c, m)) continue;
            double from = std::max(0.0, c.start - m.start);
            double to = c.start + c.duration - m.start;
            if (holdEnd) to = std::min(m.duration, to);
            std::string fragment = g == 0 ? TimedEffect(c.filter, from, to, tag) : BuildDrawText(c, from, to);
            Outcome appended = Append(chain, fragment, c, m);
            if (!appended.ok) return appended;
        }
    }
    return Done();
}

double SegmentLength(const NleClip& m, const SegmentFormat& format) {
    return FrameCount(m.duration, format) * format.rateDen / static_cast<double>(format.rateNum);
}

std::string SegmentPicture(const std::string& chain, const NleClip& m, const SegmentFormat& format) {
    return Fmt("setpts=PTS-STARTPTS,%s,fps=%d/%d,%s,tpad=stop=-1:stop_mode=clone,trim=end_frame=%d", chain.c_str(),
               format.rateNum, format.rateDen, kPictureFormat, FrameCount(m.duration, format));
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

bool SourceHasAudio(const std::string& file) {
    std::string out;
    CommandOutcome probe =
        BuildCommand("-v quiet -select_streams a:0 -show_entries stream=codec_type -of csv=p=0 \"%s\"", {{"File", file}});
    if (!probe.ok || !CaptureToolOutput(probe.text, out, 2048)) return false;
    return TrimAnswer(out).find("audio") != std::string::npos;
}

SegmentFormat ProbeSegmentFormat(const std::string& file) {
    SegmentFormat format = {0, 0, 0, 0};
    std::string answer;
    CommandOutcome probe = BuildCommand(
        "-v quiet -select_streams v:0 -show_entries stream=width,height -of csv=p=0:s=x \"%s\"", {{"File", file}});
    if (probe.ok) CaptureToolOutput(probe.text, answer, 2048);
    ParseFrameSize(answer, format.width, format.height);
    ParseFrameRate(ProbeFrameRate(file), format.rateNum, format.rateDen);
    return format;
}

namespace {

// Main clip i's sound, read from input `soundInput` (-1: the source has none,
// silence): 44.1 kHz stereo, each speed window slowed like its picture,
// padded or cut to `length`. `stage` numbers the speed windows of the whole
// graph, whose inner labels must not meet.
std::string ClipSound(const NleTimeline& tl, const RenderLists& lists, int i, int soundInput, double length,
                      int& stage) {
    const NleClip& m = RefClip(tl, lists.main[i]);
    std::string label = Fmt("[a%d_0]", i);
    std::string sound =
        Fmt("%saformat=sample_rates=44100:channel_layouts=stereo,asetpts=PTS-STARTPTS%s",
            soundInput >= 0 ? Fmt("[%d:a]", soundInput).c_str() : "anullsrc=r=44100:cl=stereo,", label.c_str());
    double factor = 0;
    int windows = 0;
    for (int k = 0; k < lists.effectCount; ++k) {
        const NleClip& c = RefClip(tl, lists.effects[k]);
        if (!Overlaps(c, m) || !SpeedEffectFactor(c.filter, factor)) continue;
        double from = std::max(0.0, c.start - m.start);
        double to = std::min(m.duration, c.start + c.duration - m.start);
        std::string next = Fmt("[a%d_%d]", i, ++windows);
        sound += ";" + SpeedWindowAudio(factor, from, to, stage++, label, next);
        label = next;
    }
    return sound + Fmt(";%sapad,atrim=end=%.6f[a%d]", label.c_str(), length, i);
}

}  // namespace

// This is not the cut-and-join of the render's first design, where every main
// clip was cut into a segment file and the segments were joined one xfade or
// concat run at a time: there each xfade encoded the whole result so far
// again, so the first clip was encoded once for every later transition,
// losing quality each time, and the cost grew with the square of the clip
// count. Here the same segments and the same joins, with the same lengths and
// offsets, are one filter graph that the caller encodes once; the result, its
// length, transitions and effect and title windows are those of the pairwise
// joins.
Outcome BuildTimelineGraph(const NleTimeline& tl, const RenderLists& lists, const SegmentFormat& format,
                           const std::vector<bool>* hasAudio, TimelineGraph& out) {
    out = TimelineGraph();
    std::string graph;
    CommandOutcome inputs = BuildCommand("", {});
    SoundInputs sounds(lists.mainCount);
    GraphJoin join;
    int stage = 0;
    for (int i = 0; i < lists.mainCount; ++i) {
        const NleClip& m = RefClip(tl, lists.main[i]);
        // Seeking and limiting on the input keeps picture and sound to the
        // clip's own stretch, and effect windows, titles and fades at clip time.
        inputs = BuildCommand(i == 0 ? "%s-ss %.3f -t %.3f -i \"%s\"" : "%s -ss %.3f -t %.3f -i \"%s\"",
                              {{"Inputs", inputs}, {"srcIn", m.srcIn}, {"duration", m.duration}, {"File", m.file}});
        std::string chain;
        Outcome chained = SegmentChain(tl, lists, i, format, chain);
        if (!chained.ok) return chained;
        // One time base for every piece: concat gives its own, which xfade
        // would refuse beside a piece's.
        double length = SegmentLength(m, format);
        AppendStatement(graph, Fmt("[%d:v]%s,settb=AVTB[v%d]", i, SegmentPicture(chain, m, format).c_str(), i));
        std::string audio;
        if (hasAudio) {
            int soundInput = (*hasAudio)[i] ? sounds.Add(m.file, m.srcIn, m.duration) : -1;
            AppendStatement(graph, ClipSound(tl, lists, i, soundInput, length, stage));
            audio = Fmt("[a%d]", i);
        }
        std::string video = Fmt("[v%d]", i);
        int frames = FrameCount(m.duration, format);
        if (i == 0) {
            join = StartJoin(video, audio, frames, format.rateNum, format.rateDen);
            continue;
        }
        std::string name;
        double nominal = 0;
        int fade = 0;
        // Whole frames: the picture can only change over at a frame, the
        // sound at any sample, and half-frame fades would add up to drift.
        if (ChooseJoinTransition(RefClip(tl, lists.main[i - 1]), m, name, nominal))
            fade = FrameCount(JoinLength(nominal, JoinSeconds(join, join.frames), length), format);
        JoinNext(join, video, audio, frames, name, fade);
    }
    AppendStatement(graph, join.graph);
    out.inputs = sounds.After(inputs);
    out.inputCount = sounds.NextInput();
    out.graph = graph;
    out.video = join.video;
    out.audio = join.audio;
    out.length = JoinSeconds(join, join.frames);
    return Done();
}

namespace {

// Each run of the render reports inside its band of the whole.
void Step(int from, int to) {
    ReportProgress(from);
    SetProgressBand(from, to);
}

// The segment path: the main clips' graph, the music mixed in, one encode.
Outcome RenderSegments(const NleTimeline& tl, const RenderLists& lists, const std::string& output) {
    SegmentFormat format = ProbeSegmentFormat(RefClip(tl, lists.main[0]).file);
    std::vector<bool> hasAudio;
    for (int i = 0; i < lists.mainCount; ++i) {
        const std::string file = RefClip(tl, lists.main[i]).file;
        int same = -1;
        for (int k = 0; k < i && same < 0; ++k)
            if (file == RefClip(tl, lists.main[k]).file) same = k;
        hasAudio.push_back(same >= 0 ? hasAudio[same] : SourceHasAudio(file));
    }
    TimelineGraph timeline;
    Outcome built = BuildTimelineGraph(tl, lists, format, &hasAudio, timeline);
    if (!built.ok) return built;

    std::string graph = timeline.graph, audio = timeline.audio;
    CommandOutcome inputs = timeline.inputs;
    // Only the first A2 clip is mixed in, from its file's start, delayed to
    // its place; a file without sound is left out as a failed mix would be.
    if (lists.mixCount > 0 && SourceHasAudio(RefClip(tl, lists.mix[0]).file)) {
        const NleClip& a = RefClip(tl, lists.mix[0]);
        double delayMs = a.start * 1000;
        inputs = BuildCommand("%s -i \"%s\"", {{"Inputs", inputs}, {"Music", a.file}});
        AppendStatement(graph, Fmt("[%d:a]adelay=%.0f|%.0f[aud2];%s[aud2]amix=inputs=2:duration=first[aout]",
                                   timeline.inputCount, delayMs, delayMs, audio.c_str()));
        audio = "[aout]";
    }
    CommandOutcome rest = BuildCommand("-map \"%s\" -map \"%s\" -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                                       {{"Video", timeline.video}, {"Audio", audio}, {"OutputFile", output}});
    WorkFiles files(WorkFolder());
    CommandOutcome graphOption = FilterGraphOption(graph, inputs.text.size() + rest.text.size() + 2, files);
    Step(5, 100);
    return RunFFmpeg(BuildCommand("%s %s %s", {{"Inputs", inputs}, {"Graph", graphOption}, {"Rest", rest}}),
                     timeline.length);
}

// The single clip's path: one command, checked before anything is reported.
Outcome RenderOneClip(const NleTimeline& tl, const RenderLists& lists, const std::string& output) {
    CommandOutcome command = OneCommandArguments(tl, lists, output);
    if (!command.ok) return Failed(command.error);
    Step(5, 100);
    return RunFFmpeg(command, RefClip(tl, lists.main[0]).duration);
}

}  // namespace

void RenderTimelineAction(const std::string& rectName, const std::string& outputPath) {
    ReportStart();
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return ReportError(msg::kNoTimeline);
    std::unique_ptr<TimelineSnapshot> snapshot = SnapshotTimeline(*tl);
    const NleTimeline& held = snapshot->tl;
    const RenderLists& lists = snapshot->lists;
    if (lists.mainCount == 0) return ReportError(msg::kNoMainClips);
    if (outputPath.empty()) return ReportError(msg::kNoOutputFile);
    ReportOutcome(NeedsSegmentPath(held, lists) ? RenderSegments(held, lists, outputPath)
                                                : RenderOneClip(held, lists, outputPath),
                  outputPath);
}
