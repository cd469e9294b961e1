// The parameter editor's field table, layout arithmetic and text rules.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "host/catalogue.h"
#include "host/editor_fields.h"
#include "host/editor_layout.h"

namespace {

std::vector<std::string> Defaults(const EditorField* f, int count) {
    std::vector<std::string> v;
    for (int i = 0; i < count; ++i) v.push_back(EditorStartText(f[i], nullptr));
    return v;
}

EditorLayout LayOut(int id, int caption = 19, int frame = 3) {
    EditorField fields[kMaxEditorFields];
    int count = SetupEditorFields(id, fields);
    return LayOutEditor(fields, count, Defaults(fields, count), true, caption, frame);
}

const EditorControl* Find(const EditorLayout& l, int id) {
    for (const EditorControl& c : l.controls)
        if (c.id == id) return &c;
    return nullptr;
}

}  // namespace

TEST(EditorFields, EveryActionHasOneFieldPerCatalogueParameter) {
    for (const CatalogueRow& row : kCatalogue) {
        if (row.id == 0) continue;
        EditorField fields[kMaxEditorFields];
        int count = SetupEditorFields(row.id, fields);
        EXPECT_EQ(count, row.count) << row.name;
        EXPECT_STRNE(EditorTitle(row.id), "") << row.name;
        for (int i = 0; i < count; ++i) {
            const EditorField& f = fields[i];
            EXPECT_EQ(f.paramIndex, i) << row.name;
            EXPECT_STRNE(f.label, "") << row.name;
            EXPECT_EQ(f.isList, f.choices[0] != '\0') << row.name << " field " << i;
            EXPECT_FALSE(f.browse && f.objectButton) << row.name;
            EXPECT_TRUE(f.browse || !f.saveDialog) << row.name;
        }
    }
    EditorField fields[kMaxEditorFields];
    for (int id : {136, 173, 0, 5, 221, -1}) EXPECT_EQ(SetupEditorFields(id, fields), 0) << id;
    EXPECT_STREQ(EditorTitle(0), "");
    EXPECT_STREQ(EditorTitle(221), "");
}

TEST(EditorLayout, FieldRowsButtonsAndDialogSize) {
    EditorLayout l = LayOut(21);  // four fields
    const EditorControl* edit0 = Find(l, 200);
    ASSERT_TRUE(edit0);
    EXPECT_EQ(edit0->role, EditorRole::Edit);
    EXPECT_EQ(edit0->y, 35);
    EXPECT_EQ(edit0->width, 369);
    EXPECT_EQ(l.controls[0].role, EditorRole::Label);
    EXPECT_EQ(l.controls[0].y, 15);
    EditorField f[kMaxEditorFields];
    SetupEditorFields(21, f);
    EXPECT_EQ(l.controls[0].text, f[0].label);
    EXPECT_EQ(Find(l, 300)->x, 389);
    EXPECT_EQ(Find(l, 400)->x, 429);
    EXPECT_FALSE(Find(l, 401));  // the times have no browse button
    EXPECT_EQ(Find(l, 600)->y, 15 + 4 * 58 + 5);  // the help panel
    EXPECT_EQ(Find(l, 1)->y, 15 + 4 * 58 + 110 + 10);
    EXPECT_EQ(l.width, 480);
    EXPECT_EQ(l.height, 15 + 4 * 58 + 110 + 56 + 19 + 2 * 3);

    EditorLayout list = LayOut(43);  // the degrees field is a list
    EXPECT_EQ(Find(list, 501)->role, EditorRole::List);
    EXPECT_EQ(Find(list, 501)->height, 200);
    EXPECT_FALSE(Find(list, 201));
    EXPECT_EQ(Find(LayOut(121), 700)->text, "Obj");

    // Eight fields: help and buttons below the last one.
    EXPECT_EQ(LayOut(34).height, 15 + 8 * 58 + 110 + 56 + 19 + 6);

    EditorLayout none = LayOut(136);
    EXPECT_EQ(Find(none, 600)->y, 20);
    EXPECT_EQ(Find(none, 2)->x, 375);
}

// Every dialog, with the caption and frame sizes of common themes, fits a
// 1024 x 768 screen, and every control lies inside the client area.
TEST(EditorLayout, EveryActionFitsTheScreen) {
    for (const CatalogueRow& row : kCatalogue) {
        if (row.id == 0) continue;
        for (int caption : {18, 19, 23, 30}) {
            int frame = 3;
            EditorLayout l = LayOut(row.id, caption, frame);
            EXPECT_LE(l.width, 1024) << row.name;
            EXPECT_LE(l.height, 768) << row.name << " caption " << caption;
            int clientWidth = l.width - 2 * frame, clientHeight = l.height - caption - 2 * frame;
            for (const EditorControl& c : l.controls) {
                int height = c.role == EditorRole::List ? 24 : c.height;  // the closed box
                EXPECT_LE(c.x + c.width, clientWidth) << row.name << " control " << c.id;
                EXPECT_LE(c.y + height, clientHeight) << row.name << " control " << c.id;
            }
        }
    }
}

TEST(EditorText, StartTextsPickersAndFonts) {
    EditorField f[kMaxEditorFields];
    SetupEditorFields(21, f);
    EXPECT_EQ(EditorStartText(f[1], ""), "");  // an empty text is kept, not the default
    EXPECT_EQ(EditorStartText(f[1], "1:30"), "1:30");

    // The plain round trip of the picker: the Wine editor group.
    EXPECT_EQ(VariablePickerRequest("[[a]]"), "[a]");
    EXPECT_EQ(VariablePickerRequest("plain]"), "plain");
    EXPECT_EQ(VariablePickerRequest(""), "");
    EXPECT_EQ(VariablePickerRequest("[" + std::string(300, 'x') + "]").size(), 254u);  // 255 read, "[" dropped

    EXPECT_EQ(EditorChoices("a|b||c"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_TRUE(EditorChoices("").empty());

    EXPECT_TRUE(TakesBoldFont(std::string(49, 'x')));
    EXPECT_FALSE(TakesBoldFont(std::string(50, 'x')));
    EXPECT_FALSE(TakesBoldFont(""));
    EXPECT_FALSE(TakesBoldFont(kEditorVersionCaption));
}
