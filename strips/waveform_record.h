// A waveform's record from opening to closing, and its analysis worker.
#pragma once
#include <string>
#include "strips/strip_records.h"

struct WorkerLink;

const unsigned long kWaveformDestroyWaitMs = 10000;
const unsigned long kWaveformRecreateWaitMs = 5000;  // also page tear-down
const int kWaveformTimerId = 2;  // repaints the window to follow the player

// Creation steps without the window: an existing waveform of that name is
// closed, a free slot zeroed and filled. The slot, or -1 when the table is full.
int OpenWaveform(const std::string& rectName, const std::string& videoPath, const std::string& playerRect,
                 WindowHandle rectWindow);
bool StartWaveformAnalysis(int slot);
// Cancels and waits for the worker (up to `waitMs`), destroys the window,
// deletes the lock and frees the slot.
void CloseWaveform(int slot, unsigned long waitMs);
// The thread body; the link's record is a WaveformRecord.
void WaveformAnalysisThread(WorkerLink& link);
std::string WaveformRawPath(int slot);
