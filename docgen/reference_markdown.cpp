// Markdown of the actions reference. Everything comes from the catalogue, the
// usage texts and the reporting table; nothing about an action is written here.
#include "docgen/reference_markdown.h"
#include <cctype>
#include <map>
#include <sstream>
#include <vector>
#include "host/action_reference.h"
#include "host/catalogue.h"

namespace {

// GitHub's anchor for a heading.
std::string Slug(const std::string& heading) {
    std::string slug;
    for (char c : heading) {
        unsigned char u = static_cast<unsigned char>(c);
        if (isalnum(u) || c == '_' || c == '-') slug += static_cast<char>(tolower(u));
        else if (c == ' ') slug += '-';
    }
    return slug;
}

// printf placeholders become words an author understands.
std::string Placeholders(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            size_t j = i + 1;
            while (j < text.size() && (text[j] == 'l' || isdigit(static_cast<unsigned char>(text[j])) || text[j] == '.'))
                ++j;
            if (j < text.size() && (text[j] == 'd' || text[j] == 'u')) {
                out += "<number>";
                i = j;
                continue;
            }
            if (j < text.size() && text[j] == 's') {
                out += "<text>";
                i = j;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string Code(const std::string& text) { return "`" + text + "`"; }

// A reported text: each line in code, line breaks said in words.
std::string Reported(const std::string& text) {
    std::string out;
    size_t start = 0;
    while (true) {
        size_t nl = text.find('\n', start);
        out += Code(Placeholders(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start)));
        if (nl == std::string::npos) break;
        out += ", a line break, ";
        start = nl + 1;
    }
    return out;
}

// Length of a variable name such as [QMT_Status] starting at `at`, 0 when none.
size_t VariableNameAt(const std::string& text, size_t at) {
    if (text[at] != '[') return 0;
    size_t end = at + 1;
    while (end < text.size() && (isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
    return (end > at + 1 && end < text.size() && text[end] == ']') ? end - at + 1 : 0;
}

// Running text: variable names set in code, characters Markdown would read as
// markup escaped.
std::string Prose(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (size_t n = VariableNameAt(text, i)) {
            out += Code(text.substr(i, n));
            i += n - 1;
        } else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '*') out += "\\*";
        else out += c;
    }
    return out;
}

std::string Kind(char code, const std::string& name) {
    bool variableName = name.size() > 4 && name.compare(name.size() - 4, 4, "_var") == 0;
    if (code == '6' || variableName) return "variable to write";
    if (code == '5') return "file or folder";
    return "text";
}

std::string WordList(const std::vector<std::string>& words) {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) out += (i + 1 == words.size()) ? " or " : ", ";
        out += Code(Placeholders(words[i]));
    }
    return out;
}

std::string StatusLine(const ActionReference& ref) {
    std::string line;
    switch (ref.reporting) {
        case Reporting::kOperation:
            line = "operation: `Processing` first, then `Complete` with `[QMT_LastOutput]` set to the output file, "
                   "or `Error`.";
            break;
        case Reporting::kQuery:
            line = "query: `Processing` first, then `Complete` or `Error`.";
            break;
        case Reporting::kDirect:
            if (!ref.words.empty()) line = "sets `[QMT_Status]` to " + WordList(ref.words) + ".";
            else if (!ref.errors.empty()) line = "nothing on success.";
            else line = "writes no status variables.";
            if (!ref.errors.empty()) line += " A failure sets `Error` with its message.";
            return line;
    }
    if (!ref.words.empty()) line += " Along the way also " + WordList(ref.words) + ".";
    return line;
}

std::string Capitalised(std::string text) {
    if (!text.empty()) text[0] = static_cast<char>(toupper(static_cast<unsigned char>(text[0])));
    return text;
}

void WriteAction(std::ostream& md, const CatalogueRow& row) {
    std::string usage = ActionLongHelp(row.id);
    size_t dash = usage.find(" - ");
    std::string call = dash == std::string::npos ? std::string(row.name) : usage.substr(0, dash);
    std::string description = dash == std::string::npos ? usage : usage.substr(dash + 3);
    std::vector<std::string> names = UsageParameterNames(usage);

    md << "### " << row.name << "\n\n";
    md << "Id " << row.id << ": " << Prose(row.hint) << ".\n\n";
    md << "```\n" << call << "\n```\n\n";
    if (row.count > 0) {
        md << "| # | Parameter | Kind |\n|---|---|---|\n";
        for (int i = 0; i < row.count; ++i) {
            std::string name = i < static_cast<int>(names.size()) ? names[i] : "Parameter " + std::to_string(i + 1);
            md << "| " << i + 1 << " | " << name << " | " << Kind(row.types[i], name) << " |\n";
        }
        md << "\n";
    } else {
        md << "No parameters.\n\n";
    }
    md << Prose(Capitalised(description)) << "\n\n";

    const ActionReference* ref = FindActionReference(row.id);
    if (!ref) {
        md << "**Status:** not documented yet.\n\n";
        return;
    }
    md << "**Status:** " << StatusLine(*ref) << "\n\n";
    if (!ref->writes.empty()) {
        md << "**Writes:**\n\n";
        for (const VariableNote& v : ref->writes) {
            bool parameter = v.name.empty() || v.name[0] != '[';
            md << "- " << (parameter ? "the variable named in " + Code("[" + v.name + "]") : Code(v.name));
            if (!v.meaning.empty()) md << ": " << Prose(v.meaning);
            md << "\n";
        }
        md << "\n";
    }
    if (!ref->errors.empty()) {
        md << "**Messages:**\n\n";
        for (const std::string& e : ref->errors) md << "- " << Reported(e) << "\n";
        md << "\n";
    }
    if (!ref->note.empty()) md << Prose(ref->note) << "\n\n";
}

}  // namespace

std::string ActionReferenceMarkdown() {
    std::ostringstream md;
    int actions = 0, groups = 0;
    for (const CatalogueRow& row : kCatalogue) (row.id == 0 ? groups : actions) += 1;

    md << "# Quillmont actions reference\n\n"
          "<!-- Generated by qmt_docgen from the action catalogue, the usage texts and the reporting table of "
          "the plug-in. Do not edit: run `cmake --build build/native --target docs`. -->\n\n"
          "Quillmont adds "
       << actions << " actions in " << groups
       << " groups to VisualNeo Win. A script calls an action with its parameters in double quotes, in the order "
          "listed, for example `QMT_GetDuration \"[PubDir]clip.mp4\" \"[Length]\"`. Installation, the FFmpeg "
          "tools and a first script are in [install.md](install.md).\n\n"
          "## Parameter kinds\n\n"
          "- **text**: a value: a number, a word, a name, or a time written as seconds (`90.5`), minutes and "
          "seconds (`1:30.25`) or hours, minutes and seconds (`01:02:03.5`). Some actions also take file paths "
          "and result variables as text; the parameter's name tells.\n"
          "- **file or folder**: a path; the action editor offers a file dialog for it.\n"
          "- **variable to write**: the name of one of your publication's variables, in square brackets, for "
          "example `[Length]`. The action stores its result there.\n\n"
          "## Status reporting\n\n"
          "Actions return nothing to the script; they report through variables, which the script reads on the "
          "next line, after the action has finished:\n\n"
          "- `[QMT_Status]`: `Processing` while an action works, then `Complete` or `Error`; some window and "
          "list actions write words of their own, listed with them.\n"
          "- `[QMT_Progress]`: a whole percentage, `0` at the start, rising while FFmpeg runs, `100` on success; "
          "after a failure it keeps the last value reached.\n"
          "- `[QMT_Error]`: emptied at the start, the message after a failure.\n"
          "- `[LastError]`: the message of the latest failure; never emptied by the plug-in.\n"
          "- `[QMT_LastOutput]`: the file an action has just written.\n\n"
          "Each action below says how it reports:\n\n"
          "- **operation**: sets `Processing`, `0` and an empty `[QMT_Error]` first; on success `Complete`, "
          "`100` and `[QMT_LastOutput]` (when an output file was given); on failure `Error` with the message in "
          "`[QMT_Error]` and `[LastError]`.\n"
          "- **query**: the same without an output file.\n"
          "- otherwise the words and messages listed are all it writes.\n\n"
          "**Messages** lists every text an action can leave in `[QMT_Error]` and `[LastError]`; `<number>` and "
          "`<text>` stand for the parts that vary. When FFmpeg itself fails, its command line and output are in the "
          "log file the message names (see install.md).\n\n"
          "## Groups\n\n";
    for (size_t i = 0; i < static_cast<size_t>(kCatalogueRows); ++i) {
        const CatalogueRow& header = kCatalogue[i];
        if (header.id != 0) continue;
        md << "- [" << header.name << "](#" << Slug(header.name) << "):";
        const char* sep = " ";
        for (size_t j = i + 1; j < static_cast<size_t>(kCatalogueRows) && kCatalogue[j].id != 0; ++j) {
            md << sep << "[" << kCatalogue[j].name << "](#" << Slug(kCatalogue[j].name) << ")";
            sep = ", ";
        }
        md << "\n";
    }
    md << "- [Variables](#variables): every variable the actions write, and by whom\n\n";

    for (const CatalogueRow& row : kCatalogue) {
        if (row.id == 0) md << "## " << row.name << "\n\n";
        else WriteAction(md, row);
    }

    // Index of the fixed variables (the status set is described above).
    std::map<std::string, std::vector<std::string>> writers;
    for (const CatalogueRow& row : kCatalogue) {
        const ActionReference* ref = row.id ? FindActionReference(row.id) : nullptr;
        if (!ref) continue;
        for (const VariableNote& v : ref->writes) {
            if (v.name.empty() || v.name[0] != '[') continue;
            std::vector<std::string>& list = writers[v.name];
            if (list.empty() || list.back() != row.name) list.push_back(row.name);
        }
    }
    md << "## Variables\n\n"
          "Besides the status variables above and the variables you name in parameters, actions write these:\n\n"
          "| Variable | Written by |\n|---|---|\n";
    for (const auto& entry : writers) {
        md << "| " << Code(entry.first) << " |";
        const char* sep = " ";
        for (const std::string& name : entry.second) {
            md << sep << "[" << name << "](#" << Slug(name) << ")";
            sep = ", ";
        }
        md << " |\n";
    }
    return md.str();
}
