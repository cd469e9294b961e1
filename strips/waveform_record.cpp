#include "strips/waveform_record.h"
#include <cstring>
#include "host/text_util.h"
#include "strips/audio_peaks.h"
#include "strips/strip_slots.h"
#include "strips/worker_link.h"
#include "toolchain/probe.h"

namespace {
const int kWaveRate = 8000;
}  // namespace

std::string WaveformRawPath(int slot) { return Fmt("%sqmt_wf_%d.raw", plat::TempFolder().c_str(), slot); }

int OpenWaveform(const std::string& rectName, const std::string& videoPath, const std::string& playerRect,
                 WindowHandle rectWindow) {
    int existing = FindWaveform(rectName);
    if (existing >= 0) CloseWaveform(existing, kWaveformRecreateWaitMs);
    int slot = FreeWaveformSlot();
    WaveformRecord* wave = ClaimRecord(WaveformAt(slot));
    if (!wave) return -1;
    wave->rectWindow = rectWindow;
    SetField(wave->rectName, rectName);
    SetField(wave->videoPath, videoPath);
    SetField(wave->playerRectName, playerRect);
    wave->analysing = true;
    wave->waveColour = Rgb(0, 180, 120);
    wave->backColour = Rgb(15, 15, 20);
    wave->playheadColour = Rgb(255, 60, 60);
    return slot;
}

bool StartWaveformAnalysis(int slot) {
    return StartRecordWorker(WaveformAt(slot), slot, WaveformAnalysisThread, &WaveformRecord::analysing);
}

void CloseWaveform(int slot, unsigned long waitMs) {
    WaveformRecord* wave = WaveformAt(slot);
    if (!wave || !wave->inUse) return;
    StopRecordWorker(*wave, &WaveformRecord::waveWindow, waitMs);
    plat::DeleteLock(wave->lock);
    wave->inUse = 0;
}

void WaveformAnalysisThread(WorkerLink& link) {
    std::string video;
    WithRecord<WaveformRecord>(link, [&](WaveformRecord& w) { video = w.videoPath; });
    double duration = 0;
    if (!Cancelled(link) && link.tools.located()) duration = ProbeDurationQuietly(link.tools, video);
    if (duration > 0) {
        WithRecord<WaveformRecord>(link, [&](WaveformRecord& w) {
            plat::LockHold held(w.lock);
            w.duration = duration;
        });
        bool noSound = false;
        DecodeAndAnalyse(link.tools, video, kWaveRate, WaveformRawPath(link.slot), kWaveformPeaks, true, link.cancel,
                         [&](int index, float peak) {
                             WithRecord<WaveformRecord>(link, [&](WaveformRecord& w) {
                                 plat::LockHold held(w.lock);
                                 w.peaks[index] = peak;
                                 w.peakCount = index + 1;
                             });
                         },
                         noSound);
        WithRecord<WaveformRecord>(link, [&](WaveformRecord& w) {
            {
                plat::LockHold held(w.lock);
                w.noSound = noSound;
            }
            if (!Cancelled(link)) InvalidateFrameWindow(w.waveWindow);
        });
    }
    WithRecord<WaveformRecord>(link, [&](WaveformRecord& w) { w.analysing = false; });
}
