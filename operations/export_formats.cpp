#include "operations/export_formats.h"
#include <cstring>
#include "host/host_state.h"
#include "host/text_util.h"
#include "operations/conversions.h"

// WMV/WMA items come after the six general ones: the WMV row promises
// Windows Media streams, which MPEG-4 part 2 and MP3 in ASF are not.
const ExportFormat ExportFormatTable[kExportFormatCount] = {
    {"MP4 (.mp4) - H.264/AAC", "mp4", 0, 0, ExportKind::Convert},
    {"WebM (.webm) - VP9/Opus", "webm", 2, 2, ExportKind::Convert},
    {"AVI (.avi) - H.264/MP3", "avi", 0, 1, ExportKind::Convert},
    {"MKV (.mkv) - H.264/AAC", "mkv", 0, 0, ExportKind::Convert},
    {"MOV (.mov) - H.264/AAC", "mov", 0, 0, ExportKind::Convert},
    {"FLV (.flv) - H.264/AAC", "flv", 0, 0, ExportKind::Convert},
    {"TS (.ts) - H.264/AAC", "ts", 0, 0, ExportKind::Convert},
    {"WMV (.wmv) - WMV/WMA", "wmv", 6, 6, ExportKind::Convert},
    {"GIF (.gif) - Animated", "gif", kKeepSelection, kKeepSelection, ExportKind::Gif},
    {"MP3 (.mp3) - Audio Only", "mp3", kKeepSelection, 1, ExportKind::AudioOnly},
    {"WAV (.wav) - Audio Only", "wav", kKeepSelection, 3, ExportKind::AudioOnly},
    {"FLAC (.flac) - Audio Only", "flac", kKeepSelection, 3, ExportKind::AudioOnly},
    {"OGG (.ogg) - Audio Only", "ogg", kKeepSelection, 2, ExportKind::AudioOnly},
};

const ExportChoice kExportVideoCodecs[kExportVideoCodecCount] = {
    {"h264 (Most Compatible)", "h264"},   {"h265/HEVC (Smaller Files)", "h265"}, {"VP9 (WebM)", "vp9"},
    {"AV1 (Best Compression)", "av1"},    {"MPEG4 (Legacy)", "mpeg4"},           {"Copy (No Re-encode)", "copy"},
    {"WMV (Windows Media)", "wmv2"},
};

const ExportChoice kExportAudioCodecs[kExportAudioCodecCount] = {
    {"AAC (Most Compatible)", "aac"}, {"MP3 (Universal)", "mp3"},     {"Opus (Best Quality)", "opus"},
    {"FLAC (Lossless)", "flac"},      {"Copy (No Re-encode)", "copy"}, {"None (No Audio)", "none"},
    {"WMA (Windows Media)", "wmav2"},
};

const ExportChoice kExportQualities[kExportQualityCount] = {
    {"Low (CRF 28 - Smallest)", "low"},
    {"Medium (CRF 23 - Balanced)", "medium"},
    {"High (CRF 18 - Best Quality)", "high"},
    {"Lossless (CRF 0 - Huge)", "lossless"},
};

const char kExportTitle[] = "Export Video";

const ExportControl kExportControls[kExportControlCount] = {
    {"STATIC", "Source: %s", 15, 15, 420, 16, 0},
    {"STATIC", "Format:", 15, 43, 90, 16, 0},
    {"COMBOBOX", "", 100, 40, 200, 300, kExportFormatList},
    {"STATIC", "Video Codec:", 15, 73, 90, 16, 0},
    {"COMBOBOX", "", 100, 70, 200, 200, kExportVideoList},
    {"STATIC", "Audio Codec:", 15, 103, 90, 16, 0},
    {"COMBOBOX", "", 100, 100, 200, 200, kExportAudioList},
    {"STATIC", "Quality:", 15, 133, 90, 16, 0},
    {"COMBOBOX", "", 100, 130, 200, 200, kExportQualityList},
    {"STATIC", "Output File:", 15, 163, 90, 16, 0},
    {"EDIT", "", 100, 160, 200, 22, kExportOutputEdit},
    {"BUTTON", "Browse...", 305, 160, 70, 22, kExportBrowseButton},
    {"BUTTON", "EXPORT", 15, 195, 120, 28, kExportButton},
    {"BUTTON", "Cancel", 350, 195, 80, 28, kExportCancelButton},
};

std::string ExportSourceLabel(const std::string& input) { return "Source: " + input; }

static bool ValidRow(int row) { return row >= 0 && row < kExportFormatCount; }

void ApplyFormatDefaults(int row, int& video, int& audio) {
    if (!ValidRow(row)) return;
    const ExportFormat& f = ExportFormatTable[row];
    if (f.videoDefault != kKeepSelection) video = f.videoDefault;
    if (f.audioDefault != kKeepSelection) audio = f.audioDefault;
}

std::string ExportSaveFilter(const std::string& extension) {
    std::string filter = Fmt("%s Files|*.%s|All Files|*.*|", extension.c_str(), extension.c_str());
    for (char& c : filter)
        if (c == '|') c = '\0';
    return filter;
}

std::string DefaultExportPath(const std::string& input, const std::string& extension) {
    std::string source = CutTo(input, 260);
    size_t cut = source.rfind('\\');
    if (cut == std::string::npos) cut = source.rfind('/');
    std::string folder = cut == std::string::npos ? std::string(".") : source.substr(0, cut);
    return Fmt("%s\\qmt_export.%s", folder.c_str(), extension.c_str());
}

namespace {

// Codec words each container refuses (measured with ffmpeg: the muxer fails,
// or writes a stream that ffprobe cannot name). "copy" is judged for the
// usual H.264/AAC source.
struct Refused {
    const char* extension;
    const char* video;  // words separated by spaces
    const char* audio;
};
const Refused kRefused[] = {
    {"mp4", "wmv2", "flac wmav2"},
    {"webm", "h264 h265 mpeg4 copy wmv2", "aac mp3 flac copy wmav2"},
    {"avi", "h265", "opus"},
    {"mkv", "", ""},
    {"mov", "vp9 av1", "opus flac wmav2"},
    {"flv", "h265 vp9 av1 mpeg4 wmv2", "opus flac wmav2"},
    {"ts", "vp9 av1 wmv2", "flac wmav2"},
    {"wmv", "h265", "opus"},
    // Audio-only files take only the encoders the extraction has a row for.
    {"mp3", "", "aac opus flac copy none wmav2"},
    {"wav", "", "opus copy none wmav2"},
    {"flac", "", "aac mp3 opus copy none wmav2"},
    {"ogg", "", "aac mp3 copy none wmav2"},
};

bool ListHas(const char* list, const char* word) {
    std::string padded = std::string(" ") + list + " ";
    return padded.find(std::string(" ") + word + " ") != std::string::npos;
}

std::string FormatName(int row) {
    std::string item = ExportFormatTable[row].item;
    return item.substr(0, item.find(' '));
}

}  // namespace

std::string ExportRefusal(int row, int video, int audio) {
    if (!ValidRow(row)) return std::string();
    const ExportFormat& f = ExportFormatTable[row];
    for (const Refused& r : kRefused) {
        if (strcmp(r.extension, f.extension) != 0) continue;
        if (f.kind == ExportKind::Convert && video >= 0 && video < kExportVideoCodecCount &&
            ListHas(r.video, kExportVideoCodecs[video].word))
            return Fmt("%s files cannot take the video codec \"%s\". Choose another video codec.",
                       FormatName(row).c_str(), kExportVideoCodecs[video].item);
        if (audio >= 0 && audio < kExportAudioCodecCount && ListHas(r.audio, kExportAudioCodecs[audio].word))
            return Fmt("%s files cannot take the audio codec \"%s\". Choose another audio codec.",
                       FormatName(row).c_str(), kExportAudioCodecs[audio].item);
    }
    return std::string();
}

ExportSelection NormalizeSelection(ExportSelection s) {
    if (!ValidRow(s.format)) s.format = 0;
    if (s.video < 0 || s.video >= kExportVideoCodecCount) s.video = 0;
    if (s.audio < 0 || s.audio >= kExportAudioCodecCount) s.audio = 0;
    if (s.quality < 0 || s.quality >= kExportQualityCount) s.quality = kExportDefaultQuality;
    return s;
}

// The extraction word for an audio-only row: lossless audio in a WAV file is
// plain PCM, which every player reads, rather than FLAC inside WAV.
static std::string ExtractionWord(int row, int audio) {
    std::string word = kExportAudioCodecs[audio].word;
    if (EqualsNoCase(ExportFormatTable[row].extension, "wav") && word == "flac") return "wav";
    return word;
}

// HEVC in MP4 and MOV is tagged hvc1, the tag Apple players require.
static std::string VideoTag(int row, int video) {
    std::string ext = ExportFormatTable[row].extension;
    if (std::string(kExportVideoCodecs[video].word) == "h265" && (ext == "mp4" || ext == "mov")) return "hvc1";
    return std::string();
}

void RunExport(const std::string& input, ExportSelection selection, const std::string& outputField) {
    ExportSelection s = NormalizeSelection(selection);
    const ExportFormat& f = ExportFormatTable[s.format];
    std::string output = outputField.empty() ? DefaultExportPath(input, f.extension) : outputField;
    switch (f.kind) {
    case ExportKind::Gif:
        EncodeGif(input, "320", "10", output);
        break;
    case ExportKind::AudioOnly:
        ExtractAudioTrack(input, output, ExtractionWord(s.format, s.audio));
        break;
    case ExportKind::Convert:
        ConvertWithCodecs(input, kExportVideoCodecs[s.video].word, kExportAudioCodecs[s.audio].word,
                          kExportQualities[s.quality].word, output, VideoTag(s.format, s.video));
        break;
    }
    SetHostVar("[QMT_LastOutput]", output);
}
