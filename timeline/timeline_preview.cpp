// The timeline's quick preview: the main track with its effects, texts and
// transitions from the playhead on, encoded fast and without sound, played
// by FFplay over the linked player while a 50 ms timer runs the playhead
// along.
#include "host/messages.h"
#include "timeline/timeline_actions.h"
#include <algorithm>
#include "host/report.h"
#include "host/text_util.h"
#include "platform/playback_os.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"
#include "playback/rectangle_lookup.h"
#include "timeline/timeline_render.h"
#include "timeline/timeline_window.h"
#include "toolchain/graph_option.h"
#include "toolchain/process_runner.h"
#include "toolchain/work_files.h"

namespace {

// A single clip is previewed for at most this long.
const double kMaxSingleSeconds = 120;

// FFplay's window takes the player's size as it is; filters want even sizes.
struct PreviewSize {
    int windowWidth, windowHeight;
    int width, height;
};

PreviewSize SizeOfPlayer(WindowHandle playerWindow) {
    PreviewSize size = {0, 0, 0, 0};
    plat::ClientSize(playerWindow, size.windowWidth, size.windowHeight);
    if (size.windowWidth <= 160 || size.windowHeight <= 120) {
        size.windowWidth = 514;
        size.windowHeight = 289;
    }
    size.width = size.windowWidth & ~1;
    size.height = size.windowHeight & ~1;
    return size;
}

std::string PreviewFile() { return plat::TempFolder() + "qmt_preview.mp4"; }
std::string PreviewFolder() { return plat::TempFolder() + "qmt_prev" + plat::PathSeparator(); }

// Whatever previews now ends: its timer, its FFplay, and the linked player
// is paused so that only the preview plays.
void StopRunningPreview(const std::string& playerRect) {
    ResetTimelinePreview();
    EndPreviewProcess(1000);
    int player = FindPlayer(playerRect);
    if (player >= 0) PlayerCommand(player, "pause %s");
}

Outcome PlayFrom(double position, const std::string& file, const PreviewSize& size, WindowHandle playerWindow) {
    CommandOutcome args = BuildCommand(
        "-ss %.3f -i \"%s\" -x %d -y %d -noborder -window_title \"QMT Preview\" -autoexit -loglevel quiet",
        {{"Position", position}, {"File", file}, {"Width", size.windowWidth}, {"Height", size.windowHeight}});
    if (!args.ok) return Failed(args.error);
    return LaunchFFplay(args.text, playerWindow);
}

// The single clip's chain: scaled, its own fade, then the effects and texts
// whose windows reach into it.
Outcome SingleClipChain(const NleTimeline& tl, const RenderLists& lists, const PreviewSize& size, std::string& chain) {
    const NleClip& m = RefClip(tl, lists.main[0]);
    chain = Fmt("scale=%d:%d:flags=bilinear", size.width, size.height);
    if (m.transIn[0]) chain += "," + ClipFadeFragment(m, m.duration);
    return AppendOverlapping(tl, lists, m, false, chain);
}

// One clip: FFplay plays the source itself when nothing is laid over it,
// else a fast encode of the clip. Done when FFplay was started.
Outcome PreviewOneClip(const TimelineSnapshot& held, const PreviewSize& size, WindowHandle playerWindow) {
    const NleTimeline& tl = held.tl;
    const RenderLists& lists = held.lists;
    const NleClip& m = RefClip(tl, lists.main[0]);
    std::string chain;
    Outcome chained = SingleClipChain(tl, lists, size, chain);
    if (!chained.ok) return chained;
    double source = std::max(0.0, tl.playhead - m.start + m.srcIn);
    if (lists.effectCount == 0 && lists.textCount == 0) {
        CommandOutcome args = BuildCommand(
            "-ss %.3f -i \"%s\" -vf \"scale=%d:%d:flags=bilinear\" -x %d -y %d -noborder -window_title \"QMT Preview\" "
            "-autoexit -loglevel quiet",
            {{"Position", source}, {"File", m.file}, {"Width", size.width}, {"Height", size.height},
             {"WindowWidth", size.windowWidth}, {"WindowHeight", size.windowHeight}});
        if (!args.ok) return Failed(args.error);
        return LaunchFFplay(args.text, playerWindow);
    }
    ReportStatusWord(msg::kBuildingPreview);
    double length = std::min(kMaxSingleSeconds, m.duration);
    // Seeking before the input: after it, effect windows, titles and fades
    // would land at source time rather than clip time whenever srcIn > 0.
    CommandOutcome encode = BuildCommand(
        "-ss %.3f -t %.3f -i \"%s\" -filter_complex \"[0:v]%s[outv]\" -map \"[outv]\" -c:v libx264 -preset ultrafast "
        "-crf 28 -an \"%s\"",
        {{"srcIn", m.srcIn}, {"Length", length}, {"File", m.file}, {"Chain", chain}, {"PreviewFile", PreviewFile()}});
    Outcome encoded = RunFFmpeg(encode, length);
    if (!encoded.ok) return encoded;
    return PlayFrom(source > m.srcIn ? source - m.srcIn : 0, PreviewFile(), size, playerWindow);
}

// Several clips: the render's one filter graph of the main clips, scaled fast,
// encoded fast, without sound, into the preview file. Done when FFplay was
// started.
Outcome PreviewClips(const TimelineSnapshot& held, const PreviewSize& size, WindowHandle playerWindow) {
    const NleTimeline& tl = held.tl;
    const RenderLists& lists = held.lists;
    ReportStatusWord(msg::kBuildingPreview);
    SegmentFormat format = ProbeSegmentFormat(RefClip(tl, lists.main[0]).file);
    format.width = size.width;
    format.height = size.height;
    format.scaleFlags = "bilinear";
    TimelineGraph timeline;
    Outcome built = BuildTimelineGraph(tl, lists, format, nullptr, timeline);
    if (!built.ok) return built;
    WorkFiles files(PreviewFolder());
    CommandOutcome rest = BuildCommand("-map \"%s\" -c:v libx264 -preset ultrafast -crf 28 -an \"%s\"",
                                       {{"Video", timeline.video}, {"PreviewFile", PreviewFile()}});
    CommandOutcome graph = FilterGraphOption(timeline.graph, timeline.inputs.text.size() + rest.text.size() + 2, files);
    Outcome encoded =
        RunFFmpeg(BuildCommand("%s %s %s", {{"Inputs", timeline.inputs}, {"Graph", graph}, {"Rest", rest}}),
                  timeline.length);
    if (!encoded.ok) return encoded;
    double position = std::max(0.0, tl.playhead - RefClip(tl, lists.main[0]).start);
    return PlayFrom(position, PreviewFile(), size, playerWindow);
}

// Every 50 ms while a timeline preview plays: the playhead follows FFplay's
// clock until FFplay ends.
void FollowPreview() {
    TimelinePreviewState& s = g_timelinePreview;
    if (!s.previewActive || s.previewTimeline < 0 || s.previewTimeline >= kMaxTimelines) return;
    if (g_preview.child.process != kNoProcess && plat::HasExited(g_preview.child)) {
        ResetTimelinePreview();
        ReportStatusWord(msg::kComplete);
        return;
    }
    if (s.previewPaused) return;
    NleTimeline* tl = TimelineAt(s.previewTimeline);
    if (!tl || !tl->inUse) return;
    {
        plat::LockHold hold(tl->lock);
        double elapsed = static_cast<uint32_t>(PreviewTickNow() - s.previewStartTick) / 1000.0;
        tl->playhead = std::min(tl->viewLength, s.previewStartPlayhead + elapsed);
    }
    InvalidateTimelineWindow(tl->window);
}

}  // namespace

void PreviewTimelineAction(const std::string& rectName) {
    ReportStart();
    int slot = FindTimeline(rectName);
    NleTimeline* live = TimelineAt(slot);
    if (!live) return ReportError(msg::kNoTimeline);
    // What the timeline holds now is what is previewed, whatever the window
    // does while ffmpeg runs.
    std::unique_ptr<TimelineSnapshot> held = SnapshotTimeline(*live);
    StopRunningPreview(held->tl.playerRect);
    WindowHandle playerWindow = FindRectangleWindow(held->tl.playerRect);
    PreviewSize size = SizeOfPlayer(playerWindow);
    if (held->lists.mainCount == 0) return ReportError(msg::kNoClipsToPreview);
    plat::DeleteFilePath(PreviewFile());

    Outcome playing = held->lists.mainCount == 1 ? PreviewOneClip(*held, size, playerWindow)
                                                 : PreviewClips(*held, size, playerWindow);
    if (playing.ok) {
        BeginTimelinePreview(slot, held->tl.playhead, FollowPreview);
        ReportStatusWord(msg::kPreviewing);
    }
    // A preview that could not be built or started still ends "Complete",
    // its message left in [QMT_Error].
    ReportFailure(playing);
    ReportComplete();
}
