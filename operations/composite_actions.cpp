// The file operations that pick their arguments from word tables or compute
// numbers first, and the two-pass stabiliser.
#include <cstdlib>
#include "host/dispatch.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/conversions.h"
#include "operations/operation_frame.h"
#include "operations/word_tables.h"
#include "platform/platform.h"
#include "toolchain/filter_values.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"
#include "toolchain/work_files.h"

namespace {

void ExtractAudio(const ActionArgs& a) { ExtractAudioTrack(a.text(0), a.text(2), a.text(1)); }

void AddAudio(const ActionArgs& a) {
    double delay = atof(a.raw(2));
    CommandOutcome args;
    if (delay > 0) {
        double ms = delay * 1000;
        args = BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[1:a]adelay=%.0f|%.0f[a1];[0:a][a1]amix=2:duration=first[outa]\" "
                            "-map 0:v -map \"[outa]\" -c:v copy -c:a aac \"%s\"",
                            {{"VideoFile", a.raw(0)}, {"AudioFile", a.raw(1)}, {"DelaySec", ms}, {"DelaySec", ms},
                             {"OutputFile", a.raw(3)}});
    } else {
        args = BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[0:a][1:a]amix=2:duration=first[outa]\" -map 0:v "
                            "-map \"[outa]\" -c:v copy -c:a aac \"%s\"",
                            {{"VideoFile", a.raw(0)}, {"AudioFile", a.raw(1)}, {"OutputFile", a.raw(3)}});
    }
    RunOperation(args, a.text(3));
}

void Watermark(const ActionArgs& a) {
    std::string position = WatermarkPosition(a.text(2));
    double opacity = atof(a.raw(3));
    CommandOutcome args;
    if (opacity > 0 && opacity < 1)
        args = BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[1:v]format=rgba,colorchannelmixer=aa=%.2f[wm];"
                            "[0:v][wm]overlay=%s\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                            {{"InputFile", a.raw(0)}, {"ImageFile", a.raw(1)}, {"Opacity", opacity}, {"Position", position},
                             {"OutputFile", a.raw(4)}});
    else  // out of range or not a number: laid on fully opaque
        args = BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"overlay=%s\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                            {{"InputFile", a.raw(0)}, {"ImageFile", a.raw(1)}, {"Position", position}, {"OutputFile", a.raw(4)}});
    RunOperation(args, a.text(4));
}

void ExtractFrames(const ActionArgs& a) {
    BeginOperation();
    double length = ParseTimeValue(a.raw(2)) - ParseTimeValue(a.raw(1));
    double rate = 1.0 / atof(a.raw(3));
    FinishOperation(BuildCommand("-ss %s -to %s -i \"%s\" -vf \"fps=%.4f\" -q:v 2 \"%s\"",
                                 {{"Start", a.raw(1)}, {"End", a.raw(2)}, {"InputFile", a.raw(0)}, {"Interval", rate},
                                  {"Pattern", a.raw(4)}}),
                    length, a.text(4));
}

void Thumbnail(const ActionArgs& a) {
    BeginOperation();
    std::string at = Fmt("%.2f", ProbeDurationSeconds(a.text(0)) / 3);
    FinishOperation(BuildCommand("-ss %s -i \"%s\" -frames:v 1 -q:v 2 \"%s\"",
                                 {{"Time", at}, {"InputFile", a.raw(0)}, {"OutputFile", a.raw(1)}}),
                    0, a.text(1));
}

void ContactSheet(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    int cells = atoi(a.raw(1)) * atoi(a.raw(2));
    if (cells <= 0) {
        ReportError(msg::kInvalidColsRows);
        return;
    }
    double interval = total / (cells + 1);
    FinishOperation(BuildCommand("-i \"%s\" -vf \"fps=1/%.2f,scale=320:-1,tile=%sx%s\" -frames:v 1 -q:v 2 \"%s\"",
                                 {{"InputFile", a.raw(0)}, {"Interval", interval}, {"Columns", a.raw(1)}, {"Rows", a.raw(2)},
                                  {"OutputFile", a.raw(3)}}),
                    0, a.text(3));
}

void ExtractGif(const ActionArgs& a) {
    BeginOperation();
    FinishOperation(BuildCommand("-ss %s -t %s -i \"%s\" -filter_complex \"fps=%s,scale=%s:-1:flags=lanczos,split[s0][s1];"
                                 "[s0]palettegen[p];[s1][p]paletteuse\" -loop 0 \"%s\"",
                                 {{"StartSec", a.raw(1)}, {"DurationSec", a.raw(2)}, {"InputFile", a.raw(0)}, {"FPS", a.raw(4)},
                                  {"Width", a.raw(3)}, {"OutputFile", a.raw(5)}}),
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
        ReportError(msg::kUnknownDuration);
        return;
    }
    double bitrate = CompressBitrate(atof(a.raw(1)), total);
    FinishOperation(BuildCommand("-i \"%s\" -c:v libx264 -b:v %.0f -maxrate %.0f -bufsize %.0f -c:a aac -b:a 128k -preset fast \"%s\"",
                                 {{"InputFile", a.raw(0)}, {"TargetMB", bitrate}, {"TargetMB", bitrate * 1.5},
                                  {"TargetMB", bitrate * 2}, {"OutputFile", a.raw(2)}}),
                    total, a.text(2));
}

void ChromaKey(const ActionArgs& a) {
    std::string key = ChromaKeyColour(a.text(2));
    RunOperation(BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[0:v]chromakey=%s:%s:0.1[fg];[1:v][fg]overlay[outv]\" "
                              "-map \"[outv]\" -map 0:a? -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                              {{"Foreground", a.raw(0)}, {"Background", a.raw(1)}, {"KeyColor", key}, {"Similarity", a.raw(3)},
                               {"OutputFile", a.raw(4)}}),
                 a.text(4));
}

void Stabilize(const ActionArgs& a) {
    BeginOperation();
    WorkFiles files;
    const std::string transforms = files.Path("qmt_trf.trf");
    // A temporary folder such as C:\Users\O'Brien\AppData\Local\Temp\ holds
    // the filter option's own syntax.
    const std::string escaped = EscapeFilterPath(transforms);
    CommandOutcome detect = BuildCommand("-i \"%s\" -vf \"vidstabdetect=shakiness=%d:result='%s'\" -f null %s",
                                         {{"InputFile", a.raw(0)}, {"Strength", StabilizeShakiness(a.text(1))},
                                          {"TempFile", escaped}, {"NullDevice", plat::NullDevice()}});
    Outcome detected = RunStep(detect, InputLengthTimes{1});
    if (!detected.ok) return ReportFailure(detected);
    ReportProgress(50);
    FinishOperation(BuildCommand("-i \"%s\" -vf \"vidstabtransform=input='%s':smoothing=10,unsharp=5:5:0.8:3:3:0.4\" "
                                 "-c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                                 {{"InputFile", a.raw(0)}, {"TempFile", escaped}, {"OutputFile", a.raw(2)}}),
                    InputLengthTimes{1}, a.text(2));
}

void BurnSubtitles(const ActionArgs& a) {
    std::string path = EscapeFilterPath(a.text(1));
    RunOperation(BuildCommand("-i \"%s\" -vf \"subtitles='%s':force_style='FontSize=%s,PrimaryColour=&H%s&'\" "
                              "-c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                              {{"InputFile", a.raw(0)}, {"SRTFile", path}, {"FontSize", a.raw(2)}, {"Color", a.raw(3)},
                               {"OutputFile", a.raw(4)}}),
                 a.text(4));
}

void Loop(const ActionArgs& a) {
    BeginOperation();
    int repeats = LoopRepeats(a.text(1));
    FinishOperation(BuildCommand("-stream_loop %d -i \"%s\" -c copy \"%s\"",
                                 {{"Count", repeats}, {"InputFile", a.raw(0)}, {"OutputFile", a.raw(2)}}),
                    InputLengthTimes{repeats + 1.0}, a.text(2));
}

void FromImages(const ActionArgs& a) {
    BeginOperation();
    FinishOperation(BuildCommand("-framerate %s -i \"%s\" -t %s -c:v libx264 -preset fast -crf 18 -pix_fmt yuv420p \"%s\"",
                                 {{"FPS", a.raw(1)}, {"Pattern", a.raw(0)}, {"DurationSec", a.raw(2)}, {"OutputFile", a.raw(3)}}),
                    atof(a.raw(2)), a.text(3));
}

void FromImage(const ActionArgs& a) {
    BeginOperation();
    CommandOutcome args;
    if (!a.text(2).empty())
        args = BuildCommand("-loop 1 -i \"%s\" -i \"%s\" -c:v libx264 -t %s -pix_fmt yuv420p -preset fast -crf 18 -c:a aac "
                            "-shortest \"%s\"",
                            {{"ImageFile", a.raw(0)}, {"AudioFile", a.raw(2)}, {"DurationSec", a.raw(1)}, {"OutputFile", a.raw(3)}});
    else
        args = BuildCommand("-loop 1 -i \"%s\" -c:v libx264 -t %s -pix_fmt yuv420p -preset fast -crf 18 \"%s\"",
                            {{"ImageFile", a.raw(0)}, {"DurationSec", a.raw(1)}, {"OutputFile", a.raw(3)}});
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
