// The four fixed tables of the strips and the look-ups every action shares.
#include <cstring>
#include "host/text_util.h"
#include "strips/strip_records.h"

namespace {

FrameStripRecord g_frameStrips[kMaxFrameStrips];
WaveformRecord g_waveforms[kMaxWaveforms];
TrackLaneRecord g_trackLanes[kMaxTrackLanes];
OverlayRecord g_overlays[kMaxOverlays];

template <class R, int N>
R* At(R (&table)[N], int slot) {
    return slot >= 0 && slot < N ? &table[slot] : nullptr;
}

template <class R, int N>
int Find(R (&table)[N], const std::string& rectName) {
    for (int i = 0; i < N; ++i)
        if (table[i].inUse && EqualsNoCase(table[i].rectName, rectName)) return i;
    return -1;
}

// The first create of a kind finds its table cleared: only the in-use flags,
// since nothing else of a free slot is read before it is zeroed again.
template <class R, int N>
int Free(R (&table)[N], bool& cleared) {
    if (!cleared) {
        for (R& r : table) r.inUse = 0;
        cleared = true;
    }
    for (int i = 0; i < N; ++i)
        if (!table[i].inUse) return i;
    return -1;
}

bool g_stripsCleared, g_wavesCleared, g_lanesCleared, g_overlaysCleared;

}  // namespace

FrameStripRecord* FrameStripAt(int slot) { return At(g_frameStrips, slot); }
WaveformRecord* WaveformAt(int slot) { return At(g_waveforms, slot); }
TrackLaneRecord* TrackLaneAt(int slot) { return At(g_trackLanes, slot); }
OverlayRecord* OverlayAt(int slot) { return At(g_overlays, slot); }

int FindFrameStrip(const std::string& rectName) { return Find(g_frameStrips, rectName); }
int FindWaveform(const std::string& rectName) { return Find(g_waveforms, rectName); }
int FindTrackLane(const std::string& rectName) { return Find(g_trackLanes, rectName); }
int FindOverlay(const std::string& rectName) { return Find(g_overlays, rectName); }

int FreeFrameStripSlot() { return Free(g_frameStrips, g_stripsCleared); }
int FreeWaveformSlot() { return Free(g_waveforms, g_wavesCleared); }
int FreeTrackLaneSlot() { return Free(g_trackLanes, g_lanesCleared); }
int FreeOverlaySlot() { return Free(g_overlays, g_overlaysCleared); }
