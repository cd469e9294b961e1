#include "playback/preview_process.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/text_util.h"
#include "platform/playback_os.h"
#include "toolchain/command_builder.h"
#include "toolchain/tool_location.h"

PreviewProcess g_preview;
TimelinePreviewState g_timelinePreview = {false, false, -1, 0.0, 0, 0, 0};

std::string FFplayPath() {
    const std::string& ffmpeg = g_tools.ffmpegPath;
    size_t cut = ffmpeg.find_last_of('\\');
    if (cut == std::string::npos) cut = ffmpeg.find_last_of('/');
    std::string name = plat::ToolFileName("ffplay");
    return cut == std::string::npos ? name : ffmpeg.substr(0, cut + 1) + name;
}

// The program path quoted, then the arguments as they were assembled.
static std::string LaunchLine(const std::string& ffplay, const std::string& arguments) {
    CommandOutcome assembled;
    assembled.ok = true;
    assembled.text = arguments;
    return BuildCommand("\"%s\" %s", {{"FFplay", ffplay}, {"Arguments", assembled}}).text;
}

static Outcome EnsureLocated(const char* notFoundMessage) {
    if (!g_tools.ffmpegFound && !LocateFFmpeg()) return Failed(notFoundMessage);
    SetHostVar("[QMT_FFmpegPath]", g_tools.ffmpegFolder);
    return Done();
}

Outcome LaunchFFplayBlocking(const std::string& arguments) {
    Outcome located = EnsureLocated(msg::kFFplayNotFoundHere);
    if (!located.ok) return located;
    plat::ChildProcess child;
    unsigned long processId = 0;
    if (!plat::StartDetached(LaunchLine(FFplayPath(), arguments), false, child, processId))
        return Failed(msg::kFFplayLaunchFailed);
    while (!plat::WaitExit(child, 1000)) {
    }
    plat::CloseChild(child);
    return Done();
}

void EndPreviewProcess(unsigned long waitMs) {
    if (!g_preview.child.process) return;
    if (!plat::HasExited(g_preview.child)) {
        plat::Terminate(g_preview.child, 0);
        if (waitMs) plat::WaitExit(g_preview.child, waitMs);
    }
    plat::CloseChild(g_preview.child);
    g_preview.child = plat::ChildProcess();
    g_preview.processId = 0;
}

Outcome LaunchFFplay(const std::string& arguments, WindowHandle parent) {
    // The ffplay a timeline preview follows is about to go: its timer must
    // not run the playhead along another preview.
    if (g_timelinePreview.previewActive) ResetTimelinePreview();
    EndPreviewProcess(1000);
    Outcome located = EnsureLocated(msg::kFFplayNotFound);
    if (!located.ok) return located;
    std::string ffplay = FFplayPath();
    if (!plat::FileExists(ffplay)) return Failed(msg::kFFplayMissing);
    if (!plat::StartDetached(LaunchLine(ffplay, arguments), true, g_preview.child,
                             g_preview.processId)) {
        g_preview.child = plat::ChildProcess();
        g_preview.processId = 0;
        return Failed(msg::kFFplayLaunchFailed);
    }
    SetHostVar("[QMT_PreviewPID]", Fmt("%lu", g_preview.processId));
    if (!parent) return Done();
    int width = 0, height = 0;
    plat::ClientSize(parent, width, height);
    // ffplay needs a moment to open its window; after 3 s it keeps its own.
    WindowHandle window = plat::WaitForProcessWindow("QMT Preview", g_preview.child, g_preview.processId, 3000);
    if (!window) return Done();
    plat::AdoptAsChild(window, parent, width, height);
    g_preview.ffplayWindow = window;
    return Done();
}

static void ForgetTimelinePreview() {
    TimelinePreviewState& s = g_timelinePreview;
    s.previewActive = false;
    s.previewPaused = false;
    s.previewTimeline = -1;
    g_preview.ffplayWindow = kNoWindow;
}

void ResetTimelinePreview() {
    ForgetTimelinePreview();
    TimelinePreviewState& s = g_timelinePreview;
    if (s.previewTimer) plat::KillThreadTimer(s.previewTimer);
    s.previewTimer = 0;
    SetHostVar("[QMT_PreviewMode]", "0");
}

void BeginTimelinePreview(int timeline, double playhead, void (*tick)()) {
    TimelinePreviewState& s = g_timelinePreview;
    s.previewActive = true;
    s.previewPaused = false;
    s.previewTimeline = timeline;
    s.previewStartPlayhead = playhead;
    s.previewStartTick = PreviewTickNow();
    if (s.previewTimer) plat::KillThreadTimer(s.previewTimer);
    s.previewTimer = plat::StartThreadTimer(50, tick);
    SetHostVar("[QMT_PreviewMode]", "1");
}

uint32_t PreviewTickNow() { return plat::TickCount(); }

bool PreviewWindowLive() { return plat::IsLiveWindow(g_preview.ffplayWindow); }

// Page tear-down and unload: the preview is ended at once, not waited for,
// and its timer stopped, since it must not fire into an unloaded library.
// No host call is made here, since unloading runs this too.
void TerminatePreviewProcess() {
    ForgetTimelinePreview();
    TimelinePreviewState& s = g_timelinePreview;
    if (s.previewTimer) plat::KillThreadTimer(s.previewTimer);
    s.previewTimer = 0;
    EndPreviewProcess(0);
}
