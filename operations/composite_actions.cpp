// The file operations that pick their arguments from word tables or compute
// numbers first, and the two-pass stabiliser.
#include <cstdlib>
#include "host/dispatch.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/conversions.h"
#include "operations/operation_frame.h"
#include "operations/word_tables.h"
#include "platform/platform.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"

namespace {

void ExtractAudio(const ActionArgs& a) { ExtractAudioTrack(a.text(0), a.text(2), a.text(1)); }

void AddAudio(const ActionArgs& a) {
    double delay = atof(a.raw(2));
    std::string args;
    if (delay > 0) {
        double ms = delay * 1000;
        args = Fmt("-i \"%s\" -i \"%s\" -filter_complex \"[1:a]adelay=%.0f|%.0f[a1];[0:a][a1]amix=2:duration=first[outa]\" "
                   "-map 0:v -map \"[outa]\" -c:v copy -c:a aac \"%s\"",
                   a.raw(0), a.raw(1), ms, ms, a.raw(3));
    } else {
        args = Fmt("-i \"%s\" -i \"%s\" -filter_complex \"[0:a][1:a]amix=2:duration=first[outa]\" -map 0:v -map \"[outa]\" "
                   "-c:v copy -c:a aac \"%s\"",
                   a.raw(0), a.raw(1), a.raw(3));
    }
    RunOperation(a.text(0), args, a.text(3));
}

void Watermark(const ActionArgs& a) {
    std::string position = WatermarkPosition(a.text(2));
    double opacity = atof(a.raw(3));
    std::string args;
    if (opacity > 0 && opacity < 1)
        args = Fmt("-i \"%s\" -i \"%s\" -filter_complex \"[1:v]format=rgba,colorchannelmixer=aa=%.2f[wm];[0:v][wm]overlay=%s\" "
                   "-c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                   a.raw(0), a.raw(1), opacity, position.c_str(), a.raw(4));
    else  // out of range or not a number: laid on fully opaque
        args = Fmt("-i \"%s\" -i \"%s\" -filter_complex \"overlay=%s\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                   a.raw(0), a.raw(1), position.c_str(), a.raw(4));
    RunOperation(a.text(0), args, a.text(4));
}

void ExtractFrames(const ActionArgs& a) {
    BeginOperation();
    double length = ParseTimeValue(a.raw(2)) - ParseTimeValue(a.raw(1));
    double rate = 1.0 / atof(a.raw(3));
    FinishOperation(Fmt("-ss %s -to %s -i \"%s\" -vf \"fps=%.4f\" -q:v 2 \"%s\"", a.raw(1), a.raw(2), a.raw(0), rate, a.raw(4)),
                    length, a.text(4));
}

void Thumbnail(const ActionArgs& a) {
    BeginOperation();
    std::string at = Fmt("%.2f", ProbeDurationSeconds(a.text(0)) / 3);
    FinishOperation(Fmt("-ss %s -i \"%s\" -frames:v 1 -q:v 2 \"%s\"", at.c_str(), a.raw(0), a.raw(1)), 0, a.text(1));
}

void ContactSheet(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    int cells = atoi(a.raw(1)) * atoi(a.raw(2));
    if (cells <= 0) {
        ReportError("Invalid cols/rows.");
        return;
    }
    double interval = total / (cells + 1);
    FinishOperation(Fmt("-i \"%s\" -vf \"fps=1/%.2f,scale=320:-1,tile=%sx%s\" -frames:v 1 -q:v 2 \"%s\"", a.raw(0), interval,
                        a.raw(1), a.raw(2), a.raw(3)),
                    0, a.text(3));
}

void ExtractGif(const ActionArgs& a) {
    BeginOperation();
    FinishOperation(Fmt("-ss %s -t %s -i \"%s\" -filter_complex \"fps=%s,scale=%s:-1:flags=lanczos,split[s0][s1];"
                        "[s0]palettegen[p];[s1][p]paletteuse\" -loop 0 \"%s\"",
                        a.raw(1), a.raw(2), a.raw(0), a.raw(4), a.raw(3), a.raw(5)),
                    atof(a.raw(2)), a.text(5));
}

void ConvertAdvanced(const ActionArgs& a) { ConvertWithCodecs(a.text(0), a.text(1), a.text(2), a.text(3), a.text(4)); }
void ToMp4(const ActionArgs& a) { ConvertWithCodecs(a.text(0), "h264", "aac", a.text(1), a.text(2)); }
void ToWebM(const ActionArgs& a) { ConvertWithCodecs(a.text(0), "vp9", "opus", a.text(1), a.text(2)); }
void ToGif(const ActionArgs& a) { EncodeGif(a.text(0), a.text(1), a.text(2), a.text(3)); }

void Compress(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    // Without a duration there is no bitrate to spread the target over.
    if (!(total > 0)) {
        ReportError("Cannot determine video duration.");
        return;
    }
    double bitrate = CompressBitrate(atof(a.raw(1)), total);
    FinishOperation(Fmt("-i \"%s\" -c:v libx264 -b:v %.0f -maxrate %.0f -bufsize %.0f -c:a aac -b:a 128k -preset fast \"%s\"",
                        a.raw(0), bitrate, bitrate * 1.5, bitrate * 2, a.raw(2)),
                    total, a.text(2));
}

void ChromaKey(const ActionArgs& a) {
    std::string key = ChromaKeyColour(a.text(2));
    RunOperation(a.text(0), Fmt("-i \"%s\" -i \"%s\" -filter_complex \"[0:v]chromakey=%s:%s:0.1[fg];[1:v][fg]overlay[outv]\" "
                        "-map \"[outv]\" -map 0:a? -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                        a.raw(0), a.raw(1), key.c_str(), a.raw(3), a.raw(4)),
                 a.text(4));
}

void Stabilize(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    const std::string transforms = plat::TempFolder() + "qmt_trf.trf";
    std::string detect = Fmt("-i \"%s\" -vf \"vidstabdetect=shakiness=%d:result='%s'\" -f null %s", a.raw(0),
                             StabilizeShakiness(a.text(1)), transforms.c_str(), plat::NullDevice().c_str());
    if (ArgumentsFit(detect) && RunFFmpeg(detect, total)) {
        ReportProgress(50);
        FinishOperation(Fmt("-i \"%s\" -vf \"vidstabtransform=input='%s':smoothing=10,unsharp=5:5:0.8:3:3:0.4\" "
                            "-c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                            a.raw(0), transforms.c_str(), a.raw(2)),
                        total, a.text(2));
    }
    plat::DeleteFilePath(transforms);
}

void BurnSubtitles(const ActionArgs& a) {
    std::string path = EscapeSubtitlePath(a.text(1));
    RunOperation(a.text(0), Fmt("-i \"%s\" -vf \"subtitles='%s':force_style='FontSize=%s,PrimaryColour=&H%s&'\" "
                        "-c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                        a.raw(0), path.c_str(), a.raw(2), a.raw(3), a.raw(4)),
                 a.text(4));
}

void Loop(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    int repeats = LoopRepeats(a.text(1));
    FinishOperation(Fmt("-stream_loop %d -i \"%s\" -c copy \"%s\"", repeats, a.raw(0), a.raw(2)), (repeats + 1) * total,
                    a.text(2));
}

void FromImages(const ActionArgs& a) {
    BeginOperation();
    FinishOperation(Fmt("-framerate %s -i \"%s\" -t %s -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p \"%s\"", a.raw(1),
                        a.raw(0), a.raw(2), a.raw(3)),
                    atof(a.raw(2)), a.text(3));
}

void FromImage(const ActionArgs& a) {
    BeginOperation();
    std::string args;
    if (!a.text(2).empty())
        args = Fmt("-loop 1 -i \"%s\" -i \"%s\" -c:v libx264 -t %s -pix_fmt yuv420p -preset fast -crf 18 -c:a aac -shortest \"%s\"",
                   a.raw(0), a.raw(2), a.raw(1), a.raw(3));
    else
        args = Fmt("-loop 1 -i \"%s\" -c:v libx264 -t %s -pix_fmt yuv420p -preset fast -crf 18 \"%s\"", a.raw(0), a.raw(1),
                   a.raw(3));
    FinishOperation(args, atof(a.raw(1)), a.text(3));
}

}  // namespace

void RegisterCompositeActions() {
    RegisterAction(51, ExtractAudio);
    RegisterAction(57, AddAudio);
    RegisterAction(71, Watermark);
    RegisterAction(82, ExtractFrames);
    RegisterAction(83, Thumbnail);
    RegisterAction(84, ContactSheet);
    RegisterAction(85, ExtractGif);
    RegisterAction(92, ConvertAdvanced);
    RegisterAction(93, ToMp4);
    RegisterAction(94, ToWebM);
    RegisterAction(95, ToGif);
    RegisterAction(97, Compress);
    RegisterAction(101, ChromaKey);
    RegisterAction(102, Stabilize);
    RegisterAction(104, BurnSubtitles);
    RegisterAction(107, Loop);
    RegisterAction(108, FromImages);
    RegisterAction(109, FromImage);
}
