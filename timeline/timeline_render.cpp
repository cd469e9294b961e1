#include "timeline/timeline_render.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include "host/report.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "timeline/filter_fragments.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"

namespace {

const char kVideoCodec[] = "-c:v libx264 -preset fast -crf 18";
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
    if (!CaptureToolOutput(Fmt("-v quiet -select_streams a:0 -show_entries stream=codec_type -of csv=p=0 \"%s\"",
                               file.c_str()),
                           out, 2048))
        return false;
    return TrimAnswer(out).find("audio") != std::string::npos;
}

std::string WorkFolder() { return plat::TempFolder() + "qmt_nle" + plat::PathSeparator(); }

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

std::string OneCommandArguments(const NleTimeline& tl, const RenderLists& lists, const std::string& output) {
    const NleClip& m = RefClip(tl, lists.main[0]);
    std::string chain;
    if (m.srcIn > 0.01) AppendFragment(chain, Fmt("trim=start=%.3f,setpts=PTS-STARTPTS", m.srcIn));
    double from = 0, to = 0;
    for (int i = 0; i < lists.effectCount; ++i) {
        const NleClip& c = RefClip(tl, lists.effects[i]);
        WindowFrom(c, m, from, to);
        AppendFragment(chain, TimedEffect(c.filter, from, to));
    }
    for (int i = 0; i < lists.textCount; ++i) {
        const NleClip& c = RefClip(tl, lists.texts[i]);
        WindowFrom(c, m, from, to);
        AppendFragment(chain, BuildDrawText(c, from, to));
    }
    if (m.transIn[0]) {
        double d = m.transInDur > 0 ? m.transInDur : 1.0;
        if (IsExitTransition(m.transIn)) {
            double length = m.srcOut > m.srcIn ? m.srcOut - m.srcIn : m.duration;
            AppendFragment(chain, Fmt("fade=t=out:st=%.2f:d=%.2f", std::max(0.0, length - d), d));
        } else {
            AppendFragment(chain, Fmt("fade=t=in:st=0:d=%.2f", d));
        }
    }

    if (lists.overlayCount > 0) {
        std::string inputs = Fmt("-i \"%s\" ", m.file);
        std::string graph = chain.empty() ? "[0:v]null[base]" : Fmt("[0:v]%s[base]", chain.c_str());
        for (int i = 0; i < lists.overlayCount; ++i) {
            const NleClip& o = RefClip(tl, lists.overlays[i]);
            std::string input = Fmt("-i \"%s\" ", o.file);
            if (inputs.size() + input.size() > kMaxInputs) break;
            inputs += input;
            WindowFrom(o, m, from, to);
            std::string previous = i == 0 ? "[base]" : Fmt("[ov%d]", i - 1);
            std::string label = i == lists.overlayCount - 1 ? "[outv]" : Fmt("[ov%d]", i);
            graph += Fmt(";[%d:v]format=rgba,colorchannelmixer=aa=%.2f[ovr%d];%s[ovr%d]overlay=%d:%d:enable='between(t,%.2f,%.2f)'%s",
                         i + 1, o.opacity > 0 ? o.opacity : 1.0, i, previous.c_str(), i, 0, 0, from, to, label.c_str());
        }
        return Fmt("%s -filter_complex \"%s\" -map \"[outv]\" -map 0:a? %s -c:a aac \"%s\"", inputs.c_str(),
                   graph.c_str(), kVideoCodec, output.c_str());
    }
    if (!chain.empty())
        return Fmt("-i \"%s\" -filter_complex \"[0:v]%s[outv]\" -map \"[outv]\" -map 0:a? %s -c:a aac \"%s\"", m.file,
                   chain.c_str(), kVideoCodec, output.c_str());
    return Fmt("-i \"%s\" %s -c:a aac \"%s\"", m.file, kVideoCodec, output.c_str());
}

std::string SegmentChain(const NleTimeline& tl, const RenderLists& lists, int i, int width, int height) {
    const NleClip& m = RefClip(tl, lists.main[i]);
    std::string chain = Fmt("scale=%d:%d:flags=bicubic", width, height);
    const ClipRef* groups[2] = {lists.effects, lists.texts};
    int counts[2] = {lists.effectCount, lists.textCount};
    for (int g = 0; g < 2; ++g) {
        for (int k = 0; k < counts[g]; ++k) {
            const NleClip& c = RefClip(tl, groups[g][k]);
            if (!Overlaps(c, m)) continue;
            double from = std::max(0.0, c.start - m.start);
            double to = std::min(m.duration, c.start + c.duration - m.start);
            AppendFragment(chain, g == 0 ? TimedEffect(c.filter, from, to) : BuildDrawText(c, from, to));
        }
    }
    return chain;
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

bool ChooseJoinTransition(const NleClip& previous, const NleClip& current, std::string& name, double& duration) {
    if (current.transIn[0] && !IsExitTransition(current.transIn)) {
        name = current.transIn;
        duration = current.transInDur;
        return true;
    }
    if (IsExitTransition(previous.transIn)) {
        name = previous.transIn + 4;
        duration = previous.transInDur;
        return true;
    }
    if (previous.transIn[0]) {
        name = previous.transIn;
        duration = previous.transInDur;
        return true;
    }
    return false;
}

namespace {

struct RenderFiles {
    std::string folder;
    int segments;   // made so far
    int joins;      // join numbers used so far
};

std::string SegmentPath(const RenderFiles& f, int i) { return Fmt("%sseg_%d.mp4", f.folder.c_str(), i); }
std::string ChainPath(const RenderFiles& f, int k) { return Fmt("%schain_%d.mp4", f.folder.c_str(), k); }
std::string ListPath(const RenderFiles& f, int k) { return Fmt("%scat_%d.txt", f.folder.c_str(), k); }
std::string MixPath(const RenderFiles& f) { return f.folder + "final_mix.mp4"; }

void CleanUp(const RenderFiles& f, bool joinFiles) {
    for (int i = 0; i < f.segments; ++i) plat::DeleteFilePath(SegmentPath(f, i));
    if (joinFiles) {
        for (int k = 0; k <= f.joins + kExtraJoinFiles; ++k) {
            plat::DeleteFilePath(ChainPath(f, k));
            plat::DeleteFilePath(ListPath(f, k));
        }
        plat::DeleteFilePath(MixPath(f));
    }
    plat::RemoveDirectoryPath(f.folder);
}

void RenderSegments(NleTimeline& tl, const RenderLists& lists, const std::string& output) {
    RenderFiles files = {WorkFolder(), 0, 0};
    plat::MakeDirectory(files.folder);
    int n = lists.mainCount;

    std::string answer;
    CaptureToolOutput(Fmt("-v quiet -select_streams v:0 -show_entries stream=width,height -of csv=p=0:s=x \"%s\"",
                          RefClip(tl, lists.main[0]).file),
                      answer, 2048);
    int width = 0, height = 0;
    ParseFrameSize(answer, width, height);

    for (int i = 0; i < n; ++i) {
        const NleClip& m = RefClip(tl, lists.main[i]);
        std::string chain = SegmentChain(tl, lists, i, width, height);
        // Seeking on the input keeps picture and sound of the piece together and
        // starts the piece's clock at 0, where the effect windows are measured.
        std::string args;
        if (SourceHasAudio(m.file))
            args = Fmt("-ss %.3f -t %.3f -i \"%s\" -filter_complex \"[0:v]%s[outv]\" -map \"[outv]\" -map 0:a "
                       "%s -c:a aac -ac 2 -ar 44100 \"%s\"",
                       m.srcIn, m.duration, m.file, chain.c_str(), kVideoCodec, SegmentPath(files, i).c_str());
        else
            args = Fmt("-ss %.3f -t %.3f -i \"%s\" -f lavfi -t %.3f -i anullsrc=r=44100:cl=stereo -filter_complex "
                       "\"[0:v]%s[outv]\" -map \"[outv]\" -map 1:a %s -c:a aac -ac 2 -ar 44100 \"%s\"",
                       m.srcIn, m.duration, m.file, m.duration, chain.c_str(), kVideoCodec,
                       SegmentPath(files, i).c_str());
        ReportProgress(std::min(100, std::max(0, 40 * i / n)));
        files.segments = i + 1;
        if (!RunFFmpeg(args, m.duration)) {
            CleanUp(files, false);
            return;
        }
    }

    std::string result = SegmentPath(files, 0);
    for (int i = 1; i < n; ++i) {
        ReportProgress(std::min(100, 40 + 40 * i / n));
        int k = files.joins++;
        std::string next = ChainPath(files, k);
        std::string segment = SegmentPath(files, i);
        std::string name;
        double nominal = 0;
        bool ok;
        if (ChooseJoinTransition(RefClip(tl, lists.main[i - 1]), RefClip(tl, lists.main[i]), name, nominal)) {
            double length = ProbeDurationSeconds(result);
            double t = std::min(0.4 * length, nominal);
            if (t < 0.1) t = 0.5;
            ok = RunFFmpeg(Fmt("-i \"%s\" -i \"%s\" -filter_complex \"[0:v][1:v]xfade=transition=%s:duration=%.2f:"
                               "offset=%.2f[outv];[0:a][1:a]acrossfade=d=%.2f[outa]\" -map \"[outv]\" -map \"[outa]\" "
                               "%s -c:a aac \"%s\"",
                               result.c_str(), segment.c_str(), name.c_str(), t, length - t, t, kVideoCodec,
                               next.c_str()),
                           0);
        } else {
            std::string list = ListPath(files, k);
            plat::WriteTextFile(list, Fmt("file '%s'\nfile '%s'\n", result.c_str(), segment.c_str()));
            ok = RunFFmpeg(Fmt("-f concat -safe 0 -i \"%s\" -c copy \"%s\"", list.c_str(), next.c_str()), 0);
            plat::DeleteFilePath(list);
        }
        if (result != SegmentPath(files, 0)) plat::DeleteFilePath(result);
        if (!ok) {
            CleanUp(files, true);
            return;
        }
        result = next;
    }

    if (lists.mixCount > 0) {
        const NleClip& a = RefClip(tl, lists.mix[0]);
        std::string mixed = MixPath(files);
        double delayMs = a.start * 1000;
        if (RunFFmpeg(Fmt("-i \"%s\" -i \"%s\" -filter_complex \"[1:a]adelay=%.0f|%.0f[aud2];[0:a][aud2]amix="
                          "inputs=2:duration=first[aout]\" -map 0:v -map \"[aout]\" -c:v copy -c:a aac \"%s\"",
                          result.c_str(), a.file, delayMs, delayMs, mixed.c_str()),
                      0)) {
            if (result != SegmentPath(files, 0)) plat::DeleteFilePath(result);
            result = mixed;
        }
    }

    ReportProgress(95);
    plat::CopyFileOver(result, output);
    if (result != SegmentPath(files, 0) && result != output) plat::DeleteFilePath(result);
    CleanUp(files, true);
    ReportComplete(output);
}

}  // namespace

void RenderTimelineAction(const std::string& rectName, const std::string& outputPath) {
    ReportStart();
    NleTimeline* tl = TimelineAt(FindTimeline(rectName));
    if (!tl) return ReportError("NLE Timeline not found.");
    RenderLists lists;
    plat::EnterLock(tl->lock);
    GatherRenderLists(*tl, lists);
    plat::LeaveLock(tl->lock);
    if (lists.mainCount == 0) return ReportError("No video clips on V1.");
    if (outputPath.empty()) return ReportError("No output file given.");

    if (lists.mainCount == 1 && lists.mixCount == 0) {
        ReportProgress(5);
        const NleClip& m = RefClip(*tl, lists.main[0]);
        if (RunFFmpeg(OneCommandArguments(*tl, lists, outputPath), m.duration)) ReportComplete(outputPath);
        return;
    }
    RenderSegments(*tl, lists, outputPath);
}
