// The authors' actions reference: the committed docs/actions.md is what the
// generator makes from the plug-in now, covers every action of the catalogue
// with its parameters, and lists every message the plug-in reports.
#include <gtest/gtest.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "docgen/reference_markdown.h"
#include "host/action_reference.h"
#include "host/catalogue.h"
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "tests/unit/capture_host.h"
#include "toolchain/tool_location.h"

namespace {

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(QMT_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const char kRegenerate[] = "docs/actions.md is out of date: run cmake --build build/native --target docs";

// The section of one action: from its heading to the next heading.
std::string Section(const std::string& md, const std::string& name, std::string* group) {
    size_t at = md.find("\n### " + name + "\n");
    if (at == std::string::npos) return std::string();
    size_t groupAt = md.rfind("\n## ", at);
    if (group && groupAt != std::string::npos) *group = md.substr(groupAt + 4, md.find('\n', groupAt + 1) - groupAt - 4);
    size_t end = md.find("\n#", at + 1);
    return md.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
}

// A reported text matches a listed one; a listed "%d" or "%s" stands for any rest.
bool Matches(const std::vector<std::string>& listed, const std::string& text) {
    for (const std::string& l : listed) {
        size_t cut = l.find('%');
        if (l == text || (cut != std::string::npos && text.compare(0, cut, l, 0, cut) == 0)) return true;
    }
    return false;
}

bool IsStatusVariable(const std::string& name) {
    return name == "[QMT_Status]" || name == "[QMT_Progress]" || name == "[QMT_Error]" || name == "[LastError]" ||
           name == "[QMT_LastOutput]";
}

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

TEST(ActionReference, UsageParameterNamesStopAtTheDash) {
    EXPECT_EQ(UsageParameterNames("QMT_Trim \"[InputFile]\" \"[StartTime]\" - cut \"[x]\" out"),
              (std::vector<std::string>{"InputFile", "StartTime"}));
    EXPECT_TRUE(UsageParameterNames("QMT_PreviewStop - stop \"[x]\"").empty());
}

TEST(ActionReference, CommittedFileIsWhatTheGeneratorMakes) {
    std::string committed = ReadSource("docs/actions.md");
    ASSERT_FALSE(committed.empty()) << "docs/actions.md is missing";
    std::string generated = ActionReferenceMarkdown();
    if (committed == generated) return;
    std::istringstream a(committed), b(generated);
    std::string lineA, lineB;
    int number = 0;
    while (true) {
        bool moreA = static_cast<bool>(std::getline(a, lineA));
        bool moreB = static_cast<bool>(std::getline(b, lineB));
        ++number;
        if (!moreA && !moreB) break;
        if (!moreA || !moreB || lineA != lineB) {
            ADD_FAILURE() << kRegenerate << "\nfirst difference at line " << number << ":\n  committed: " << lineA
                          << "\n  generated: " << lineB;
            return;
        }
    }
    ADD_FAILURE() << kRegenerate;
}

TEST(ActionReference, CommittedFileListsEveryActionWithItsParameters) {
    std::string md = ReadSource("docs/actions.md");
    std::string group;
    for (const CatalogueRow& row : kCatalogue) {
        if (row.id == 0) {
            group = row.name;
            continue;
        }
        std::string inGroup;
        std::string section = Section(md, row.name, &inGroup);
        if (section.empty()) {
            ADD_FAILURE() << row.name << " is missing from docs/actions.md; " << kRegenerate;
            continue;
        }
        EXPECT_EQ(inGroup, group) << row.name;
        EXPECT_NE(section.find("Id " + std::to_string(row.id) + ": "), std::string::npos) << row.name;
        int params = 0;
        for (size_t at = section.find("\n| "); at != std::string::npos; at = section.find("\n| ", at + 1))
            if (isdigit(static_cast<unsigned char>(section[at + 3]))) ++params;
        EXPECT_EQ(params, row.count) << "parameter count of " << row.name << " in docs/actions.md; " << kRegenerate;
    }
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

// Every action that has a handler, called with empty parameters and no FFmpeg
// to be found, reports the way its entry says and writes no variable that the
// entry does not name.
TEST(ActionReference, HandlersReportAsTheirEntriesSay) {
    const ToolLocation savedTools = g_tools;
    const HostState savedHost = g_host;
    const char* path = getenv("PATH");
    const std::string savedPath = path ? path : "";
    g_tools = ToolLocation{false, "", "", "", ""};
    setenv("PATH", "/nonexistent-qmt-tools", 1);
    g_host.getVariable = nullptr;
    g_host.scriptProcessor = nullptr;
    g_host.interfaceAccess = nullptr;

    int checked = 0;
    for (const ActionReference& ref : ActionReferenceTable()) {
        // The export dialog opens its window before it looks at anything.
        if (!HasHandler(ref.id) || ref.id == 98) continue;
        ++checked;
        std::vector<char*> params(8, nullptr);
        capture::Install();
        DispatchAction(ref.id, params.data());
        capture::Remove();
        const char* name = ActionName(ref.id);
        std::string named;  // every variable the entry mentions
        for (const VariableNote& v : ref.writes) named += v.name + " " + v.meaning + " ";
        named += ref.note;
        bool wroteStatus = false;
        for (size_t i = 0; i < capture::writes.size(); ++i) {
            const std::string& var = capture::writes[i].first;
            const std::string& value = capture::writes[i].second;
            if (var.empty()) continue;  // a result variable the (empty) parameter names
            if (!IsStatusVariable(var)) {
                EXPECT_NE(named.find(var), std::string::npos) << name << " writes " << var << ", which its entry does not name";
                continue;
            }
            if (!wroteStatus && ref.reporting != Reporting::kDirect)
                EXPECT_TRUE(var == "[QMT_Status]" && value == "Processing") << name << " does not start with Processing";
            wroteStatus = true;
            if (var == "[QMT_Status]" && value != "Processing" && value != "Complete" && value != "Error")
                EXPECT_TRUE(Matches(ref.words, value)) << name << " sets [QMT_Status] to " << value;
        }
        // The message an action leaves behind (a later one may replace an earlier).
        for (const char* var : {"[QMT_Error]", "[LastError]"}) {
            std::string left = capture::Last(var);
            if (!left.empty())
                EXPECT_TRUE(Matches(ref.errors, left)) << name << " leaves \"" << left << "\" in " << var
                                                       << ", which its entry does not list";
        }
        if (ref.reporting == Reporting::kDirect && ref.words.empty() && ref.errors.empty() && ref.note.empty())
            EXPECT_FALSE(wroteStatus) << name << " writes status variables";
    }
    EXPECT_GT(checked, 90);

    g_tools = savedTools;
    g_host = savedHost;
    setenv("PATH", savedPath.c_str(), 1);
}
