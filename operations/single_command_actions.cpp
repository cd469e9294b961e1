// The file operations whose work is one ffmpeg run with the parameters put
// straight into a template, or through a small word mapping.
#include <cstdlib>
#include "host/dispatch.h"
#include "host/text_util.h"
#include "operations/operation_frame.h"
#include "operations/word_tables.h"
#include "toolchain/filter_values.h"
#include "toolchain/probe.h"

namespace {

// The geometry actions share the video-filter template; only where the
// output parameter sits differs.
void FilterRun(const ActionArgs& a, const std::string& filter, int outputIndex) {
    ApplyVideoFilter(a.text(0), filter, a.text(outputIndex));
}

void Trim(const ActionArgs& a) {
    BeginOperation();
    FinishOperation(BuildCommand("-ss %s -to %s -i \"%s\" -c copy \"%s\"", {{"StartTime", a.raw(1)}, {"EndTime", a.raw(2)},
                                                                              {"InputFile", a.raw(0)}, {"OutputFile", a.raw(3)}}),
                    0, a.text(3));
}

void Overlay(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"overlay=%s:%s\" -c:v libx264 -preset fast -crf 18 "
                              "-c:a copy \"%s\"",
                              {{"BaseVideo", a.raw(0)}, {"OverlayVideo", a.raw(1)}, {"X", a.raw(2)}, {"Y", a.raw(3)},
                               {"OutputFile", a.raw(4)}}),
                 a.text(4));
}

void OverlayAdvanced(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[1:v]scale=%s:-1[ov];[0:v][ov]overlay=%s:%s:"
                              "enable='between(t,%s,%s)'\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                              {{"Base", a.raw(0)}, {"Overlay", a.raw(1)}, {"Scale", a.raw(4)}, {"X", a.raw(2)}, {"Y", a.raw(3)},
                               {"StartSec", a.raw(5)}, {"EndSec", a.raw(6)}, {"Output", a.raw(7)}}),
                 a.text(7));
}

void ReplaceAudio(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -i \"%s\" -c:v copy -map 0:v:0 -map 1:a:0 -shortest \"%s\"",
                              {{"VideoFile", a.raw(0)}, {"AudioFile", a.raw(1)}, {"OutputFile", a.raw(2)}}),
                 a.text(2));
}

void MixAudio(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -i \"%s\" -filter_complex \"[0:a]volume=1.0[a0];[1:a]volume=%s[a1];"
                              "[a0][a1]amix=inputs=2:duration=first[outa]\" -map 0:v -map \"[outa]\" -c:v copy -c:a aac \"%s\"",
                              {{"VideoFile", a.raw(0)}, {"AudioFile", a.raw(1)}, {"Volume", a.raw(2)}, {"OutputFile", a.raw(3)}}),
                 a.text(3));
}

void Resize(const ActionArgs& a) { FilterRun(a, Fmt("scale=%s:%s", a.raw(1), a.raw(2)), 3); }

void Crop(const ActionArgs& a) { FilterRun(a, Fmt("crop=%s:%s:%s:%s", a.raw(1), a.raw(2), a.raw(3), a.raw(4)), 5); }

void Rotate(const ActionArgs& a) {
    // The quarter turns are exact transposes; anything else rotates by the
    // angle as typed.
    switch (atoi(a.raw(1))) {
        case 90: FilterRun(a, "transpose=1", 2); break;
        case 180: FilterRun(a, "transpose=1,transpose=1", 2); break;
        case 270: FilterRun(a, "transpose=2", 2); break;
        default: FilterRun(a, Fmt("rotate=%s*PI/180", a.raw(1)), 2); break;
    }
}

void Flip(const ActionArgs& a) { FilterRun(a, FlipFilter(a.text(1)), 2); }

void Speed(const ActionArgs& a) {
    double factor = SpeedFactor(a.text(1));
    std::string input = a.text(0), output = a.text(2);
    BeginOperation();
    // setpts alone leaves the frame rate to the encoder, and every FFmpeg
    // treats that differently: sped up 4x, 5.1 left 0.60 s of picture against
    // 0.50 s of sound; slowed down, 7.1 keeps the source's frames, each shown
    // longer, and ends the picture a frame early. The fps filter keeps the
    // source's rate, and the picture is padded and cut at exactly its new
    // length, where 4.1's fps would repeat the last frame to the source's
    // length (all from one ffprobe run for the rate and length).
    std::string picture = Fmt("setpts=%.4f*PTS", 1.0 / factor);
    if (factor != 1) {
        double seconds = 0;
        picture += ",fps=" + ProbeFrameRate(input, &seconds);
        if (seconds > 0) picture += Fmt(",tpad=stop=-1:stop_mode=clone,trim=duration=%.3f", seconds / factor);
    }
    // atempo takes 0.5 to 100 per stage; factors outside run as a chain.
    FinishOperation(BuildCommand("-i \"%s\" -filter_complex \"[0:v]%s[v];[0:a]%s[a]\" -map \"[v]\" -map \"[a]\" "
                                 "-c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                                 {{"InputFile", input}, {"Picture", picture}, {"Factor", AtempoChain(factor)},
                                  {"OutputFile", output}}),
                    InputLengthTimes{1.0 / factor}, output);
}

void FrameRate(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -r %s -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                              {{"InputFile", a.raw(0)}, {"Rate", a.raw(1)}, {"OutputFile", a.raw(2)}}),
                 a.text(2));
}

void Pad(const ActionArgs& a) {
    FilterRun(a, Fmt("pad=%s:%s:(ow-iw)/2:(oh-ih)/2:color=%s", a.raw(1), a.raw(2), a.raw(3)), 4);
}

void ScaleToFit(const ActionArgs& a) {
    // libx264 refuses odd sizes, which the aspect-keeping decrease can give:
    // a second scale rounds each side down to even.
    FilterRun(a,
              Fmt("scale='min(%s,iw)':'min(%s,ih)':force_original_aspect_ratio=decrease,scale=trunc(iw/2)*2:trunc(ih/2)*2",
                  a.raw(1), a.raw(2)),
              3);
}

void Reverse(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -vf reverse -af areverse -c:v libx264 -preset fast -crf 18 -c:a aac \"%s\"",
                              {{"InputFile", a.raw(0)}, {"OutputFile", a.raw(1)}}),
                 a.text(1));
}

// Audio filters keep the picture as it is and re-encode the sound.
void AudioFilterRun(const ActionArgs& a, const std::string& filter) {
    RunOperation(BuildCommand("-i \"%s\" -af \"%s\" -c:v copy -c:a aac \"%s\"",
                              {{"InputFile", a.raw(0)}, {"Filter", filter}, {"OutputFile", a.raw(2)}}),
                 a.text(2));
}

void SetVolume(const ActionArgs& a) { AudioFilterRun(a, Fmt("volume=%s", a.raw(1))); }
void FadeAudioIn(const ActionArgs& a) { AudioFilterRun(a, Fmt("afade=t=in:st=0:d=%s", a.raw(1))); }

void FadeAudioOut(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    FinishOperation(BuildCommand("-i \"%s\" -af \"afade=t=out:st=%.2f:d=%s\" -c:v copy -c:a aac \"%s\"",
                                 {{"InputFile", a.raw(0)}, {"Seconds", FadeOutStart(total, atof(a.raw(1)))},
                                  {"Seconds", a.raw(1)}, {"OutputFile", a.raw(2)}}),
                    total, a.text(2));
}

void Mute(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -an -c:v copy \"%s\"", {{"InputFile", a.raw(0)}, {"OutputFile", a.raw(1)}}),
                 a.text(1));
}

void Normalize(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" -af loudnorm=I=-16:TP=-1.5:LRA=11 -c:v copy -c:a aac \"%s\"",
                              {{"InputFile", a.raw(0)}, {"OutputFile", a.raw(1)}}),
                 a.text(1));
}

void Brightness(const ActionArgs& a) { ApplyVideoFilter(a.text(0), Fmt("eq=brightness=%s", a.raw(1)), a.text(2)); }
void Contrast(const ActionArgs& a) { ApplyVideoFilter(a.text(0), Fmt("eq=contrast=%s", a.raw(1)), a.text(2)); }
void Saturation(const ActionArgs& a) { ApplyVideoFilter(a.text(0), Fmt("eq=saturation=%s", a.raw(1)), a.text(2)); }
void ColorBalance(const ActionArgs& a) {
    ApplyVideoFilter(a.text(0), Fmt("eq=brightness=%s:contrast=%s:saturation=%s", a.raw(1), a.raw(2), a.raw(3)), a.text(4));
}
void Blur(const ActionArgs& a) { ApplyVideoFilter(a.text(0), Fmt("boxblur=%s", a.raw(1)), a.text(2)); }
void Sharpen(const ActionArgs& a) {
    ApplyVideoFilter(a.text(0), Fmt("unsharp=5:5:%s:5:5:%s", a.raw(1), a.raw(1)), a.text(2));
}
void Grayscale(const ActionArgs& a) { ApplyVideoFilter(a.text(0), "hue=s=0", a.text(1)); }
// colorchannelmixer works in RGB, and without a format at its end the
// encoder keeps 4:4:4 ("High 4:4:4 Predictive"), which Windows' own decoder
// does not play.
void Sepia(const ActionArgs& a) {
    ApplyVideoFilter(a.text(0), "colorchannelmixer=.393:.769:.189:0:.349:.686:.168:0:.272:.534:.131:0,format=yuv420p",
                     a.text(1));
}
void Vignette(const ActionArgs& a) { ApplyVideoFilter(a.text(0), Fmt("vignette=angle=%s", a.raw(1)), a.text(2)); }
void FadeIn(const ActionArgs& a) { ApplyVideoFilter(a.text(0), Fmt("fade=t=in:st=0:d=%s", a.raw(1)), a.text(2)); }

void FadeOut(const ActionArgs& a) {
    BeginOperation();
    double total = ProbeDurationSeconds(a.text(0));
    FinishOperation(BuildCommand("-i \"%s\" -vf \"fade=t=out:st=%.2f:d=%s\" -c:v libx264 -preset fast -crf 18 -c:a copy \"%s\"",
                                 {{"InputFile", a.raw(0)}, {"Seconds", FadeOutStart(total, atof(a.raw(1)))},
                                  {"Seconds", a.raw(1)}, {"OutputFile", a.raw(2)}}),
                    total, a.text(2));
}

void DrawBox(const ActionArgs& a) {
    ApplyVideoFilter(a.text(0),
                     Fmt("drawbox=x=%s:y=%s:w=%s:h=%s:color=%s:t=%s", a.raw(1), a.raw(2), a.raw(3), a.raw(4), a.raw(5),
                         a.raw(6)),
                     a.text(7));
}

void CustomFilter(const ActionArgs& a) { ApplyVideoFilter(a.text(0), a.text(1), a.text(2)); }
void Denoise(const ActionArgs& a) { ApplyVideoFilter(a.text(0), DenoiseFilter(a.text(1)), a.text(2)); }
void Deinterlace(const ActionArgs& a) { ApplyVideoFilter(a.text(0), "yadif", a.text(1)); }

void TextOverlay(const ActionArgs& a) {
    // Escaped for drawtext so that quotes, colons, percent signs and
    // backslashes are drawn as typed instead of failing or vanishing.
    FilterRun(a, Fmt("drawtext=text='%s':fontsize=%s:fontcolor=%s:x=%s:y=%s", EscapeDrawTextValue(a.text(1)).c_str(),
                     a.raw(2), a.raw(3), a.raw(4), a.raw(5)),
              6);
}

void ExtractFrame(const ActionArgs& a) {
    BeginOperation();
    FinishOperation(BuildCommand("-ss %s -i \"%s\" -frames:v 1 -q:v 2 \"%s\"",
                                 {{"Time", a.raw(1)}, {"InputFile", a.raw(0)}, {"OutputFile", a.raw(2)}}),
                    0, a.text(2));
}

void Convert(const ActionArgs& a) {
    RunOperation(BuildCommand("-i \"%s\" \"%s\"", {{"InputFile", a.raw(0)}, {"OutputFile", a.raw(1)}}), a.text(1));
}

void SetBitrate(const ActionArgs& a) {
    std::string video = BitrateNumber(a.text(1)), audio = BitrateNumber(a.text(2));
    RunOperation(BuildCommand("-i \"%s\" -c:v libx264 -b:v %sk -c:a aac -b:a %sk \"%s\"",
                              {{"InputFile", a.raw(0)}, {"VideoBitrate", video}, {"AudioBitrate", audio}, {"OutputFile", a.raw(3)}}),
                 a.text(3));
}

}  // namespace

void RegisterSingleCommandActions() {
    RegisterAction(21, Trim);
    RegisterAction(33, Overlay);
    RegisterAction(34, OverlayAdvanced);
    RegisterAction(35, ReplaceAudio);
    RegisterAction(36, MixAudio);
    RegisterAction(41, Resize);
    RegisterAction(42, Crop);
    RegisterAction(43, Rotate);
    RegisterAction(44, Flip);
    RegisterAction(45, Speed);
    RegisterAction(46, FrameRate);
    RegisterAction(47, Pad);
    RegisterAction(48, ScaleToFit);
    RegisterAction(52, SetVolume);
    RegisterAction(53, FadeAudioIn);
    RegisterAction(54, FadeAudioOut);
    RegisterAction(55, Mute);
    RegisterAction(56, Normalize);
    RegisterAction(61, Brightness);
    RegisterAction(62, Contrast);
    RegisterAction(63, Saturation);
    RegisterAction(64, ColorBalance);
    RegisterAction(65, Blur);
    RegisterAction(66, Sharpen);
    RegisterAction(67, Grayscale);
    RegisterAction(68, Sepia);
    RegisterAction(69, Vignette);
    RegisterAction(70, TextOverlay);
    RegisterAction(72, FadeIn);
    RegisterAction(73, FadeOut);
    RegisterAction(74, DrawBox);
    RegisterAction(75, CustomFilter);
    RegisterAction(81, ExtractFrame);
    RegisterAction(91, Convert);
    RegisterAction(96, SetBitrate);
    RegisterAction(103, Denoise);
    RegisterAction(105, Deinterlace);
    RegisterAction(106, Reverse);
}
