// Assembling a tool's argument text from a printf-like template so that no
// value can add, drop or split an argument.
//
// The template decides each slot's kind. A %s inside a double-quoted stretch
// is a quoted slot: the value goes in unchanged but escaped by the Microsoft C
// runtime's argument rules, so the stretch stays exactly one argument whatever
// the value holds. A %s outside quotes is an unquoted slot: a value that is
// empty or holds white space or a double quote would not stay one argument
// there, so it is refused with "Invalid value for <Name>: <value>".
// %d and %.Nf (any printf flags, width and precision) take numbers; %% is a
// literal percent sign.
#pragma once
#include <initializer_list>
#include <string>

// What assembling gave: the argument text, or the error to report.
struct CommandOutcome {
    bool ok = false;
    std::string text;
    std::string error;
};

// One value for the next conversion of a template, with the parameter name an
// error about it shows the author.
struct CommandValue {
    enum Kind { kText, kInteger, kNumber, kPart };
    CommandValue(const char* name, const std::string& text) : kind(kText), name(name), text(text) {}
    CommandValue(const char* name, const char* text) : kind(kText), name(name), text(text ? text : "") {}
    CommandValue(const char* name, int value) : kind(kInteger), name(name), integer(value) {}
    CommandValue(const char* name, double value) : kind(kNumber), name(name), number(value) {}
    // A group of options assembled earlier by BuildCommand (for example
    // "-c:a libopus" or "-an"), put into an unquoted %s as it is; a refused
    // part makes the whole command refused with the part's error.
    CommandValue(const char* name, const CommandOutcome& part)
        : kind(kPart), name(name), text(part.ok ? part.text : part.error), partOk(part.ok) {}

    Kind kind;
    const char* name;
    std::string text;
    long long integer = 0;
    double number = 0;
    bool partOk = true;
};

CommandOutcome BuildCommand(const char* format, std::initializer_list<CommandValue> values);

// The text that, put between double quotes on a command line, reads back as
// exactly `value` under the Microsoft C runtime's rules: a quote becomes \",
// a run of backslashes before a quote or at the end is doubled, anything else
// is unchanged.
std::string EscapeForQuotes(const std::string& value);
