// Reducing raw 16-bit mono samples to peaks: the samples are cut into equal
// buckets so that at most `maxPeaks` come out, and each bucket gives the
// largest magnitude in it, 0.0 to 1.0.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

struct PeakScan {
    int64_t samples;  // N = bytes / 2
    int bucketSize;   // b = N / maxPeaks, at least 1
    int bucketCount;  // K = min(N / b, maxPeaks)
    float peak;       // of the bucket being filled
    int taken;        // samples in it so far
    int stored;       // peaks stored so far
    int carry;        // a low byte waiting for its high byte, -1 = none
};

typedef std::function<void(int index, float peak)> PeakStore;

PeakScan PlanPeaks(int64_t bytes, int maxPeaks);
// Feeds one block of little-endian samples; false once all K peaks are stored.
bool ScanPeakBlock(PeakScan& scan, const unsigned char* data, size_t size, const PeakStore& store);
// Stores the last, partly filled bucket when it holds a sample and fewer than K are stored.
void StorePartialBucket(PeakScan& scan, const PeakStore& store);
