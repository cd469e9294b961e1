#include "host/text_util.h"
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

std::string Fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        vsnprintf(buf.data(), buf.size(), format, args);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string ToLowerAscii(std::string s) {
    for (char& c : s) c = LowerAscii(c);
    return s;
}

std::string CutTo(const std::string& s, size_t capacity) {
    if (capacity == 0) return std::string();
    return s.size() < capacity ? s : s.substr(0, capacity - 1);
}

void CopyField(char* field, size_t size, const std::string& value) {
    if (size == 0) return;
    size_t n = value.size() < size - 1 ? value.size() : size - 1;
    memcpy(field, value.data(), n);
    field[n] = '\0';
}
