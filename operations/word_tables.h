// The word tables and small computations the file operations choose their
// arguments with. Words compare case-insensitively; the first match wins.
#pragma once
#include <string>

std::string FlipFilter(const std::string& direction);
std::string DenoiseFilter(const std::string& strength);
// Factor as a number; 0, negative or not a number run at 1.
double SpeedFactor(const std::string& factor);
// A bitrate in kbit/s without the trailing k the action editor offers.
std::string BitrateNumber(const std::string& typed);

// Template with (input, output) for one audio format word.
const char* ExtractAudioTemplate(const std::string& format);
std::string WatermarkPosition(const std::string& position);

struct CodecChoice {
    std::string encoder;      // after -c:v
    std::string audioOption;  // "-c:a <codec>" or "-an"
    std::string rateOption;   // "-crf N"
    std::string extraOption;  // preset or the VP9/AV1 speed options
};
CodecChoice ChooseCodecs(const std::string& videoWord, const std::string& audioWord, const std::string& qualityWord);
// The codec fields hold 63 characters.
const size_t kCodecWordLimit = 63;

int StabilizeShakiness(const std::string& strength);
std::string ChromaKeyColour(const std::string& colour);
// Backslash and colon escaped for the subtitles filter, at most 516 characters.
std::string EscapeSubtitlePath(const std::string& path);
// Video bits per second that make `targetMB` over `seconds`, after 128 kbit/s of audio.
double CompressBitrate(double targetMB, double seconds);
// Extra plays after the first for a total play count.
int LoopRepeats(const std::string& count);
// A path written as one concat-demuxer list line.
std::string ConcatListLine(const std::string& path);
