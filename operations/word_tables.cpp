#include "operations/word_tables.h"
#include <cmath>
#include <cstdlib>
#include "host/text_util.h"

std::string FlipFilter(const std::string& direction) {
    if (EqualsNoCase(direction, "vertical")) return "vflip";
    if (EqualsNoCase(direction, "both")) return "hflip,vflip";
    return "hflip";
}

std::string DenoiseFilter(const std::string& strength) {
    if (EqualsNoCase(strength, "light") || EqualsNoCase(strength, "low")) return "hqdn3d=2:2:3:3";
    if (EqualsNoCase(strength, "heavy") || EqualsNoCase(strength, "high")) return "hqdn3d=8:6:12:9";
    return "hqdn3d=4:3:6:4.5";
}

double SpeedFactor(const std::string& factor) {
    double f = atof(factor.c_str());
    // "inf" reads as a number too, but no chain of stages reaches it.
    return f > 0 && std::isfinite(f) ? f : 1.0;
}

std::string AtempoChain(double factor) {
    std::string chain;
    double rest = factor;
    while (rest < 0.5) {
        chain += "atempo=0.5000,";
        rest /= 0.5;
    }
    while (rest > 100) {
        chain += "atempo=100.0000,";
        rest /= 100;
    }
    return chain + Fmt("atempo=%.4f", rest);
}

double FadeOutStart(double total, double seconds) {
    double start = total - seconds;
    return start > 0 ? start : 0;
}

std::string BitrateNumber(const std::string& typed) {
    // The template appends the k itself; "2000k" from the action editor would
    // otherwise reach ffmpeg as "2000kk".
    if (!typed.empty() && (typed.back() == 'k' || typed.back() == 'K')) return typed.substr(0, typed.size() - 1);
    return typed;
}

const char* ExtractAudioTemplate(const std::string& format) {
    if (EqualsNoCase(format, "wav")) return "-i \"%s\" -vn -acodec pcm_s16le \"%s\"";
    if (EqualsNoCase(format, "flac")) return "-i \"%s\" -vn -acodec flac \"%s\"";
    if (EqualsNoCase(format, "aac")) return "-i \"%s\" -vn -acodec aac -b:a 192k \"%s\"";
    // Opus has an encoder of its own: the MP3 fallback cannot go into an Ogg file.
    if (EqualsNoCase(format, "opus")) return "-i \"%s\" -vn -acodec libopus -b:a 192k \"%s\"";
    // The ogg muxer refuses mp3; Vorbis is what an .ogg audio file holds.
    if (EqualsNoCase(format, "ogg")) return "-i \"%s\" -vn -acodec libvorbis -b:a 192k \"%s\"";
    return "-i \"%s\" -vn -acodec libmp3lame -b:a 192k \"%s\"";
}

std::string WatermarkPosition(const std::string& position) {
    if (EqualsNoCase(position, "topright")) return "main_w-overlay_w-10:10";
    if (EqualsNoCase(position, "bottomleft")) return "10:main_h-overlay_h-10";
    if (EqualsNoCase(position, "bottomright")) return "main_w-overlay_w-10:main_h-overlay_h-10";
    if (EqualsNoCase(position, "center")) return "(main_w-overlay_w)/2:(main_h-overlay_h)/2";
    return "10:10";
}

static std::string VideoEncoder(const std::string& word) {
    if (EqualsNoCase(word, "h265") || EqualsNoCase(word, "hevc")) return "libx265";
    if (EqualsNoCase(word, "vp9")) return "libvpx-vp9";
    if (EqualsNoCase(word, "av1")) return "libaom-av1";
    if (EqualsNoCase(word, "copy")) return "copy";
    if (EqualsNoCase(word, "mpeg4")) return "mpeg4";
    if (word.empty()) return "libx264";
    return word;
}

// "" stands for no audio at all.
static std::string AudioCodec(const std::string& word) {
    if (EqualsNoCase(word, "mp3")) return "libmp3lame";
    if (EqualsNoCase(word, "opus")) return "libopus";
    if (EqualsNoCase(word, "flac")) return "flac";
    if (EqualsNoCase(word, "copy")) return "copy";
    if (EqualsNoCase(word, "none")) return "";
    if (word.empty()) return "aac";
    return word;
}

CodecChoice ChooseCodecs(const std::string& videoWord, const std::string& audioWord, const std::string& qualityWord) {
    CodecChoice c;
    c.encoder = VideoEncoder(videoWord);
    c.audioCodec = AudioCodec(audioWord);
    c.audioOption = c.audioCodec.empty() ? "-an" : "-c:a " + c.audioCodec;
    std::string preset;
    const std::string& q = qualityWord;
    if (EqualsNoCase(q, "low")) c.crf = "28";
    else if (EqualsNoCase(q, "medium")) c.crf = "23";
    else if (EqualsNoCase(q, "high")) c.crf = "18";
    else if (EqualsNoCase(q, "lossless")) c.crf = "0";
    else if (EqualsNoCase(q, "ultrafast") || EqualsNoCase(q, "fast") || EqualsNoCase(q, "slow") ||
             EqualsNoCase(q, "veryslow")) {
        c.crf = "23";
        preset = "-preset " + ToLowerAscii(q);
    } else if (q.empty()) c.crf = "23";
    else c.crf = q;
    c.rateOption = "-crf " + c.crf;
    // VP9 and AV1 are steered by their own speed options instead of a preset.
    if (EqualsNoCase(c.encoder, "libvpx-vp9")) c.extraOption = "-b:v 0 -speed 1 -row-mt 1";
    else if (EqualsNoCase(c.encoder, "libaom-av1")) c.extraOption = "-b:v 0 -cpu-used 4 -row-mt 1";
    else c.extraOption = preset.empty() ? "-preset fast" : preset;
    return c;
}

int StabilizeShakiness(const std::string& strength) {
    if (EqualsNoCase(strength, "low")) return 3;
    if (EqualsNoCase(strength, "high")) return 8;
    return 5;
}

std::string ChromaKeyColour(const std::string& colour) {
    if (EqualsNoCase(colour, "green")) return "0x00FF00";
    if (EqualsNoCase(colour, "blue")) return "0x0000FF";
    if (!colour.empty() && colour[0] == '#') return "0x" + colour.substr(1);
    return colour;
}

double CompressBitrate(double targetMB, double seconds) {
    double bits = targetMB * 1024 * 1024 * 8 / seconds - 128000;
    return bits > 100000 ? bits : 100000;
}

int LoopRepeats(const std::string& count) {
    int repeats = atoi(count.c_str()) - 1;
    return repeats < 0 ? 0 : repeats;
}

std::string ConcatListLine(const std::string& path) {
    // The concat demuxer reads '\'' inside a quoted name as one quote.
    std::string quoted;
    for (char c : path) {
        if (c == '\'') quoted += "'\\''";
        else quoted += c;
    }
    return "file '" + quoted + "'\n";
}
