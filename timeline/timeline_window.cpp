#include "timeline/timeline_window.h"
#include <cmath>
#include <vector>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/report.h"
#include "host/text_util.h"
#include "playback/player_registry.h"
#include "playback/preview_process.h"
#include "strips/player_follow.h"
#include "timeline/timeline_clip_dialogs.h"
#include "timeline/timeline_dialogs.h"
#include "timeline/timeline_drag.h"
#include "timeline/timeline_layout.h"
#include "timeline/timeline_model.h"
#include "timeline/timeline_paint.h"

namespace {

const int kFollowTimerId = 1;
const int kFollowIntervalMs = 200;
const double kPlayheadStill = 0.01;  // seconds the playhead may move without the view following

// The pickers that add an effect or a text clip at the playhead.
const int kPickEffectAction = 219, kPickTextAction = 220;

enum MenuCommand { kMenuDeleteClip = 1, kMenuSetTransition = 2, kMenuRemoveTransition = 3 };

// The record that owns the window, when the window is still its.
NleTimeline* Owner(const FrameTarget& at) {
    return OwningRecord(TimelineAt(at.slot), &NleTimeline::window, at);
}

TimelineView CurrentView(const FrameTarget& at, const NleTimeline& tl) {
    int width = 0, height = 0;
    FrameClientSize(at.window, width, height);
    return ViewOf(tl, width, height);
}

void SeekPlayer(const NleTimeline& tl, double seconds) { SeekFollowed(tl.playerRect, static_cast<int>(seconds * 1000)); }

// A dialog path where the build has no dialogs: say so, change nothing.
bool DialogsRefused() {
    Outcome refusal = TimelineDialogsRefusal();
    ReportFailure(refusal);
    return !refusal.ok;
}

CursorShape CursorFor(ClipZone zone) {
    switch (zone) {
    case kZoneLeftEdge:
    case kZoneRightEdge: return kCursorSizeWE;
    case kZoneBody: return kCursorMove;
    default: return kCursorArrow;
    }
}

// ---- paint and timer ------------------------------------------------------------

void PaintTimeline(const FrameTarget& at, Painter& painter, int width, int height) {
    NleTimeline* tl = Owner(at);
    if (!tl) {  // not bound to its record yet
        painter.Fill(Box{0, 0, width, height}, Rgb(18, 18, 22));
        return;
    }
    plat::LockHold hold(tl->lock);
    PaintTimelineRecord(*tl, painter, width, height);
}

void FollowPlayer(const FrameTarget& at, NleTimeline& tl) {
    int player = FindPlayer(tl.playerRect);
    double ms = 0;
    // While this timeline's preview plays, its own timer runs the playhead;
    // the player it paused must not pull it back.
    bool previewing = g_timelinePreview.previewActive && g_timelinePreview.previewTimeline == at.slot;
    if (!previewing && player >= 0 && PlayerPositionMs(player, ms)) {
        plat::LockHold hold(tl.lock);
        double before = tl.playhead;
        tl.playhead = ms / 1000;
        if (std::fabs(tl.playhead - before) > kPlayheadStill) tl.scrollX = FollowScroll(CurrentView(at, tl), tl.playhead);
    }
    InvalidateFrameWindow(at.window);
}

void TimerTick(const FrameTarget& at, int timerId) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    switch (timerId) {
    case kFollowTimerId: FollowPlayer(at, *tl); break;
    default: break;
    }
}

// ---- the left button ------------------------------------------------------------

void PressOnTimeline(const FrameTarget& at, const PointerInput& in) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    PressResult result;
    double playhead;
    {
        plat::LockHold hold(tl->lock);
        result = PressTimeline(*tl, CurrentView(at, *tl), in.x, in.y);
        playhead = tl->playhead;
    }
    switch (result) {
    case kPressRuler:
        SeekPlayer(*tl, playhead);
        CaptureFramePointer(at.window);
        break;
    case kPressClip:
        PublishSelection(*tl);
        CaptureFramePointer(at.window);
        break;
    case kPressEmpty:
        PublishSelection(*tl);
        SeekPlayer(*tl, playhead);
        break;
    case kPressIgnored: return;
    }
    InvalidateFrameWindow(at.window);
}

void Hover(const FrameTarget& at, NleTimeline& tl, const PointerInput& in) {
    ClipZone zone;
    {
        plat::LockHold hold(tl.lock);
        zone = HitTestTimeline(tl, CurrentView(at, tl), in.x, in.y).zone;
    }
    SetFrameCursor(at.window, CursorFor(zone));
}

void MoveOverTimeline(const FrameTarget& at, const PointerInput& in) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    if (!in.leftButton) return Hover(at, *tl, in);
    DragResult result;
    double playhead;
    {
        plat::LockHold hold(tl->lock);
        result = DragTimeline(*tl, CurrentView(at, *tl), in.x);
        playhead = tl->playhead;
    }
    if (result == kDragIdle) return;
    if (result == kDragPlayheadSet) SeekPlayer(*tl, playhead);
    if (result == kDragClipEdited) PublishSelection(*tl);
    InvalidateFrameWindow(at.window);
}

void ReleaseTimeline(const FrameTarget& at, const PointerInput&) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    {
        plat::LockHold hold(tl->lock);
        EndDrag(*tl);
    }
    ReleaseFramePointer();
    InvalidateFrameWindow(at.window);
}

// ---- double-click: track headers and the dialogs of FX and TX clips --------------

void HeaderDoubleClick(const FrameTarget& at, NleTimeline& tl, int y) {
    int width = 0, height = 0;
    FrameClientSize(at.window, width, height);
    int track = HeaderTrackAt(tl, height, y);
    if (track < 0) return;
    int kind = tl.tracks[track].kind;
    if (kind == kTrackEffects || kind == kTrackText) {
        if (DialogsRefused()) return;
        // The picker actions, run for this timeline: they add at the playhead and report.
        std::string rect = tl.rectName;
        char* params[8] = {&rect[0]};
        DispatchAction(kind == kTrackEffects ? kPickEffectAction : kPickTextAction, params);
        return;
    }
    SetHostVar("[NLE_TrackAction]", tl.tracks[track].name);
}

void ChangeEffect(const FrameTarget& at, NleTimeline& tl, const TimelineHit& hit) {
    if (DialogsRefused()) return;
    int chosen = -1;
    if (!PickFromList("Change Effect", kEffectTable, chosen) || chosen < 0 ||
        chosen >= NamedEntryCount(kEffectTable))
        return;
    {
        plat::LockHold hold(tl.lock);
        NleClip* c = ClipAt(tl, hit.track, hit.clip);
        if (!c) return;
        ApplyEffectEntry(*c, kEffectTable[chosen], tl.tracks[hit.track].color);
    }
    PublishSelection(tl);
    InvalidateFrameWindow(at.window);
}

void EditTextClip(const FrameTarget& at, NleTimeline& tl, const TimelineHit& hit) {
    if (DialogsRefused()) return;
    TextOverlayDialogState state = {};
    {
        plat::LockHold hold(tl.lock);
        NleClip* c = ClipAt(tl, hit.track, hit.clip);
        if (!c) return;
        PrimeTextDialog(*c, state);
    }
    EditTextOverlay(state);
    if (!state.ok) return;
    {
        plat::LockHold hold(tl.lock);
        NleClip* c = ClipAt(tl, hit.track, hit.clip);
        if (!c) return;  // removed while the dialog was open
        ApplyTextDialog(*c, state);
        RecomputeViewLength(tl);
    }
    PublishSelection(tl);
    InvalidateFrameWindow(at.window);
}

void DoubleClickTimeline(const FrameTarget& at, const PointerInput& in) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    if (in.x < kHeaderWidth && in.y >= kRulerHeight) return HeaderDoubleClick(at, *tl, in.y);
    TimelineHit hit;
    int kind;
    {
        plat::LockHold hold(tl->lock);
        hit = HitTestTimeline(*tl, CurrentView(at, *tl), in.x, in.y);
        if (hit.zone == kZoneNone) return;
        kind = tl->tracks[hit.track].kind;
    }
    if (kind == kTrackEffects) ChangeEffect(at, *tl, hit);
    else if (kind == kTrackText) EditTextClip(at, *tl, hit);
}

// ---- the context menu -----------------------------------------------------------

void ContextMenu(const FrameTarget& at, const PointerInput& in, std::vector<MenuItem>& menu) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    {
        plat::LockHold hold(tl->lock);
        TimelineHit hit = HitTestTimeline(*tl, CurrentView(at, *tl), in.x, in.y);
        if (hit.zone == kZoneNone) return;
        tl->selTrack = hit.track;
        tl->selClip = hit.clip;
    }
    PublishSelection(*tl);
    PaintFrameWindowNow(at.window);
    menu = {{kMenuDeleteClip, "Delete Clip"},
            {0, ""},
            {kMenuSetTransition, "Set Transition..."},
            {kMenuRemoveTransition, "Remove Transition"}};
}

// The selected clip and its partner go; nothing is selected afterwards.
void DeleteSelected(NleTimeline& tl) {
    {
        plat::LockHold hold(tl.lock);
        if (!ClipAt(tl, tl.selTrack, tl.selClip)) return;
        RemoveClipWithPartner(tl, tl.selTrack, tl.selClip);
        tl.selTrack = tl.selClip = -1;
        RecomputeViewLength(tl);
    }
    PublishSelection(tl);
}

void SetTransitionOnSelection(NleTimeline& tl) {
    if (DialogsRefused()) return;
    TransitionDialogState& state = SharedTransitionDialogState();
    int track, clip;
    {
        plat::LockHold hold(tl.lock);
        track = tl.selTrack;
        clip = tl.selClip;
        NleClip* c = ClipAt(tl, track, clip);
        if (!c) return;
        PrimeTransitionDialog(*c, state);
    }
    PickTransition(state);
    {
        plat::LockHold hold(tl.lock);
        NleClip* c = ClipAt(tl, track, clip);
        if (!c || !ApplyTransitionDialog(*c, state)) return;
    }
    PublishSelection(tl);
}

void RemoveSelectedTransition(NleTimeline& tl) {
    {
        plat::LockHold hold(tl.lock);
        NleClip* c = ClipAt(tl, tl.selTrack, tl.selClip);
        if (!c) return;
        RemoveClipTransition(*c);
    }
    PublishSelection(tl);
}

void ContextCommand(const FrameTarget& at, int command) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    switch (command) {
    case kMenuDeleteClip: DeleteSelected(*tl); break;
    case kMenuSetTransition: SetTransitionOnSelection(*tl); break;
    case kMenuRemoveTransition: RemoveSelectedTransition(*tl); break;
    default: return;
    }
    InvalidateFrameWindow(at.window);
}

// ---- wheel and keys -------------------------------------------------------------

void WheelTimeline(const FrameTarget& at, const WheelInput& in) {
    NleTimeline* tl = Owner(at);
    if (!tl) return;
    {
        plat::LockHold hold(tl->lock);
        TimelineView view = CurrentView(at, *tl);
        if (in.ctrl) WheelZoom(view, in.delta);
        else WheelScroll(view, tl->viewLength, in.delta);
        tl->zoom = view.zoom;
        tl->scrollX = view.scrollX;
    }
    InvalidateFrameWindow(at.window);
}

void KeyDown(const FrameTarget& at, int virtualKey) {
    NleTimeline* tl = Owner(at);
    if (!tl || virtualKey != kKeyDelete) return;
    DeleteSelected(*tl);
    PaintFrameWindowNow(at.window);
}

}  // namespace

const WindowKind kTimelineWindowKind = {
    "QMT_NLETimelineWnd",
    kCursorArrow,
    true,  // the cursor chosen on mouse move stays
    PaintTimeline,
    PressOnTimeline,
    MoveOverTimeline,
    ReleaseTimeline,
    DoubleClickTimeline,
    ContextMenu,
    ContextCommand,
    WheelTimeline,
    KeyDown,
    TimerTick,
    nullptr,  // destroyed: the record lets go of the window itself
};

WindowHandle CreateTimelineWindow(WindowHandle parent, int slot) {
    return CreateFrameWindow(kTimelineWindowKind, slot, parent);
}

void DestroyTimelineWindow(WindowHandle window) { DestroyFrameWindow(window); }

bool TimelineWindowAlive(WindowHandle window) { return FrameWindowAlive(window); }

void InvalidateTimelineWindow(WindowHandle window) { InvalidateFrameWindow(window); }

void PaintTimelineWindow(WindowHandle window) { PaintFrameWindowNow(window); }

bool TimelineClientSize(WindowHandle window, int& width, int& height) { return FrameClientSize(window, width, height); }

void StartTimelineTimer(WindowHandle window) { StartFrameTimer(window, kFollowTimerId, kFollowIntervalMs); }

void StopTimelineTimer(WindowHandle window) { StopFrameTimer(window, kFollowTimerId); }
