// Every long help text describes each parameter of its action: by the
// parameter's bracketed name or by a word of the label the action editor shows
// for it.
#include <gtest/gtest.h>
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>
#include "host/action_reference.h"
#include "host/catalogue.h"
#include "host/editor_fields.h"
#include "host/text_util.h"

namespace {

// The words of a label that say what the parameter is, not what kind it is.
std::vector<std::string> TellingWords(const std::string& label) {
    static const char* const kGeneric[] = {"sec", "var", "json", "png", "jpg", "comma", "sep", "px", "mb", "result", "new"};
    std::vector<std::string> words;
    std::string word;
    for (char c : ToLowerAscii(label) + " ") {
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
    for (const CatalogueRow& row : kCatalogue) {
        if (row.id == 0 || row.count == 0) continue;
        EditorField fields[kMaxEditorFields];
        ASSERT_EQ(SetupEditorFields(row.id, fields), row.count) << row.name;
        std::string help = ActionLongHelp(row.id);
        size_t dash = help.find(" - ");
        ASSERT_NE(dash, std::string::npos) << help;
        std::string description = help.substr(dash + 3);
        std::vector<std::string> names = UsageParameterNames(help);
        ASSERT_EQ(static_cast<int>(names.size()), row.count) << help;
        for (int i = 0; i < row.count; ++i) {
            bool named = description.find("[" + names[i] + "]") != std::string::npos;
            for (const std::string& w : TellingWords(fields[i].label))
                named = named || ToLowerAscii(description).find(w) != std::string::npos;
            EXPECT_TRUE(named) << row.name << ": " << fields[i].label << " / [" << names[i] << "] in: " << description;
        }
    }
}
