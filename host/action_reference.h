// What the authors' reference tells about each action beyond its catalogue
// row and help text: how it reports, the host variables it writes and the
// messages it can leave in [QMT_Error] and [LastError].
#pragma once
#include <string>
#include <vector>

// How an action uses the status variables.
enum class Reporting {
    kOperation,  // "Processing", 0, "" first; "Complete", 100 and [QMT_LastOutput] on success
    kQuery,      // the same without an output file
    kDirect,     // no start report: only the words and errors listed
};

// A host variable an action writes. A name without brackets is a parameter of
// the action: the variable the author named there.
struct VariableNote {
    std::string name;
    std::string meaning;
};

struct ActionReference {
    int id;
    Reporting reporting;
    std::vector<std::string> words;  // [QMT_Status] words besides "Processing", "Complete", "Error"
    std::vector<VariableNote> writes;
    std::vector<std::string> errors;  // as reported, printf placeholders for the variable parts
    std::string note;                 // anything else an author must know about the reporting
};

// One entry per action of the catalogue, in id order.
const std::vector<ActionReference>& ActionReferenceTable();
// Entry of an action id, null when none.
const ActionReference* FindActionReference(int id);
// The parameter names of a usage text ("QMT_X \"[A]\" \"[B]\" - ..." gives A, B).
std::vector<std::string> UsageParameterNames(const std::string& usage);
