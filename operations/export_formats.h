// What the export dialog offers: its format rows, codec and quality lists,
// the controls it is built from, and the export its choices lead to.
#pragma once
#include <string>

enum class ExportKind { Convert, Gif, AudioOnly };

const int kKeepSelection = -1;

struct ExportFormat {
    const char* item;       // text in the format list
    const char* extension;  // without the dot
    int videoDefault;       // index into kExportVideoCodecs, or kKeepSelection
    int audioDefault;       // index into kExportAudioCodecs, or kKeepSelection
    ExportKind kind;
};

struct ExportChoice {
    const char* item;  // text in the list
    const char* word;  // what the conversion is given
};

const int kExportFormatCount = 13;
const int kExportVideoCodecCount = 7;
const int kExportAudioCodecCount = 7;
const int kExportQualityCount = 4;
extern const ExportFormat ExportFormatTable[kExportFormatCount];
extern const ExportChoice kExportVideoCodecs[kExportVideoCodecCount];
extern const ExportChoice kExportAudioCodecs[kExportAudioCodecCount];
extern const ExportChoice kExportQualities[kExportQualityCount];
const int kExportDefaultQuality = 1;  // Medium

// The window's controls, client coordinates.
const int kExportWindowWidth = 460;
const int kExportWindowHeight = 320;
enum ExportControlId {
    kExportFormatList = 2001,
    kExportVideoList = 2002,
    kExportAudioList = 2003,
    kExportQualityList = 2004,
    kExportOutputEdit = 2005,
    kExportBrowseButton = 2006,
    kExportButton = 1,
    kExportCancelButton = 2,
};
struct ExportControl {
    const char* windowClass;
    const char* text;  // the source label is filled in with the input
    int x, y, width, height;  // a list's height includes its drop-down
    int id;                   // 0 for labels
};
const int kExportControlCount = 14;  // the first is the source label
extern const ExportControl kExportControls[kExportControlCount];
extern const char kExportTitle[];
std::string ExportSourceLabel(const std::string& input);

// A change of format: the row's default codecs are selected, "keep" leaves a list alone.
void ApplyFormatDefaults(int row, int& video, int& audio);
// The save dialog's filter for an extension, pairs separated by NULs.
std::string ExportSaveFilter(const std::string& extension);
// "qmt_export.<ext>" in the input's folder, or in "." when the input names none.
std::string DefaultExportPath(const std::string& input, const std::string& extension);
// Why the chosen codecs cannot go into the chosen format, "" when they can.
std::string ExportRefusal(int row, int video, int audio);

struct ExportSelection {
    int format = 0;
    int video = 0;
    int audio = 0;
    int quality = kExportDefaultQuality;
};
// Missing selections (negative or out of range) become the first item, and
// medium for the quality.
ExportSelection NormalizeSelection(ExportSelection s);
// Runs the conversion for the choices (the output field's text, or the
// default path when it is empty) and sets [QMT_LastOutput] to the path used,
// whatever the conversion's outcome.
void RunExport(const std::string& input, ExportSelection selection, const std::string& outputField);
