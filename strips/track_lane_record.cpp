#include "strips/track_lane_record.h"
#include <atomic>
#include <cstring>
#include <vector>
#include "host/messages.h"
#include "host/text_util.h"
#include "host/window_frame.h"
#include "strips/audio_peaks.h"
#include "strips/strip_slots.h"
#include "strips/worker_link.h"
#include "toolchain/probe.h"
#include "toolchain/tool_location.h"

namespace {
const int kLaneRate = 4000;

void SetLane(LaneRecord& lane, const char* label, int kind, Colour colour, const std::string& path,
             int linkedStrip) {
    lane.inUse = 1;
    SetField(lane.label, label);
    lane.kind = kind;
    lane.colour = colour;
    SetField(lane.path, path);
    lane.linkedStrip = linkedStrip;
}

// Peaks of one lane, stored as they come through `store`.
void AnalyseLane(const ToolPaths& tools, const std::string& path, int slot, int lane, const std::atomic<bool>& cancel,
                 const PeakStore& store, bool& noSound) {
    DecodeAndAnalyse(tools, path, kLaneRate, LaneRawPath(slot, lane), kLanePeaks, false, cancel, store, noSound);
}

void StorePeak(TrackLaneRecord& d, int lane, int index, float peak) {
    plat::LockHold held(d.lock);
    d.lanes[lane].peaks[index] = peak;
    d.lanes[lane].peakCount = index + 1;
}

// What the worker needs of lane k; false when the worker should stop here.
bool NextLane(WorkerLink& link, int k, std::string& path, bool& audio) {
    bool more = false;
    WithRecord<TrackLaneRecord>(link, [&](TrackLaneRecord& d) {
        plat::LockHold held(d.lock);
        more = k < d.laneCount && !Cancelled(link);
        if (more) {
            const LaneRecord& lane = d.lanes[k];
            audio = lane.inUse && lane.kind == kLaneAudio && lane.path[0];
            path = lane.path;
        } else {
            // Decided under the lock that AddAudioLane takes, so a lane added
            // from now on is analysed by its caller.
            d.analysing = false;
        }
    });
    return more;
}
}  // namespace

// The display's slot is in the name: two displays decode the same lane index
// at the same time.
std::string LaneRawPath(int slot, int lane) {
    return Fmt("%sqmt_tl%d_a%d.raw", plat::TempFolder().c_str(), slot, lane);
}

Colour LaneColour(const std::string& name) {
    if (EqualsNoCase(name, "purple")) return Rgb(160, 80, 220);
    if (EqualsNoCase(name, "yellow")) return Rgb(220, 200, 40);
    if (EqualsNoCase(name, "pink")) return Rgb(255, 100, 150);
    return Rgb(255, 160, 30);
}

int LinkedFilmstrip(const std::string& videoPath) {
    for (int i = 0; i < kMaxFrameStrips; ++i) {
        const FrameStripRecord* strip = FrameStripAt(i);
        if (strip->inUse && videoPath == strip->videoPath) return i;
    }
    return -1;
}

int OpenTrackLanes(const std::string& rectName, const std::string& videoPath, const std::string& audioPath,
                   const std::string& playerRect, WindowHandle rectWindow) {
    int existing = FindTrackLane(rectName);
    if (existing >= 0) CloseTrackLanes(existing, kLaneRecreateWaitMs);
    int slot = FreeTrackLaneSlot();
    TrackLaneRecord* d = ClaimRecord(TrackLaneAt(slot));
    if (!d) return -1;
    d->rectWindow = rectWindow;
    SetField(d->rectName, rectName);
    SetField(d->playerRectName, playerRect);
    d->analysing = true;
    SetLane(d->lanes[0], "V1", kLaneVideo, Rgb(80, 140, 255), videoPath, LinkedFilmstrip(videoPath));
    SetLane(d->lanes[1], "A1", kLaneAudio, Rgb(0, 180, 120), audioPath.empty() ? videoPath : audioPath, -1);
    d->laneCount = 2;
    return slot;
}

bool StartTrackLaneAnalysis(int slot) {
    return StartRecordWorker(TrackLaneAt(slot), slot, TrackLaneAnalysisThread, &TrackLaneRecord::analysing);
}

void CloseTrackLanes(int slot, unsigned long waitMs) {
    TrackLaneRecord* d = TrackLaneAt(slot);
    if (!d || !d->inUse) return;
    StopRecordWorker(*d, &TrackLaneRecord::laneWindow, waitMs);
    plat::DeleteLock(d->lock);
    d->inUse = 0;
}

Outcome AddAudioLane(TrackLaneRecord& d, const std::string& audioPath, const std::string& label,
                     const std::string& colour, int& laneIndex, bool& analyseNow) {
    plat::LockHold held(d.lock);
    if (d.laneCount >= kMaxLanes) return Failed(msg::kLanesFull);
    laneIndex = d.laneCount;
    LaneRecord& lane = d.lanes[laneIndex];
    memset(&lane, 0, sizeof lane);
    SetLane(lane, "", kLaneAudio, LaneColour(colour), audioPath, -1);
    SetField(lane.label, label);
    ++d.laneCount;
    analyseNow = !d.analysing;
    return Done();
}

void AnalyseLaneNow(int slot, int lane) {
    TrackLaneRecord* d = TrackLaneAt(slot);
    if (!d || !d->inUse || lane < 0 || lane >= d->laneCount) return;
    const LaneRecord& l = d->lanes[lane];
    if (!l.inUse || l.kind != kLaneAudio || !l.path[0]) return;
    static const std::atomic<bool> kNeverCancelled(false);
    ToolPaths tools = LocatedToolPaths();
    if (!tools.located()) return;
    bool noSound = false;
    AnalyseLane(tools, l.path, slot, lane, kNeverCancelled,
                [&](int index, float peak) { StorePeak(*d, lane, index, peak); }, noSound);
    plat::LockHold held(d->lock);
    d->lanes[lane].noSound = noSound;
}

void TrackLaneAnalysisThread(WorkerLink& link) {
    std::vector<std::string> paths;
    WithRecord<TrackLaneRecord>(link, [&](TrackLaneRecord& d) {
        plat::LockHold held(d.lock);
        for (int k = 0; k < d.laneCount; ++k) paths.push_back(d.lanes[k].path);
    });
    if (!link.tools.located()) {
        WithRecord<TrackLaneRecord>(link, [&](TrackLaneRecord& d) {
            plat::LockHold held(d.lock);
            d.analysing = false;
        });
        return;
    }
    double duration = 0;
    for (size_t k = 0; k < paths.size() && !(duration > 0) && !Cancelled(link); ++k)
        if (!paths[k].empty()) duration = ProbeDurationQuietly(link.tools, paths[k]);
    WithRecord<TrackLaneRecord>(link, [&](TrackLaneRecord& d) {
        plat::LockHold held(d.lock);
        d.duration = duration;
    });
    std::string path;
    bool audio = false;
    for (int k = 0; NextLane(link, k, path, audio); ++k) {
        if (!audio) continue;
        bool noSound = false;
        AnalyseLane(link.tools, path, link.slot, k, link.cancel,
                    [&](int index, float peak) {
                        WithRecord<TrackLaneRecord>(link, [&](TrackLaneRecord& d) { StorePeak(d, k, index, peak); });
                    },
                    noSound);
        WithRecord<TrackLaneRecord>(link, [&](TrackLaneRecord& d) {
            plat::LockHold held(d.lock);
            d.lanes[k].noSound = noSound;
            if (!Cancelled(link)) InvalidateFrameWindow(d.laneWindow);
        });
    }
}
