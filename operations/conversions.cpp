#include "operations/conversions.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/operation_frame.h"
#include "operations/word_tables.h"
#include "toolchain/probe.h"

bool ConvertWithCodecs(const std::string& input, const std::string& videoWord, const std::string& audioWord,
                       const std::string& qualityWord, const std::string& output, const std::string& videoTag) {
    BeginOperation();
    // The codec names are held in 63-character fields; a longer word cannot be
    // a codec name, and cutting it short would run something nobody asked for.
    if (videoWord.size() > kCodecWordLimit || audioWord.size() > kCodecWordLimit || qualityWord.size() > kCodecWordLimit) {
        ReportError("Codec or quality word too long (at most 63 characters).");
        return false;
    }
    CodecChoice c = ChooseCodecs(videoWord, audioWord, qualityWord);
    std::string encoder = videoTag.empty() ? c.encoder : c.encoder + " -tag:v " + videoTag;
    return FinishOperation(Fmt("-i \"%s\" -c:v %s %s %s %s \"%s\"", input.c_str(), encoder.c_str(),
                               c.audioOption.c_str(), c.rateOption.c_str(), c.extraOption.c_str(), output.c_str()),
                           ProbeDurationSeconds(input), output);
}

bool EncodeGif(const std::string& input, const std::string& width, const std::string& fps, const std::string& output) {
    return RunOperation(input,
                        Fmt("-i \"%s\" -filter_complex \"fps=%s,scale=%s:-1:flags=lanczos,split[s0][s1];[s0]palettegen[p];"
                            "[s1][p]paletteuse\" -loop 0 \"%s\"",
                            input.c_str(), fps.c_str(), width.c_str(), output.c_str()),
                        output);
}

bool ExtractAudioTrack(const std::string& input, const std::string& output, const std::string& formatWord) {
    return RunOperation(input, Fmt(ExtractAudioTemplate(formatWord), input.c_str(), output.c_str()), output);
}
