#include "strips/audio_peaks.h"
#include <cstdio>
#include <vector>
#include "platform/platform.h"
#include "strips/worker_tool_run.h"
#include "toolchain/command_builder.h"
#include "toolchain/probe.h"
#include "toolchain/tool_location.h"

static const size_t kBlockBytes = 65536;

long DecodeRawAudio(const ToolPaths& tools, const std::string& source, int rate, const std::string& rawPath,
                    const std::atomic<bool>& cancel) {
    CommandOutcome command = BuildCommand("\"%s\" -y -i \"%s\" -ac 1 -ar %d -f s16le -acodec pcm_s16le \"%s\"",
                                          {{"FFmpeg", tools.ffmpeg}, {"VideoFile", source}, {"Rate", rate},
                                           {"RawFile", rawPath}});
    return command.ok ? RunWorkerTool(command.text, kAudioDecodeLimitMs, cancel) : kToolNotStarted;
}

int AnalyseRawAudio(const std::string& rawPath, int maxPeaks, bool keepPartial, const std::atomic<bool>& cancel,
                    const PeakStore& store) {
    int64_t size = plat::FileSize64(rawPath);
    if (size <= 1) return 0;
    FILE* f = fopen(rawPath.c_str(), "rb");
    if (!f) return 0;
    PeakScan scan = PlanPeaks(size, maxPeaks);
    std::vector<unsigned char> block(kBlockBytes);
    while (!cancel.load()) {
        size_t got = fread(block.data(), 1, block.size(), f);
        if (got == 0 || !ScanPeakBlock(scan, block.data(), got, store)) break;
    }
    fclose(f);
    if (keepPartial && !cancel.load()) StorePartialBucket(scan, store);
    return scan.stored;
}

int DecodeAndAnalyse(const ToolPaths& tools, const std::string& source, int rate, const std::string& rawPath,
                     int maxPeaks, bool keepPartial, const std::atomic<bool>& cancel, const PeakStore& store,
                     bool& noSound) {
    noSound = false;
    DecodeRawAudio(tools, source, rate, rawPath, cancel);
    int stored = cancel.load() ? 0 : AnalyseRawAudio(rawPath, maxPeaks, keepPartial, cancel, store);
    plat::DeleteFilePath(rawPath);
    // A decode of a file without sound fails; saying so beats "analysing" for ever.
    if (stored == 0 && !cancel.load()) noSound = !HasAudioStreamQuietly(tools, source);
    return stored;
}
