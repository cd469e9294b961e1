// The authors' actions reference: the committed docs/actions.md is what the
// generator makes from the plug-in now, the reference has an entry for every
// action of the catalogue, and lists every message the plug-in reports.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "docgen/reference_markdown.h"
#include "host/action_reference.h"
#include "host/catalogue.h"
#include "host/messages.h"
#include "tests/support/test_support.h"

namespace {

const char kRegenerate[] = "docs/actions.md is out of date: run cmake --build build/native --target docs";

}  // namespace

TEST(ActionReference, HasOneEntryPerCatalogueAction) {
    std::set<int> catalogue;
    for (const CatalogueRow& row : kCatalogue)
        if (row.id != 0) catalogue.insert(row.id);
    std::set<int> table;
    for (const ActionReference& ref : ActionReferenceTable()) {
        EXPECT_TRUE(table.insert(ref.id).second) << "two entries for id " << ref.id;
        EXPECT_TRUE(catalogue.count(ref.id)) << "entry for id " << ref.id << ", which is no action";
        for (const VariableNote& v : ref.writes) {
            // A parameter named as written must be one of the action's own.
            if (v.name[0] == '[') continue;
            std::vector<std::string> params = UsageParameterNames(ActionLongHelp(ref.id));
            bool own = false;
            for (const std::string& p : params) own = own || p == v.name;
            EXPECT_TRUE(own) << ActionName(ref.id) << " has no parameter " << v.name;
        }
    }
    EXPECT_EQ(table, catalogue);
}

TEST(ActionReference, CommittedFileIsWhatTheGeneratorMakes) {
    std::string committed = qt::ReadFile(std::string(QMT_SOURCE_DIR) + "/docs/actions.md");
    std::string generated = ActionReferenceMarkdown();
    size_t at = 0;
    while (at < committed.size() && at < generated.size() && committed[at] == generated[at]) ++at;
    size_t line = committed.rfind('\n', at) + 1;  // npos + 1: the first line
    EXPECT_EQ(committed.substr(line, 160), generated.substr(line, 160)) << kRegenerate;
}

// The message table holds every text the plug-in reports; each is listed
// under some action, and the reference lists nothing else.
TEST(ActionReference, ListsEveryMessageThePlugInReports) {
    std::set<std::string> errors, words, table;
    for (const ActionReference& ref : ActionReferenceTable()) {
        errors.insert(ref.errors.begin(), ref.errors.end());
        words.insert(ref.words.begin(), ref.words.end());
    }
    for (const msg::Entry& m : msg::kAll) {
        table.insert(m.text);
        if (m.statusWord)
            EXPECT_TRUE(words.count(m.text)) << "the word \"" << m.text << "\" is in no action's status words";
        else
            EXPECT_TRUE(errors.count(m.text)) << "\"" << m.text << "\" is in no action's messages";
    }
    for (const std::set<std::string>* listed : {&errors, &words})
        for (const std::string& text : *listed)
            EXPECT_TRUE(table.count(text)) << "\"" << text << "\" is listed but not in host/message_table.inc";
}
