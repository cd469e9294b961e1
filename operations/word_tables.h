// The word tables and small computations the file operations choose their
// arguments with. Words compare case-insensitively; the first match wins.
#pragma once
#include <string>

std::string FlipFilter(const std::string& direction);
std::string DenoiseFilter(const std::string& strength);
// Factor as a number; 0, negative or not a number run at 1.
double SpeedFactor(const std::string& factor);
// The atempo stages that give `factor`: one stage inside 0.5..100, else a
// chain of 0.5 or 100 stages and the remainder, each "atempo=%.4f".
std::string AtempoChain(double factor);
// Where a fade of `seconds` at the end of `total` starts; a fade longer than
// the file starts at 0, since ffmpeg refuses a negative start.
double FadeOutStart(double total, double seconds);
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
    // The values inside those options, for assembling the command: the audio
    // codec ("" for "-an") and the number after -crf.
    std::string audioCodec;
    std::string crf;
};
CodecChoice ChooseCodecs(const std::string& videoWord, const std::string& audioWord, const std::string& qualityWord);
// The codec fields hold 63 characters.
const size_t kCodecWordLimit = 63;

int StabilizeShakiness(const std::string& strength);
std::string ChromaKeyColour(const std::string& colour);
// Video bits per second that make `targetMB` over `seconds`, after 128 kbit/s of audio.
double CompressBitrate(double targetMB, double seconds);
// Extra plays after the first for a total play count.
int LoopRepeats(const std::string& count);
// A path written as one concat-demuxer list line.
std::string ConcatListLine(const std::string& path);
