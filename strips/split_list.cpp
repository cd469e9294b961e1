#include "strips/split_list.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "host/messages.h"
#include "host/text_util.h"
#include "operations/transition_types.h"
#include "strips/filmstrip_geometry.h"

namespace {
const double kEdgeGap = 0.5;
const double kNearGap = 0.5;

bool HasSelection(const FrameStripRecord& s) { return s.selectedSplit >= 0 && s.selectedSplit < s.splitCount; }
}  // namespace

Outcome SplitAddRefusal(FrameStripRecord& s) {
    plat::LockHold held(s.lock);
    if (s.splitCount >= kMaxSplits) return Failed(msg::kSplitsFull);
    if (!(s.duration > 0)) return Failed(msg::kNoVideoLoaded);
    return Done();
}

Outcome AddSplitAt(FrameStripRecord& s, double p) {
    plat::LockHold held(s.lock);
    if (p < kEdgeGap) return Failed(msg::kSplitNearStart);
    if (p > s.duration - kEdgeGap) return Failed(msg::kSplitNearEnd);
    for (int i = 0; i < s.splitCount; ++i)
        if (s.splits[i].inUse && fabs(s.splits[i].time - p) < kNearGap) return Failed(msg::kSplitExists);
    if (s.splitCount >= kMaxSplits) return Failed(msg::kSplitsFull);
    SplitRecord& added = s.splits[s.splitCount++];
    memset(&added, 0, sizeof added);
    added.time = p;
    added.transitionDuration = 1.0;
    added.exitDuration = 1.0;
    added.inUse = 1;
    for (int i = 0; i < s.splitCount - 1; ++i)
        for (int j = i + 1; j < s.splitCount; ++j)
            if (s.splits[i].time > s.splits[j].time) {
                SplitRecord t = s.splits[i];
                s.splits[i] = s.splits[j];
                s.splits[j] = t;
            }
    s.selectedSplit = -1;
    for (int i = 0; i < s.splitCount && s.selectedSplit < 0; ++i)
        if (fabs(s.splits[i].time - p) < 0.01) s.selectedSplit = i;
    return Done();
}

bool RemoveSelectedSplit(FrameStripRecord& s) {
    plat::LockHold held(s.lock);
    if (!HasSelection(s)) return false;
    for (int i = s.selectedSplit; i < s.splitCount - 1; ++i) s.splits[i] = s.splits[i + 1];
    --s.splitCount;
    memset(&s.splits[s.splitCount], 0, sizeof s.splits[0]);
    s.selectedSplit = -1;
    return true;
}

void ClearSplits(FrameStripRecord& s) {
    plat::LockHold held(s.lock);
    s.splitCount = 0;
    s.selectedSplit = -1;
    memset(s.splits, 0, sizeof s.splits);
}

std::string SplitListText(FrameStripRecord& s) {
    plat::LockHold held(s.lock);
    std::string text;
    for (int i = 0; i < s.splitCount; ++i) {
        const SplitRecord& r = s.splits[i];
        if (!r.inUse) continue;
        std::string entry = Fmt("%.3f,%s,%.2f", r.time, r.transition[0] ? r.transition : "none", r.transitionDuration);
        // The list is handed over in a 4096-byte buffer.
        if (text.size() + entry.size() + 1 >= 4096) break;
        if (!text.empty()) text += ";";
        text += entry;
    }
    return text;
}

double ClampSplitDuration(const std::string& text) {
    double d = atof(text.c_str());
    if (d < 0.1) return 1.0;
    return d > 5.0 ? 5.0 : d;
}

Outcome SetSplitTransition(FrameStripRecord& s, SplitTransitionEnd end, const std::string& type,
                           const std::string& durationText, const char* noSelection) {
    plat::LockHold held(s.lock);
    if (!HasSelection(s)) return Failed(noSelection);
    SplitRecord& r = s.splits[s.selectedSplit];
    if (end == kSplitExit && !r.insertClip[0]) return Failed(msg::kNoInsertUseInsertClip);
    char* field = end == kSplitEntry ? r.transition : r.exitTransition;
    if (type.empty() || EqualsNoCase(type, "none")) {
        field[0] = '\0';
    } else if (IsKnownTransition(type)) {
        CopyField(field, sizeof r.transition, type);
    } else {
        return Failed(msg::kInvalidTransitionType);
    }
    (end == kSplitEntry ? r.transitionDuration : r.exitDuration) = ClampSplitDuration(durationText);
    return Done();
}

Outcome SetSplitInsertClip(FrameStripRecord& s, const std::string& clip, bool isFile) {
    plat::LockHold held(s.lock);
    if (!HasSelection(s)) return Failed(msg::kClickSplitFirst);
    if (!clip.empty() && !isFile) return Failed(msg::kInsertClipMissing);
    SplitRecord& r = s.splits[s.selectedSplit];
    SetField(r.insertClip, clip);
    r.exitTransition[0] = '\0';
    r.exitDuration = 1.0;
    return Done();
}

bool SelectedSplit(FrameStripRecord& s, SplitRecord& split) {
    plat::LockHold held(s.lock);
    if (!HasSelection(s)) return false;
    split = s.splits[s.selectedSplit];
    return true;
}

std::vector<SplitRecord> CopySplits(FrameStripRecord& s) {
    plat::LockHold held(s.lock);
    std::vector<SplitRecord> used;
    for (int i = 0; i < s.splitCount; ++i)
        if (s.splits[i].inUse) used.push_back(s.splits[i]);
    return used;
}

int SplitAtClick(FrameStripRecord& s, int x) {
    plat::LockHold held(s.lock);
    if (s.framesReady < 1 || !(s.duration > 0)) return -1;
    for (int i = 0; i < s.splitCount; ++i) {
        if (!s.splits[i].inUse) continue;
        int line = StripTimeX(s.splits[i].time, s.duration, s.framesReady, s.firstVisible, s.cellWidth, false) +
                   (s.cellWidth + 2) / 2;
        if (abs(x - line) < 9) return i;
    }
    return -1;
}

void SelectSplit(FrameStripRecord& s, int index) {
    plat::LockHold held(s.lock);
    s.selectedSplit = index;
}
