// Where the parameter editor puts its controls, and the small text rules it
// follows. Pure arithmetic: the dialog code turns these into windows.
#pragma once
#include <string>
#include <vector>
#include "host/editor_fields.h"

enum class EditorRole {
    Label,           // STATIC with the field's label
    Edit,            // EDIT holding the value
    List,            // COMBOBOX holding the value and the choices
    VariableButton,  // "..."
    BrowseButton,    // folder icon
    ObjectButton,    // "Obj"
    HelpPanel,       // owner-drawn STATIC with the action name and usage
    Logo,            // bitmap STATIC
    VersionCaption,  // "Quillmont V1.3" and the publisher line
    Ok,
    Cancel,
};

struct EditorControl {
    EditorRole role;
    int id;     // control id; -1 for statics without one
    int field;  // field index, -1 for the dialog's own controls
    int x, y, width, height;  // client pixels; a list's height includes its drop-down
    std::string text;
};

struct EditorLayout {
    std::vector<EditorControl> controls;
    int width;   // whole dialog, frame included
    int height;  // whole dialog, caption and frame included
};

const int kEditorWidth = 480;
const int kHelpPanelId = 600;
// Control ids of field i's parts.
inline int EditorEditId(int i) { return 200 + i; }
inline int EditorVariableButtonId(int i) { return 300 + i; }
inline int EditorBrowseButtonId(int i) { return 400 + i; }
inline int EditorListId(int i) { return 500 + i; }
inline int EditorObjectButtonId(int i) { return 700 + i; }
// The control that holds field i's text.
inline int EditorValueId(const EditorField& f, int i) { return f.isList ? EditorListId(i) : EditorEditId(i); }

extern const char kEditorVersionCaption[];

// Lays the fields out from the top; `values` are the texts the fields start
// with (see EditorStartText). The logo appears only when its bitmap loaded.
EditorLayout LayOutEditor(const EditorField* fields, int count, const std::vector<std::string>& values,
                          bool withLogo, int captionHeight, int frameHeight);

// The host's parameter text when it passed one, else the field's default.
std::string EditorStartText(const EditorField& field, const char* param);
// A list's entries in order.
std::vector<std::string> EditorChoices(const char* choices);
// What the variable picker sends the host: the field text (at most 255
// characters) without one leading "[" and one trailing "]".
std::string VariablePickerRequest(const std::string& fieldText);
// The field text after the host named a variable.
std::string VariablePickerAnswer(const std::string& name);
// Statics that get the bold font: texts of 1 to 49 characters other than the
// version caption, which in effect are the field labels.
bool TakesBoldFont(const std::string& staticText);
