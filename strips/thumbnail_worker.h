// The filmstrip's extraction worker: one ffmpeg run per thumbnail, each
// stored in the record as it arrives.
#pragma once
#include <string>

struct WorkerLink;

const unsigned long kThumbnailRunLimitMs = 5000;

// The thread body; the link's record is a FrameStripRecord.
void FrameExtractionThread(WorkerLink& link);
// Temporary image of thumbnail `index` of strip `slot`.
std::string ThumbnailImagePath(int slot, int index);
