#include "operations/conversions.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "operations/operation_frame.h"
#include "operations/word_tables.h"
#include "toolchain/probe.h"

// The encoder, and the codec tag of the video stream when one is asked for.
static CommandOutcome VideoCodecOption(const std::string& encoder, const std::string& tag) {
    if (tag.empty()) return BuildCommand("%s", {{"VCodec", encoder}});
    return BuildCommand("%s -tag:v %s", {{"VCodec", encoder}, {"VCodec", tag}});
}

bool ConvertWithCodecs(const std::string& input, const std::string& videoWord, const std::string& audioWord,
                       const std::string& qualityWord, const std::string& output, const std::string& videoTag) {
    BeginOperation();
    // The codec names are held in 63-character fields; a longer word cannot be
    // a codec name, and cutting it short would run something nobody asked for.
    if (videoWord.size() > kCodecWordLimit || audioWord.size() > kCodecWordLimit || qualityWord.size() > kCodecWordLimit) {
        ReportError(msg::kCodecWordTooLong);
        return false;
    }
    CodecChoice c = ChooseCodecs(videoWord, audioWord, qualityWord);
    // The option groups are assembled first so each typed word is checked in
    // its own unquoted slot; the preset texts come from the fixed table.
    CommandOutcome audio = c.audioCodec.empty() ? BuildCommand("-an", {}) : BuildCommand("-c:a %s", {{"ACodec", c.audioCodec}});
    CommandOutcome command = BuildCommand("-i \"%s\" -c:v %s %s %s %s \"%s\"",
                                          {{"InputFile", input},
                                           {"VCodec", VideoCodecOption(c.encoder, videoTag)},
                                           {"ACodec", audio},
                                           {"Quality", BuildCommand("-crf %s", {{"Quality", c.crf}})},
                                           {"Quality", BuildCommand(c.extraOption.c_str(), {})},
                                           {"OutputFile", output}});
    return FinishOperation(command, InputLengthTimes{1}, output);
}

bool EncodeGif(const std::string& input, const std::string& width, const std::string& fps, const std::string& output) {
    return RunOperation(BuildCommand("-i \"%s\" -filter_complex \"fps=%s,scale=%s:-1:flags=lanczos,split[s0][s1];"
                                     "[s0]palettegen[p];[s1][p]paletteuse\" -loop 0 \"%s\"",
                                     {{"InputFile", input}, {"FPS", fps}, {"Width", width}, {"OutputFile", output}}),
                        output);
}

bool ExtractAudioTrack(const std::string& input, const std::string& output, const std::string& formatWord) {
    return RunOperation(BuildCommand(ExtractAudioTemplate(formatWord), {{"InputFile", input}, {"OutputFile", output}}),
                        output);
}
