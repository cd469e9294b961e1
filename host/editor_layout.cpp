#include "host/editor_layout.h"

const char kEditorVersionCaption[] = "Quillmont V1.3\r\nQuillmont video tools";

static void Add(EditorLayout& layout, EditorRole role, int id, int field, int x, int y, int w, int h,
                const std::string& text = std::string()) {
    layout.controls.push_back(EditorControl{role, id, field, x, y, w, h, text});
}

EditorLayout LayOutEditor(const EditorField* fields, int count, const std::vector<std::string>& values,
                          bool withLogo, int captionHeight, int frameHeight) {
    EditorLayout layout;
    int y = 15;
    for (int i = 0; i < count; ++i) {
        const EditorField& f = fields[i];
        Add(layout, EditorRole::Label, -1, i, 15, y, 300, 16, f.label);
        y += 20;
        std::string value = i < static_cast<int>(values.size()) ? values[i] : std::string();
        if (f.isList) Add(layout, EditorRole::List, EditorListId(i), i, 15, y, 369, 200, value);
        else Add(layout, EditorRole::Edit, EditorEditId(i), i, 15, y, 369, 24, value);
        Add(layout, EditorRole::VariableButton, EditorVariableButtonId(i), i, 389, y, 36, 26, "...");
        if (f.browse) Add(layout, EditorRole::BrowseButton, EditorBrowseButtonId(i), i, 429, y, 30, 26);
        if (f.objectButton) Add(layout, EditorRole::ObjectButton, EditorObjectButtonId(i), i, 429, y, 30, 26, "Obj");
        y += 38;
    }
    Add(layout, EditorRole::HelpPanel, kHelpPanelId, -1, 15, y + 5, 450, 100);
    y += 110;
    if (withLogo) Add(layout, EditorRole::Logo, -1, -1, 15, y, 48, 48);
    Add(layout, EditorRole::VersionCaption, -1, -1, 70, y + 8, 200, 32, kEditorVersionCaption);
    Add(layout, EditorRole::Ok, 1, -1, 290, y + 10, 75, 26, "OK");
    Add(layout, EditorRole::Cancel, 2, -1, 375, y + 10, 75, 26, "Cancel");
    layout.width = kEditorWidth;
    layout.height = y + 56 + captionHeight + 2 * frameHeight;
    return layout;
}

std::string EditorStartText(const EditorField& field, const char* param) {
    return param ? std::string(param) : std::string(field.defaultValue);
}

std::vector<std::string> EditorChoices(const char* choices) {
    std::vector<std::string> out;
    std::string all = choices ? choices : "";
    if (all.empty()) return out;
    size_t start = 0;
    for (;;) {
        size_t bar = all.find('|', start);
        out.push_back(all.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return out;
}

std::string VariablePickerRequest(const std::string& fieldText) {
    std::string name = fieldText.substr(0, 255);
    if (!name.empty() && name.front() == '[') name.erase(0, 1);
    if (!name.empty() && name.back() == ']') name.pop_back();
    return name;
}

std::string VariablePickerAnswer(const std::string& name) { return "[" + name + "]"; }

bool TakesBoldFont(const std::string& staticText) {
    return !staticText.empty() && staticText.size() < 50 && staticText != kEditorVersionCaption;
}
