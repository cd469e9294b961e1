// Every long help text describes each parameter of its action: by the
// parameter's bracketed name or by a word of the label the action editor shows
// for it.
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>
#include "host/catalogue.h"

namespace {

// The action editor's field labels, in parameter order.
const std::map<int, std::vector<std::string>> kEditorLabels = {
    {1, {"FFmpeg Directory"}},
    {2, {"Result Variable"}},
    {3, {"Result Variable"}},
    {4, {"Result Variable"}},
    {11, {"Input File", "Duration Var"}},
    {12, {"Input File", "Width Var", "Height Var"}},
    {13, {"Input File", "FPS Var"}},
    {14, {"Input File", "Video Codec", "Audio Codec"}},
    {15, {"Input File", "Bitrate Var"}},
    {16, {"Input File", "Size Var"}},
    {17, {"Input File", "Sample Rate", "Channels"}},
    {18, {"Input File", "Result (JSON)"}},
    {21, {"Input", "Start Time", "End Time", "Output"}},
    {22, {"Input", "Start Time", "End Time", "Output"}},
    {23, {"Input", "Split At", "Output 1", "Output 2"}},
    {24, {"Input", "Seg Start", "Seg End", "Output"}},
    {31, {"File List (comma-sep)", "Output"}},
    {32, {"File 1", "File 2", "Transition", "Duration (sec)", "Output"}},
    {33, {"Base Video", "Overlay Video", "X", "Y", "Output"}},
    {34, {"Base Video", "Overlay Video", "X", "Y", "Scale (px)", "Start (sec)", "End (sec)", "Output"}},
    {35, {"Video", "Audio", "Output"}},
    {36, {"Video", "Audio", "Mix Volume", "Output"}},
    {41, {"Input", "Width", "Height", "Output"}},
    {42, {"Input", "Crop W", "Crop H", "X", "Y", "Output"}},
    {43, {"Input", "Degrees", "Output"}},
    {44, {"Input", "Direction", "Output"}},
    {45, {"Input", "Speed Factor", "Output"}},
    {46, {"Input", "Target FPS", "Output"}},
    {47, {"Input", "Width", "Height", "Color", "Output"}},
    {48, {"Input", "Max Width", "Max Height", "Output"}},
    {51, {"Input", "Format", "Output"}},
    {52, {"Input", "Volume", "Output"}},
    {53, {"Input", "Duration (sec)", "Output"}},
    {54, {"Input", "Duration (sec)", "Output"}},
    {55, {"Input", "Output"}},
    {56, {"Input", "Output"}},
    {57, {"Video", "Audio", "Delay (sec)", "Output"}},
    {61, {"Input", "Brightness", "Output"}},
    {62, {"Input", "Contrast", "Output"}},
    {63, {"Input", "Saturation", "Output"}},
    {64, {"Input", "Brightness", "Contrast", "Saturation", "Output"}},
    {65, {"Input", "Blur Amount", "Output"}},
    {66, {"Input", "Sharpen Amount", "Output"}},
    {67, {"Input", "Output"}},
    {68, {"Input", "Output"}},
    {69, {"Input", "Strength", "Output"}},
    {70, {"Input", "Text", "Font Size", "Color", "X", "Y", "Output"}},
    {71, {"Input", "Image", "Position", "Opacity", "Output"}},
    {72, {"Input", "Duration (sec)", "Output"}},
    {73, {"Input", "Duration (sec)", "Output"}},
    {74, {"Input", "X", "Y", "W", "H", "Color", "Thickness", "Output"}},
    {75, {"Input", "Filter", "Output"}},
    {81, {"Input", "Time", "Output (.png/.jpg)"}},
    {82, {"Input", "Start (sec)", "End (sec)", "Interval (sec)", "Output Pattern"}},
    {83, {"Input", "Output"}},
    {84, {"Input", "Columns", "Rows", "Output"}},
    {85, {"Input", "Start (sec)", "Duration (sec)", "Width", "FPS", "Output"}},
    {91, {"Input", "Output"}},
    {92, {"Input", "Video Codec", "Audio Codec", "Quality", "Output"}},
    {93, {"Input", "Quality", "Output"}},
    {94, {"Input", "Quality", "Output"}},
    {95, {"Input", "Width", "FPS", "Output"}},
    {96, {"Input", "Video Bitrate", "Audio Bitrate", "Output"}},
    {97, {"Input", "Target Size (MB)", "Output"}},
    {98, {"Input"}},
    {101, {"Foreground", "Background", "Key Color", "Similarity", "Output"}},
    {102, {"Input", "Strength", "Output"}},
    {103, {"Input", "Strength", "Output"}},
    {104, {"Input", "SRT File", "Font Size", "Color", "Output"}},
    {105, {"Input", "Output"}},
    {106, {"Input", "Output"}},
    {107, {"Input", "Repeat Count", "Output"}},
    {108, {"Pattern", "FPS", "Duration (sec)", "Output"}},
    {109, {"Image", "Duration (sec)", "Audio", "Output"}},
    {110, {"Input Folder", "Extension", "Filter", "Filter Args", "Output Folder"}},
    {121, {"Rectangle", "Video", "Status Var"}},
    {122, {"Rectangle"}},
    {123, {"Rectangle"}},
    {124, {"Rectangle"}},
    {125, {"Rectangle"}},
    {126, {"Rectangle", "Time (sec)"}},
    {127, {"Rectangle", "Volume"}},
    {128, {"Rectangle", "Result"}},
    {129, {"Rectangle", "Result"}},
    {130, {"Rectangle", "Enabled"}},
    {131, {"Rectangle", "Video"}},
    {132, {"Rectangle", "Speed"}},
    {133, {"Rectangle", "Enable"}},
    {134, {"Input Video", "Filter"}},
    {135, {"Rectangle", "Filter"}},
    {141, {"Rectangle", "Video", "Player Rectangle"}},
    {142, {"Rectangle"}},
    {143, {"Rectangle", "Time", "Label", "Color"}},
    {144, {"Rectangle"}},
    {145, {"Rectangle", "Video", "Player Rectangle"}},
    {146, {"Rectangle"}},
    {147, {"Rectangle", "Zoom"}},
    {148, {"Rectangle", "Video", "Audio", "Player Rectangle"}},
    {149, {"Rectangle", "Audio File", "Label", "Color"}},
    {150, {"Rectangle"}},
    {151, {"Rectangle", "Text", "Font Size", "Color"}},
    {152, {"Rectangle", "Image", "Width", "Opacity"}},
    {153, {"Rectangle"}},
    {154, {"Rectangle", "X Var", "Y Var", "W Var", "H Var"}},
    {155, {"Rectangle", "Text", "Font Size"}},
    {156, {"Rectangle", "Lock"}},
    {161, {"Target File", "Result"}},
    {162, {"Input", "Suffix", "Extension"}},
    {171, {"Timecode", "Transition", "Duration (sec)", "Result"}},
    {172, {"Index", "Result"}},
    {174, {"Result"}},
    {175, {"Input", "Split Times", "Output"}},
    {176, {"Result"}},
    {181, {"Rectangle"}},
    {182, {"Rectangle"}},
    {183, {"Rectangle"}},
    {184, {"Rectangle", "Result"}},
    {185, {"Rectangle", "Transition", "Duration (sec)"}},
    {186, {"Rectangle", "Time Var", "Type Var", "Duration Var"}},
    {187, {"Rectangle", "Result"}},
    {188, {"Rectangle", "Input", "Output"}},
    {189, {"Rectangle"}},
    {190, {"Rectangle", "Clip File"}},
    {191, {"Rectangle", "Transition", "Duration (sec)"}},
    {192, {"Rectangle"}},
    {200, {"Rectangle", "Player Rectangle"}},
    {201, {"Rectangle"}},
    {202, {"Rectangle", "Track", "Type", "File/Filter", "Label", "Start (sec)", "Duration (sec)"}},
    {203, {"Rectangle", "Track", "Clip Index"}},
    {204, {"Rectangle"}},
    {205, {"Rectangle", "Track", "Clip Index", "Transition", "Duration"}},
    {206, {"Rectangle", "Track", "Clip Index", "New Start (sec)"}},
    {207, {"Rectangle", "Track", "Clip Index", "New Start (sec)", "New Duration (sec)"}},
    {208, {"Rectangle"}},
    {209, {"Rectangle"}},
    {210, {"Rectangle", "Enabled"}},
    {211, {"Rectangle", "Pixels Per Second"}},
    {212, {"Rectangle", "Output File"}},
    {213, {"Rectangle"}},
    {214, {"Rectangle", "Project File"}},
    {215, {"Rectangle", "Project File"}},
    {216, {"Rectangle"}},
    {217, {"Rectangle"}},
    {218, {"Rectangle"}},
    {219, {"Rectangle"}},
    {220, {"Rectangle"}},
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return s;
}

// The words of a label that say what the parameter is, not what kind it is.
std::vector<std::string> TellingWords(const std::string& label) {
    static const char* const kGeneric[] = {"sec", "var", "json", "png", "jpg", "comma", "sep", "px", "mb", "result", "new"};
    std::vector<std::string> words;
    std::string word;
    for (char c : Lower(label) + " ") {
        if (isalnum(static_cast<unsigned char>(c))) {
            word += c;
            continue;
        }
        if (!word.empty() && std::find(std::begin(kGeneric), std::end(kGeneric), word) == std::end(kGeneric))
            words.push_back(word);
        word.clear();
    }
    return words;
}

}  // namespace

TEST(LongHelp, DescribesEveryParameterOfItsAction) {
    int checked = 0;
    for (const CatalogueRow& row : kCatalogue) {
        if (row.id == 0 || row.count == 0) continue;
        auto labels = kEditorLabels.find(row.id);
        ASSERT_NE(labels, kEditorLabels.end()) << row.name;
        ASSERT_EQ(static_cast<int>(labels->second.size()), row.count) << row.name;
        std::string help = ActionLongHelp(row.id);
        size_t dash = help.find(" - ");
        ASSERT_NE(dash, std::string::npos) << help;
        std::string call = help.substr(0, dash), description = help.substr(dash + 3);
        // The call form's bracketed names, in order.
        std::vector<std::string> names;
        for (size_t at = call.find("\"["); at != std::string::npos; at = call.find("\"[", at + 1))
            names.push_back(call.substr(at + 1, call.find(']', at) - at));
        ASSERT_EQ(static_cast<int>(names.size()), row.count) << help;
        for (int i = 0; i < row.count; ++i) {
            bool named = description.find(names[i]) != std::string::npos;
            for (const std::string& w : TellingWords(labels->second[i])) named = named || Lower(description).find(w) != std::string::npos;
            EXPECT_TRUE(named) << row.name << ": " << labels->second[i] << " / " << names[i] << " in: " << description;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 146);
}

TEST(LongHelp, SaysWhatTheActionDoes) {
    // Texts once wrong about their action.
    const std::pair<int, const char*> facts[] = {
        {31, "separated by commas"}, {57, "mix"}, {64, "brightness, contrast and saturation"},
        {207, "[NewDuration] the new duration"}, {216, "with no selection, the V1 clip under the playhead"},
        {219, "new clip on the FX track at the playhead"}, {220, "new clip on the TX track at the playhead"},
    };
    for (const auto& f : facts) EXPECT_NE(std::string(ActionLongHelp(f.first)).find(f.second), std::string::npos) << f.first;
    std::string state = ActionLongHelp(209);
    EXPECT_EQ(state.find("selection"), std::string::npos) << state;
    EXPECT_NE(state.find("[NLE_Zoom]"), std::string::npos) << state;
}
