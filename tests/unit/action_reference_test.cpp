// The authors' actions reference: the committed docs/actions.md is what the
// generator makes from the plug-in now, covers every action of the catalogue
// with its parameters, and lists every message the handlers report.
#include <gtest/gtest.h>
#include <dirent.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "docgen/reference_markdown.h"
#include "host/action_reference.h"
#include "host/catalogue.h"

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

// The string literal that starts at `at` (just after its opening quote), with
// its C escapes read.
std::string Literal(const std::string& code, size_t at) {
    std::string text;
    for (size_t i = at; i < code.size() && code[i] != '"'; ++i) {
        if (code[i] == '\\' && i + 1 < code.size()) {
            char e = code[++i];
            text += e == 'n' ? '\n' : e;
        } else {
            text += code[i];
        }
    }
    return text;
}

// Every literal given to `call(` or `call(Fmt(` in the plug-in's sources.
std::vector<std::pair<std::string, std::string>> ReportedLiterals(const std::string& call) {
    std::vector<std::pair<std::string, std::string>> found;
    for (const char* dir : {"host", "toolchain", "operations", "playback", "strips", "timeline"}) {
        DIR* d = opendir((std::string(QMT_SOURCE_DIR) + "/" + dir).c_str());
        if (!d) continue;
        while (dirent* entry = readdir(d)) {
            std::string name = entry->d_name;
            if (name.size() < 5 || name.compare(name.size() - 4, 4, ".cpp") != 0) continue;
            std::string file = std::string(dir) + "/" + name;
            std::string code = ReadSource(file);
            for (size_t at = code.find(call + "("); at != std::string::npos; at = code.find(call + "(", at + 1)) {
                size_t arg = at + call.size() + 1;
                if (code.compare(arg, 4, "Fmt(") == 0) arg += 4;
                if (code[arg] == '"') found.push_back({Literal(code, arg + 1), file});
            }
        }
        closedir(d);
    }
    return found;
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

TEST(ActionReference, UsageTextsNameEveryParameter) {
    EXPECT_EQ(UsageParameterNames("QMT_Trim \"[InputFile]\" \"[StartTime]\" - cut \"[x]\" out"),
              (std::vector<std::string>{"InputFile", "StartTime"}));
    EXPECT_TRUE(UsageParameterNames("QMT_PreviewStop - stop \"[x]\"").empty());
    for (const CatalogueRow& row : kCatalogue)
        if (row.id != 0) EXPECT_EQ(static_cast<int>(UsageParameterNames(ActionLongHelp(row.id)).size()), row.count) << row.name;
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

TEST(ActionReference, ListsEveryMessageTheHandlersReport) {
    std::set<std::string> errors, words;
    for (const ActionReference& ref : ActionReferenceTable()) {
        errors.insert(ref.errors.begin(), ref.errors.end());
        words.insert(ref.words.begin(), ref.words.end());
    }
    auto reported = ReportedLiterals("ReportError");
    EXPECT_GT(reported.size(), 30u) << "the source scan found too few messages; is QMT_SOURCE_DIR right?";
    for (const auto& r : reported)
        EXPECT_TRUE(errors.count(r.first)) << "\"" << r.first << "\" (" << r.second
                                           << ") is in no action's messages in host/action_reference.cpp";
    for (const auto& r : ReportedLiterals("ReportStatusWord"))
        EXPECT_TRUE(words.count(r.first)) << "\"" << r.first << "\" (" << r.second
                                          << ") is in no action's status words in host/action_reference.cpp";
}
