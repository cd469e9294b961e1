#include "toolchain/command_builder.h"
#include <cstdio>
#include <cstring>
#include "host/messages.h"
#include "host/text_util.h"

std::string EscapeForQuotes(const std::string& value) {
    std::string out;
    out.reserve(value.size() + 8);
    size_t i = 0, n = value.size();
    while (i < n) {
        size_t run = 0;
        while (i < n && value[i] == '\\') { ++run; ++i; }
        if (i == n) {
            // The closing quote follows: every backslash must be doubled.
            out.append(run * 2, '\\');
            break;
        }
        if (value[i] == '"') {
            out.append(run * 2 + 1, '\\');
            out += '"';
        } else {
            out.append(run, '\\');
            out += value[i];
        }
        ++i;
    }
    return out;
}

namespace {

CommandOutcome Refuse(const std::string& error) {
    CommandOutcome r;
    r.error = error;
    return r;
}

bool StaysOneArgument(const std::string& value) {
    if (value.empty()) return false;
    for (char c : value)
        if (c == '"' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') return false;
    return true;
}

std::string FormatNumber(const std::string& spec, const CommandValue& v) {
    char buffer[64];
    if (spec.back() == 'd') snprintf(buffer, sizeof buffer, (spec.substr(0, spec.size() - 1) + "lld").c_str(), v.integer);
    else snprintf(buffer, sizeof buffer, spec.c_str(), v.number);
    return buffer;
}

}  // namespace

CommandOutcome BuildCommand(const char* format, std::initializer_list<CommandValue> values) {
    const CommandValue* next = values.begin();
    std::string out;
    // The text of the quoted stretch being read, without its quotes; it is
    // escaped as a whole when its closing quote arrives, so a value's
    // trailing backslashes are doubled only where a quote follows them.
    std::string stretch;
    bool quoted = false;
    for (const char* p = format; *p; ++p) {
        if (*p == '"') {
            if (quoted) out += EscapeForQuotes(stretch) + '"';
            else out += '"';
            stretch.clear();
            quoted = !quoted;
            continue;
        }
        std::string& sink = quoted ? stretch : out;
        if (*p != '%') {
            sink += *p;
            continue;
        }
        if (p[1] == '%') {
            sink += '%';
            ++p;
            continue;
        }
        // A conversion: flags, width and precision, then s, d or f.
        const char* start = p++;
        while (*p && strchr("-+ #0123456789.", *p)) ++p;
        if (*p != 's' && *p != 'd' && *p != 'f')
            return Refuse(std::string("Command template has an unknown conversion: ") + format);
        if (next == values.end()) return Refuse(std::string("Command template needs more values: ") + format);
        const CommandValue& v = *next++;
        std::string spec(start, p + 1);
        if (*p == 's') {
            if (spec != "%s" || (v.kind != CommandValue::kText && v.kind != CommandValue::kPart))
                return Refuse(std::string("Command template value does not match its slot: ") + v.name);
            if (v.kind == CommandValue::kPart) {
                if (!v.partOk) return Refuse(v.text);
                if (quoted) return Refuse(std::string("A group of options cannot go between quotes: ") + v.name);
                out += v.text;
            } else if (quoted) {
                stretch += v.text;
            } else {
                if (!StaysOneArgument(v.text)) return Refuse(Fmt(msg::kNotOneWord, v.name, v.text.c_str()));
                out += v.text;
            }
        } else {
            bool wantInteger = *p == 'd';
            if ((wantInteger && v.kind != CommandValue::kInteger) || (!wantInteger && v.kind != CommandValue::kNumber))
                return Refuse(std::string("Command template value does not match its slot: ") + v.name);
            sink += FormatNumber(spec, v);
        }
    }
    if (quoted) return Refuse(std::string("Command template has an unclosed quote: ") + format);
    if (next != values.end()) return Refuse(std::string("Command template has fewer slots than values: ") + format);
    CommandOutcome r;
    r.ok = true;
    r.text = out;
    return r;
}
