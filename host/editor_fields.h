// What the action parameter editor shows for each action: one field per
// parameter with its label, default text and buttons, and the caption title.
#pragma once

const int kMaxEditorFields = 10;

struct EditorField {
    const char* label;         // shown above the field
    const char* defaultValue;  // used when the host passed no text
    int paramIndex;            // the parameter slot the field edits
    bool browse;               // a browse button
    bool saveDialog;           // the browse button asks for a file to write
    bool isList;               // an editable drop-down list
    const char* choices;       // list entries separated by "|"
    bool objectButton;         // an "Obj" button that asks the host for a page object
};

// Fills `fields` for the action and returns how many there are: the action's
// parameter count, 0 for actions without parameters and unknown ids.
int SetupEditorFields(int id, EditorField fields[kMaxEditorFields]);
// The action's display title for the caption; "" for unknown ids.
const char* EditorTitle(int id);
