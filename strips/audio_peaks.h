// The audio side of the waveform and the track lanes: decode a file's sound
// to raw 16-bit mono samples with ffmpeg, then reduce the samples to peaks.
#pragma once
#include <atomic>
#include <string>
#include "strips/peak_scan.h"

struct ToolPaths;

const unsigned long kAudioDecodeLimitMs = 30000;

// Runs the raw decode at `rate` samples per second into `rawPath` with the
// given tools; a decode past the time limit is ended and what it wrote is
// kept. The tool's exit code.
long DecodeRawAudio(const ToolPaths& tools, const std::string& source, int rate, const std::string& rawPath,
                    const std::atomic<bool>& cancel);
// Reads the raw file in 64 KiB blocks and stores up to `maxPeaks` peaks, the
// last partial bucket too when `keepPartial`. Returns the number stored; the
// file is left where it is.
int AnalyseRawAudio(const std::string& rawPath, int maxPeaks, bool keepPartial, const std::atomic<bool>& cancel,
                    const PeakStore& store);
// Decode, analysis and removal of the raw file in one; when nothing could be
// analysed, `noSound` tells whether the source simply has no audio stream.
int DecodeAndAnalyse(const ToolPaths& tools, const std::string& source, int rate, const std::string& rawPath,
                     int maxPeaks, bool keepPartial, const std::atomic<bool>& cancel, const PeakStore& store,
                     bool& noSound);
