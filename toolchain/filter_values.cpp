#include "toolchain/filter_values.h"

namespace {

// What drawtext's expansion turns back into the character.
std::string ExpansionEscaped(char c) {
    if (c == '\\' || c == '%') return std::string("\\") + c;
    return std::string(1, c);
}

// What the option parser turns back into `s`; blanks at either end of the
// value would be trimmed unless escaped.
std::string OptionEscaped(const std::string& s, bool edge) {
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == '\'' || c == ':' || (edge && (c == ' ' || c == '\t'))) out += '\\';
        out += c;
    }
    return out;
}

// Inside the graph's single quotes a quote closes, is escaped and reopens.
std::string GraphQuoted(const std::string& s) {
    std::string out;
    for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out;
}

bool AtEdge(const std::string& text, size_t i) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos || i < first || i > last;
}

// Character by character, so that `limit` never splits an escape.
std::string QuotedOptionValue(const std::string& text, bool drawtext, size_t limit) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        std::string c = drawtext ? ExpansionEscaped(text[i]) : std::string(1, text[i]);
        std::string piece = GraphQuoted(OptionEscaped(c, AtEdge(text, i)));
        if (out.size() + piece.size() > limit) break;
        out += piece;
    }
    return out;
}

}  // namespace

std::string EscapeFilterPath(const std::string& path) { return QuotedOptionValue(path, false, std::string::npos); }

std::string EscapeDrawTextValue(const std::string& text, size_t limit) { return QuotedOptionValue(text, true, limit); }
