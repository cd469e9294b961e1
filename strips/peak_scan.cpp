#include "strips/peak_scan.h"

PeakScan PlanPeaks(int64_t bytes, int maxPeaks) {
    PeakScan scan = PeakScan();
    scan.samples = bytes / 2;
    int64_t b = scan.samples / maxPeaks;
    scan.bucketSize = b > 0 ? static_cast<int>(b) : 1;
    int64_t k = scan.samples / scan.bucketSize;
    scan.bucketCount = static_cast<int>(k < maxPeaks ? k : maxPeaks);
    scan.carry = -1;
    return scan;
}

static void TakeSample(PeakScan& scan, int16_t sample, const PeakStore& store) {
    float magnitude = static_cast<float>(sample < 0 ? -static_cast<int>(sample) : sample) * (1.0f / 32768.0f);
    if (magnitude > scan.peak) scan.peak = magnitude;
    if (++scan.taken < scan.bucketSize) return;
    store(scan.stored++, scan.peak);
    scan.peak = 0;
    scan.taken = 0;
}

bool ScanPeakBlock(PeakScan& scan, const unsigned char* data, size_t size, const PeakStore& store) {
    for (size_t i = 0; i < size && scan.stored < scan.bucketCount; ++i) {
        if (scan.carry < 0) {
            scan.carry = data[i];
            continue;
        }
        int16_t sample = static_cast<int16_t>(static_cast<uint16_t>(scan.carry | (data[i] << 8)));
        scan.carry = -1;
        TakeSample(scan, sample, store);
    }
    return scan.stored < scan.bucketCount;
}

void StorePartialBucket(PeakScan& scan, const PeakStore& store) {
    if (scan.taken > 0 && scan.stored < scan.bucketCount) {
        store(scan.stored++, scan.peak);
        scan.taken = 0;
    }
}
