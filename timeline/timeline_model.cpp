#include "timeline/timeline_model.h"
#include <cstdlib>
#include <cstring>
#include "host/host_state.h"
#include "host/messages.h"
#include "host/text_util.h"

namespace {

struct TrackTemplate {
    const char* name;
    int kind;
    int r, g, b;
};

const TrackTemplate kTrackTemplates[kNleTrackCount] = {
    {"V1", kTrackMainVideo, 50, 100, 180}, {"V2", kTrackOverlay, 120, 60, 160},
    {"FX", kTrackEffects, 200, 120, 30},   {"TX", kTrackText, 30, 180, 180},
    {"A1", kTrackAudio, 50, 160, 60},      {"A2", kTrackAudio, 30, 140, 130},
};

NleTimeline g_timelines[kMaxTimelines];
bool g_tableReady = false;

// Edges closer than this to the playhead cannot be split off.
const double kSplitMargin = 0.05;

}  // namespace

NleTimeline* TimelineTable() {
    if (!g_tableReady) {
        for (NleTimeline& tl : g_timelines) memset(static_cast<void*>(&tl), 0, sizeof tl);
        g_tableReady = true;
    }
    return g_timelines;
}

NleTimeline* TimelineAt(int slot) {
    if (slot < 0 || slot >= kMaxTimelines) return nullptr;
    return &TimelineTable()[slot];
}

int FindTimeline(const std::string& rectName) {
    NleTimeline* table = TimelineTable();
    std::string key = CutTo(rectName, sizeof table[0].rectName);
    for (int i = 0; i < kMaxTimelines; ++i)
        if (table[i].inUse && EqualsNoCase(table[i].rectName, key)) return i;
    return -1;
}

void InitTimelineRecord(NleTimeline& tl, const std::string& rectName, const std::string& playerRect) {
    memset(static_cast<void*>(&tl), 0, sizeof tl);
    SetField(tl.rectName, rectName);
    SetField(tl.playerRect, playerRect);
    tl.viewLength = 60;  // a minute to place the first clips in; the first edit sets the real extent
    tl.zoom = 30;
    tl.dragTrack = tl.dragClip = -1;
    tl.selTrack = tl.selClip = -1;
    tl.snap = true;
    tl.trackCount = kNleTrackCount;
    for (int i = 0; i < kNleTrackCount; ++i) {
        NleTrack& t = tl.tracks[i];
        t.inUse = 1;
        t.visible = 1;
        SetField(t.name, kTrackTemplates[i].name);
        t.kind = kTrackTemplates[i].kind;
        t.color = NleRgb(kTrackTemplates[i].r, kTrackTemplates[i].g, kTrackTemplates[i].b);
    }
}

int FindTrack(const NleTimeline& tl, const std::string& name) {
    for (int i = 0; i < tl.trackCount && i < kNleTrackCount; ++i)
        if (tl.tracks[i].inUse && EqualsNoCase(tl.tracks[i].name, name)) return i;
    return -1;
}

int FirstFreeSlot(const NleTrack& track) {
    for (int i = 0; i < kNleMaxClips; ++i)
        if (!track.clips[i].inUse) return i;
    return -1;
}

NleClip* ClipAt(NleTimeline& tl, int track, int clip) {
    if (track < 0 || track >= tl.trackCount || track >= kNleTrackCount) return nullptr;
    if (clip < 0 || clip >= kNleMaxClips) return nullptr;
    NleClip& c = tl.tracks[track].clips[clip];
    return c.inUse ? &c : nullptr;
}

NleClip* PartnerOf(NleTimeline& tl, const NleClip& clip) {
    return ClipAt(tl, clip.linkedTrack, clip.linkedClip);
}

std::string FileNameOfPath(const std::string& path) {
    size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos) cut = path.find_last_of('/');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void ResetClip(NleClip& clip, int type, double start, double duration) {
    memset(&clip, 0, sizeof clip);
    clip.inUse = 1;
    clip.type = type;
    clip.start = start;
    clip.duration = duration > 0 ? duration : 5.0;
    clip.srcIn = 0;
    clip.srcOut = clip.duration;
    clip.opacity = 1.0f;
    clip.fontSize = 48;
    clip.textColor = NleRgb(255, 255, 255);
    clip.linkedTrack = clip.linkedClip = -1;
}

void ClearClip(NleTrack& track, int clip) {
    if (clip < 0 || clip >= kNleMaxClips || !track.clips[clip].inUse) return;
    memset(&track.clips[clip], 0, sizeof(NleClip));
    if (track.clipCount > 0) --track.clipCount;
}

void ClearAllClips(NleTimeline& tl) {
    for (NleTrack& t : tl.tracks) {
        memset(t.clips, 0, sizeof t.clips);
        t.clipCount = 0;
    }
}

void RemoveClipWithPartner(NleTimeline& tl, int track, int clip) {
    NleClip* c = ClipAt(tl, track, clip);
    if (!c) return;
    int pt = c->linkedTrack, pc = c->linkedClip;
    ClearClip(tl.tracks[track], clip);
    if (ClipAt(tl, pt, pc)) ClearClip(tl.tracks[pt], pc);
}

void RecomputeViewLength(NleTimeline& tl) {
    double latest = 10;
    for (int t = 0; t < tl.trackCount && t < kNleTrackCount; ++t) {
        if (!tl.tracks[t].inUse) continue;
        for (const NleClip& c : tl.tracks[t].clips)
            if (c.inUse && c.start + c.duration > latest) latest = c.start + c.duration;
    }
    tl.viewLength = latest + 5;
}

int CountClips(const NleTimeline& tl) {
    int n = 0;
    for (const NleTrack& t : tl.tracks)
        for (const NleClip& c : t.clips)
            if (c.inUse) ++n;
    return n;
}

double ClampZoom(double zoom) {
    if (!(zoom >= kNleMinZoom)) return kNleMinZoom;  // also catches NaN
    return zoom > kNleMaxZoom ? kNleMaxZoom : zoom;
}

namespace {

// A playhead typed exactly at the margin must be refused on both edges; sums
// like start + duration - 0.05 round either way, so the margin is measured
// with a tolerance far below any time an author can set.
bool PlayheadInside(const NleClip& c, double playhead) {
    const double tolerance = 1e-6;
    double offset = playhead - c.start;
    return offset > kSplitMargin + tolerance && c.duration - offset > kSplitMargin + tolerance;
}

// Splits the clip in `slot` of `track` into itself (left) and `freeSlot` (right).
void SplitClipInto(NleTrack& track, int slot, int freeSlot, double playhead, double offset) {
    NleClip& left = track.clips[slot];
    NleClip& right = track.clips[freeSlot];
    right = left;
    right.start = playhead;
    right.duration = left.duration - offset;
    right.srcIn = left.srcIn + offset;
    right.transIn[0] = '\0';
    right.transInDur = 0;
    SetField(right.label, Fmt("%.50s (R)", left.label));
    left.duration = offset;
    left.srcOut = left.srcIn + offset;
    SetField(left.label, Fmt("%.50s (L)", left.label));
    ++track.clipCount;
}

}  // namespace

Outcome SplitAtPlayhead(NleTimeline& tl) {
    int track = -1, slot = -1;
    if (ClipAt(tl, tl.selTrack, tl.selClip)) {
        track = tl.selTrack;
        slot = tl.selClip;
    } else {
        for (int t = 0; t < kNleTrackCount && track < 0; ++t) {
            if (!tl.tracks[t].inUse || tl.tracks[t].kind != kTrackMainVideo) continue;
            for (int i = 0; i < kNleMaxClips; ++i) {
                const NleClip& c = tl.tracks[t].clips[i];
                if (c.inUse && PlayheadInside(c, tl.playhead)) {
                    track = t;
                    slot = i;
                    break;
                }
            }
        }
        if (track < 0) return Failed(msg::kNoClipAtPlayhead);
    }
    NleClip& clip = tl.tracks[track].clips[slot];
    if (!PlayheadInside(clip, tl.playhead)) return Failed(msg::kPlayheadOutsideClip);
    int freeSlot = FirstFreeSlot(tl.tracks[track]);
    if (freeSlot < 0) return Failed(msg::kNoFreeSlotOnTrack);

    double offset = tl.playhead - clip.start;
    int pt = clip.linkedTrack, pc = clip.linkedClip;
    SplitClipInto(tl.tracks[track], slot, freeSlot, tl.playhead, offset);
    if (ClipAt(tl, pt, pc)) {
        int partnerFree = FirstFreeSlot(tl.tracks[pt]);
        if (partnerFree >= 0) {
            SplitClipInto(tl.tracks[pt], pc, partnerFree, tl.playhead, offset);
            NleClip& right = tl.tracks[track].clips[freeSlot];
            NleClip& partnerRight = tl.tracks[pt].clips[partnerFree];
            right.linkedTrack = pt;
            right.linkedClip = partnerFree;
            partnerRight.linkedTrack = track;
            partnerRight.linkedClip = freeSlot;
            // The left pieces keep the slots, so their links already match.
        }
    }
    tl.selTrack = track;
    tl.selClip = freeSlot;
    return Done();
}

Outcome DuplicateSelected(NleTimeline& tl, int& newSlot) {
    NleClip* sel = ClipAt(tl, tl.selTrack, tl.selClip);
    if (!sel) return Failed(msg::kNoClipSelected);
    NleTrack& track = tl.tracks[tl.selTrack];
    int freeSlot = FirstFreeSlot(track);
    if (freeSlot < 0) return Failed(msg::kNoFreeSlot);
    NleClip& copy = track.clips[freeSlot];
    copy = *sel;
    copy.linkedTrack = copy.linkedClip = -1;
    copy.start = sel->start + sel->duration + 0.1;
    ++track.clipCount;
    tl.selClip = freeSlot;
    newSlot = freeSlot;
    return Done();
}

void PublishSelection(NleTimeline& tl) {
    plat::LockHold held(tl.lock);
    NleClip* c = ClipAt(tl, tl.selTrack, tl.selClip);
    bool has = tl.selTrack >= 0 && tl.selClip >= 0 && c != nullptr;
    NleClip copy;
    if (has) copy = *c;
    int selTrack = tl.selTrack, selClip = tl.selClip;
    held.Release();

    if (has) {
        SetHostVar("[NLE_SelTrack]", Fmt("%d", selTrack));
        SetHostVar("[NLE_SelClip]", Fmt("%d", selClip));
        SetHostVar("[NLE_SelLabel]", copy.label);
        SetHostVar("[NLE_SelFile]", copy.file);
        SetHostVar("[NLE_SelFilter]", copy.filter);
        SetHostVar("[NLE_SelStart]", Fmt("%.3f", copy.start));
        SetHostVar("[NLE_SelDuration]", Fmt("%.3f", copy.duration));
        SetHostVar("[NLE_SelText]", copy.text);
        SetHostVar("[NLE_SelType]", Fmt("%d", copy.type));
        SetHostVar("[NLE_SelTransition]", copy.transIn);
    } else {
        SetHostVar("[NLE_SelTrack]", "-1");
        SetHostVar("[NLE_SelClip]", "-1");
        SetHostVar("[NLE_SelLabel]", "");
        SetHostVar("[NLE_SelFile]", "");
        SetHostVar("[NLE_SelFilter]", "");
        SetHostVar("[NLE_SelStart]", "");
        SetHostVar("[NLE_SelDuration]", "");
        SetHostVar("[NLE_SelText]", "");
    }
}

double ParamNumber(const std::string& text) { return atof(text.c_str()); }
int ParamInt(const std::string& text) { return atoi(text.c_str()); }

const char kExitPrefix[] = "out:";

bool IsExitTransition(const char* transIn) { return strncmp(transIn, kExitPrefix, strlen(kExitPrefix)) == 0; }
