// The media-information actions: one ffprobe query each, parsed into the
// variables the author named.
#include <cstdio>
#include <cstdlib>
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "toolchain/command_builder.h"
#include "toolchain/probe.h"
#include "toolchain/process_runner.h"
#include "toolchain/time_values.h"

static bool Query(const char* format, const std::string& input, std::string& out, size_t size = 8192) {
    CommandOutcome command = BuildCommand(format, {{"InputFile", input}});
    return command.ok && CaptureToolOutput(command.text, out, size);
}

static void GetDuration(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (!Query("-v quiet -show_entries format=duration -of default=noprint_wrappers=1:nokey=1 \"%s\"", a.text(0), out)) {
        ReportError(msg::kNoDuration);
        return;
    }
    double d = atof(out.c_str());
    std::string tc = FormatTimecode(d);
    SetHostVar(a.text(1), tc);
    SetHostVar("[QMT_Duration]", tc);
    SetHostVar("[QMT_DurationSec]", Fmt("%.3f", d));
    ReportComplete();
}

static void GetResolution(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (!Query("-v quiet -select_streams v:0 -show_entries stream=width,height -of csv=p=0:s=x \"%s\"", a.text(0), out)) {
        ReportError(msg::kNoResolution);
        return;
    }
    int width = 0, height = 0;
    sscanf(out.c_str(), "%dx%d", &width, &height);
    SetHostVar(a.text(1), Fmt("%d", width));
    SetHostVar(a.text(2), Fmt("%d", height));
    ReportComplete();
}

static void GetFrameRate(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (!Query("-v quiet -select_streams v:0 -show_entries stream=r_frame_rate -of default=noprint_wrappers=1:nokey=1 \"%s\"",
               a.text(0), out)) {
        ReportError(msg::kNoFramerate);
        return;
    }
    int num = 0, den = 1;
    if (sscanf(out.c_str(), "%d/%d", &num, &den) == 2 && den > 0)
        SetHostVar(a.text(1), Fmt("%.3f", static_cast<double>(num) / den));
    else
        SetHostVar(a.text(1), TrimAnswer(out));
    ReportComplete();
}

static void GetCodecInfo(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (Query("-v quiet -select_streams v:0 -show_entries stream=codec_name -of default=noprint_wrappers=1:nokey=1 \"%s\"",
              a.text(0), out))
        SetHostVar(a.text(1), TrimAnswer(out));
    if (Query("-v quiet -select_streams a:0 -show_entries stream=codec_name -of default=noprint_wrappers=1:nokey=1 \"%s\"",
              a.text(0), out))
        SetHostVar(a.text(2), TrimAnswer(out));
    ReportComplete();
}

static void GetBitrate(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (!Query("-v quiet -show_entries format=bit_rate -of default=noprint_wrappers=1:nokey=1 \"%s\"", a.text(0), out)) {
        ReportError(msg::kNoBitrate);
        return;
    }
    long long bits = strtoll(out.c_str(), nullptr, 10);
    SetHostVar(a.text(1), Fmt("%lld", bits / 1000));
    ReportComplete();
}

static void GetFileSize(const ActionArgs& a) {
    ReportStart();
    int64_t size = plat::PathExists(a.text(0)) ? plat::FileSize64(a.text(0)) : -1;
    if (size < 0) {
        ReportError(msg::kFileNotFound);
        return;
    }
    SetHostVar(a.text(1), Fmt("%lld", static_cast<long long>(size)));
    ReportComplete();
}

static void GetAudioInfo(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (!Query("-v quiet -select_streams a:0 -show_entries stream=sample_rate,channels -of csv=p=0:s=, \"%s\"", a.text(0),
               out)) {
        ReportError(msg::kNoAudioInfo);
        return;
    }
    int rate = 0, channels = 0;
    sscanf(out.c_str(), "%d,%d", &rate, &channels);
    SetHostVar(a.text(1), Fmt("%d", rate));
    SetHostVar(a.text(2), Fmt("%d", channels));
    ReportComplete();
}

static void GetFullInfo(const ActionArgs& a) {
    ReportStart();
    std::string out;
    if (!Query("-v quiet -print_format json -show_format -show_streams \"%s\"", a.text(0), out, 65536)) {
        ReportError(msg::kNoInfo);
        return;
    }
    SetHostVar(a.text(1), out);
    ReportComplete();
}

void RegisterMediaInfoActions() {
    RegisterAction(11, GetDuration);
    RegisterAction(12, GetResolution);
    RegisterAction(13, GetFrameRate);
    RegisterAction(14, GetCodecInfo);
    RegisterAction(15, GetBitrate);
    RegisterAction(16, GetFileSize);
    RegisterAction(17, GetAudioInfo);
    RegisterAction(18, GetFullInfo);
}
