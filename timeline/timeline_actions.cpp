#include "timeline/timeline_actions.h"
#include <cstring>
#include "host/dispatch.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/host_state.h"
#include "host/teardown.h"
#include "host/text_util.h"
#include "playback/rectangle_lookup.h"
#include "timeline/timeline_model.h"
#include "timeline/timeline_window.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"

namespace {

// The header column and margins that the drawn lanes do not use.
const int kLaneMargin = 52;
const int kMinFitWidth = 50;

const char* const kNotFound = msg::kNoTimeline;

NleTimeline* FoundTimeline(const std::string& rectName) { return TimelineAt(FindTimeline(rectName)); }

// Does the file have an audio stream ffprobe can name?
bool HasAudioStream(const std::string& file) {
    std::string out;
    if (!CaptureToolOutput(Fmt("-v quiet -select_streams a:0 -show_entries stream=codec_name -of "
                               "default=noprint_wrappers=1:nokey=1 \"%s\"",
                               file.c_str()),
                           out, 8192))
        return false;
    std::string answer = TrimAnswer(out);
    while (!answer.empty() && (answer.back() == ' ' || answer.back() == '\r' || answer.back() == '\n'))
        answer.pop_back();
    return !answer.empty() && answer != "N/A";
}

void AutoZoom(NleTimeline& tl) {
    int w = 0, h = 0;
    if (!TimelineClientSize(tl.window, w, h)) return;
    double width = w - kLaneMargin;
    if (width > kMinFitWidth && tl.viewLength > 0 && tl.viewLength * tl.zoom > 3 * width) {
        tl.zoom = width / tl.viewLength;
        if (tl.zoom < kNleMinZoom) tl.zoom = kNleMinZoom;
        tl.scrollX = 0;
    }
}

void AddCompanion(NleTimeline& tl, int videoTrack, int videoSlot) {
    int a1 = FindTrack(tl, "A1");
    if (a1 < 0) return;
    int slot = FirstFreeSlot(tl.tracks[a1]);
    if (slot < 0) return;
    NleClip& video = tl.tracks[videoTrack].clips[videoSlot];
    NleClip& audio = tl.tracks[a1].clips[slot];
    memset(&audio, 0, sizeof audio);
    audio.inUse = 1;
    audio.type = kClipAudio;
    audio.start = video.start;
    audio.duration = video.duration;
    audio.srcIn = video.srcIn;
    audio.srcOut = video.srcOut;
    SetField(audio.file, video.file);
    audio.opacity = 1.0f;
    SetField(audio.label, Fmt("%.50s (audio)", video.label));
    audio.color = tl.tracks[a1].color;
    audio.linkedTrack = videoTrack;
    audio.linkedClip = videoSlot;
    ++tl.tracks[a1].clipCount;
    video.linkedTrack = a1;
    video.linkedClip = slot;
}

// Finds the clip an action names in the locked timeline; when there is none it
// releases the lock, reports and returns null.
NleClip* NamedClip(NleTimeline& tl, plat::LockHold& g, const std::string& trackName, const std::string& clipIndex,
                   int* trackOut, int* clipOut) {
    int track = FindTrack(tl, trackName);
    if (track < 0) {
        g.Release();
        ReportError(msg::kTrackNotFound);
        return nullptr;
    }
    int clip = ParamInt(clipIndex);
    NleClip* c = ClipAt(tl, track, clip);
    if (!c) {
        g.Release();
        ReportError(msg::kClipNotFound);
        return nullptr;
    }
    if (trackOut) *trackOut = track;
    if (clipOut) *clipOut = clip;
    return c;
}

// ---- 200 / 201 ----------------------------------------------------------------

void OnCreate(const ActionArgs& a) {
    ReportStart();
    std::string rect = a.text(0), player = a.text(1);
    int existing = FindTimeline(rect);
    if (existing >= 0) {
        RedrawTimeline(existing);
        ReportComplete();
        return;
    }
    WindowHandle parent = FindRectangleWindow(rect);
    if (!parent) {
        ReportError(msg::kNoRectangle);
        return;
    }
    NleTimeline* table = TimelineTable();
    int slot = -1;
    for (int i = 0; i < kMaxTimelines && slot < 0; ++i)
        if (!table[i].inUse) slot = i;
    if (slot < 0) {
        ReportError(msg::kTimelinesFull);
        return;
    }
    NleTimeline& tl = table[slot];
    InitTimelineRecord(tl, rect, player);
    plat::InitLock(tl.lock);
    tl.rectWindow = parent;
    tl.window = CreateTimelineWindow(parent, slot);
    if (!tl.window) {
        plat::DeleteLock(tl.lock);
        memset(static_cast<void*>(&tl), 0, sizeof tl);
        ReportError(msg::kTimelineWindowFailed);
        return;
    }
    tl.inUse = 1;
    StartTimelineTimer(tl.window);
    ReportComplete();
}

void DestroySlot(NleTimeline& tl) {
    StopTimelineTimer(tl.window);
    DestroyTimelineWindow(tl.window);
    plat::DeleteLock(tl.lock);
    memset(static_cast<void*>(&tl), 0, sizeof tl);
}

void OnDestroy(const ActionArgs& a) {
    NleTimeline* tl = FoundTimeline(a.text(0));
    if (tl) DestroySlot(*tl);
}

// ---- 202 to 207 ---------------------------------------------------------------

void OnAddClip(const ActionArgs& a) {
    AddTimelineClip(a.text(0), a.text(1), ParamInt(a.text(2)), a.text(3), a.text(4), ParamNumber(a.text(5)),
                    ParamNumber(a.text(6)));
}

void OnRemoveClip(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    NleTimeline& tl = *found;
    int track = 0, clip = 0;
    if (!NamedClip(tl, g, a.text(1), a.text(2), &track, &clip)) return;
    ClearClip(tl.tracks[track], clip);
    bool wasSelected = tl.selTrack == track && tl.selClip == clip;
    if (wasSelected) tl.selTrack = tl.selClip = -1;
    RecomputeViewLength(tl);
    g.Release();
    InvalidateTimelineWindow(tl.window);
    if (wasSelected) PublishSelection(tl);
    ReportComplete();
}

void OnClear(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    ClearAllClips(*found);
    found->selTrack = found->selClip = -1;
    RecomputeViewLength(*found);
    g.Release();
    InvalidateTimelineWindow(found->window);
    PublishSelection(*found);
    ReportComplete();
}

void OnSetTransition(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    NleClip* c = NamedClip(*found, g, a.text(1), a.text(2), nullptr, nullptr);
    if (!c) return;
    SetField(c->transIn, a.text(3));
    double d = ParamNumber(a.text(4));
    c->transInDur = d > 0 ? d : 1.0;
    g.Release();
    InvalidateTimelineWindow(found->window);
    ReportComplete();
}

void OnMoveClip(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    NleClip* c = NamedClip(*found, g, a.text(1), a.text(2), nullptr, nullptr);
    if (!c) return;
    double start = ParamNumber(a.text(3));
    c->start = start > 0 ? start : 0;
    RecomputeViewLength(*found);
    g.Release();
    InvalidateTimelineWindow(found->window);
    ReportComplete();
}

void OnTrimClip(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    NleClip* c = NamedClip(*found, g, a.text(1), a.text(2), nullptr, nullptr);
    if (!c) return;
    double start = ParamNumber(a.text(3)), duration = ParamNumber(a.text(4));
    if (start >= 0) c->start = start;
    if (duration > 0.1) c->duration = duration;
    RecomputeViewLength(*found);
    g.Release();
    InvalidateTimelineWindow(found->window);
    ReportComplete();
}

// ---- 208 to 211 ---------------------------------------------------------------

void OnRemoveSelected(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    if (found->selTrack < 0 || found->selClip < 0) {
        g.Release();
        return ReportError(msg::kNoClipSelected);
    }
    RemoveClipWithPartner(*found, found->selTrack, found->selClip);
    found->selTrack = found->selClip = -1;
    RecomputeViewLength(*found);
    g.Release();
    InvalidateTimelineWindow(found->window);
    PublishSelection(*found);
    ReportComplete();
}

void OnGetState(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    int count = CountClips(*found);
    double total = found->viewLength, playhead = found->playhead, zoom = found->zoom;
    g.Release();
    SetHostVar("[NLE_ClipCount]", Fmt("%d", count));
    SetHostVar("[NLE_TotalDuration]", Fmt("%.3f", total));
    SetHostVar("[NLE_PlayheadTime]", Fmt("%.3f", playhead));
    SetHostVar("[NLE_Zoom]", Fmt("%.1f", zoom));
    ReportComplete();
}

void OnSnap(const ActionArgs& a) {
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return;
    std::string v = a.text(1);
    plat::LockHold g(found->lock);
    found->snap = v == "1" || EqualsNoCase(v, "true") || EqualsNoCase(v, "on");
}

void OnZoom(const ActionArgs& a) {
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return;
    plat::LockHold g(found->lock);
    found->zoom = ClampZoom(ParamNumber(a.text(1)));
    g.Release();
    InvalidateTimelineWindow(found->window);
}

// ---- 212, 214, 215 --------------------------------------------------------------

void OnRender(const ActionArgs& a) { RenderTimelineAction(a.text(0), a.text(1)); }
void OnPreview(const ActionArgs& a) { PreviewTimelineAction(a.text(0)); }
void OnSave(const ActionArgs& a) { SaveProjectAction(a.text(0), a.text(1)); }
void OnLoad(const ActionArgs& a) { LoadProjectAction(a.text(0), a.text(1)); }

// ---- 216 to 218 ---------------------------------------------------------------

void OnSplit(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    Outcome split = SplitAtPlayhead(*found);
    if (!split.ok) return ReportFailure(split);
    RecomputeViewLength(*found);
    g.Release();
    InvalidateTimelineWindow(found->window);
    PublishSelection(*found);
    ReportComplete();
}

void OnDuplicate(const ActionArgs& a) {
    ReportStart();
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return ReportError(kNotFound);
    plat::LockHold g(found->lock);
    int slot = -1;
    Outcome copied = DuplicateSelected(*found, slot);
    if (!copied.ok) return ReportFailure(copied);
    RecomputeViewLength(*found);
    g.Release();
    InvalidateTimelineWindow(found->window);
    PublishSelection(*found);
    SetHostVar("[NLE_ClipIndex]", Fmt("%d", slot));
    ReportComplete();
}

void OnZoomToFit(const ActionArgs& a) {
    NleTimeline* found = FoundTimeline(a.text(0));
    if (!found) return;
    int w = 0, h = 0;
    if (!TimelineClientSize(found->window, w, h)) return;
    double width = w - kLaneMargin;
    if (width < kMinFitWidth) return;
    plat::LockHold g(found->lock);
    RecomputeViewLength(*found);
    if (found->viewLength > 0) found->zoom = ClampZoom(width / found->viewLength);
    found->scrollX = 0;
    g.Release();
    InvalidateTimelineWindow(found->window);
}

// ---- 219, 220 -------------------------------------------------------------------

void OnPickEffect(const ActionArgs& a) { PickEffectAction(a.text(0)); }
void OnPickText(const ActionArgs& a) { PickTextAction(a.text(0)); }

}  // namespace

int AddTimelineClip(const std::string& rectName, const std::string& trackName, int type,
                    const std::string& fileOrFilter, const std::string& label, double start, double duration) {
    ReportStart();
    NleTimeline* found = FoundTimeline(rectName);
    if (!found) {
        ReportError(kNotFound);
        return -1;
    }
    NleTimeline& tl = *found;
    bool media = type == kClipVideo || type == kClipImage || type == kClipAudio;
    std::string file = media ? CutTo(fileOrFilter, sizeof tl.tracks[0].clips[0].file) : std::string();

    // Refuse before asking ffprobe anything.
    {
        plat::LockHold g(found->lock);
        int track = FindTrack(tl, trackName);
        if (track < 0) {
            g.Release();
            ReportError(msg::kTrackNotFound);
            return -1;
        }
        if (FirstFreeSlot(tl.tracks[track]) < 0) {
            g.Release();
            ReportError(msg::kTrackFull);
            return -1;
        }
    }

    // The probes run without the lock: the tools take time and messages keep flowing.
    double probed = 0;
    if (media && duration <= 0 && !file.empty()) probed = ProbeDurationSeconds(file);
    int trackIndex = FindTrack(tl, trackName);
    bool companion = type == kClipVideo && !file.empty() && trackIndex >= 0 &&
                     EqualsNoCase(tl.tracks[trackIndex].name, "V1") && HasAudioStream(file);

    plat::LockHold g(found->lock);
    int track = FindTrack(tl, trackName);
    int slot = track >= 0 ? FirstFreeSlot(tl.tracks[track]) : -1;
    if (slot < 0) {  // something else filled the track while the probes ran
        g.Release();
        ReportError(track < 0 ? msg::kTrackNotFound : msg::kTrackFull);
        return -1;
    }
    NleClip& c = tl.tracks[track].clips[slot];
    ResetClip(c, type, start, duration);
    if (!label.empty()) SetField(c.label, label);
    if (media) {
        SetField(c.file, file);
        if (probed > 0) c.duration = c.srcOut = probed;
        if (!c.label[0] && c.file[0]) SetField(c.label, FileNameOfPath(c.file));
    } else if (type == kClipEffect) {
        SetField(c.filter, fileOrFilter);
        if (!c.label[0]) SetField(c.label, c.filter);
    } else if (type == kClipText) {
        SetField(c.text, fileOrFilter);
        if (!c.label[0]) SetField(c.label, c.text);
    }
    c.color = tl.tracks[track].color;
    ++tl.tracks[track].clipCount;
    if (companion) AddCompanion(tl, track, slot);
    RecomputeViewLength(tl);
    AutoZoom(tl);
    g.Release();
    InvalidateTimelineWindow(tl.window);
    SetHostVar("[NLE_ClipIndex]", Fmt("%d", slot));
    ReportComplete();
    return slot;
}

void RedrawTimeline(int slot) {
    NleTimeline* tl = TimelineAt(slot);
    if (tl && tl->inUse) PaintTimelineWindow(tl->window);
}

void DestroyAllTimelines() {
    NleTimeline* table = TimelineTable();
    for (int i = 0; i < kMaxTimelines; ++i)
        if (table[i].inUse) DestroySlot(table[i]);
}

void RegisterTimelineActions() {
    RegisterAction(200, OnCreate);
    RegisterAction(201, OnDestroy);
    RegisterAction(202, OnAddClip);
    RegisterAction(203, OnRemoveClip);
    RegisterAction(204, OnClear);
    RegisterAction(205, OnSetTransition);
    RegisterAction(206, OnMoveClip);
    RegisterAction(207, OnTrimClip);
    RegisterAction(208, OnRemoveSelected);
    RegisterAction(209, OnGetState);
    RegisterAction(210, OnSnap);
    RegisterAction(211, OnZoom);
    RegisterAction(212, OnRender);
    RegisterAction(213, OnPreview);
    RegisterAction(214, OnSave);
    RegisterAction(215, OnLoad);
    RegisterAction(216, OnSplit);
    RegisterAction(217, OnDuplicate);
    RegisterAction(218, OnZoomToFit);
    RegisterAction(219, OnPickEffect);
    RegisterAction(220, OnPickText);
}
