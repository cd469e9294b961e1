// printf-style formatting into std::string and the case rules the catalogue,
// word tables and Rectangle names share.
#pragma once
#include <string>

std::string Fmt(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
bool EqualsNoCase(const std::string& a, const std::string& b);
std::string ToLowerAscii(std::string s);
// Copies at most `capacity - 1` characters, the way a fixed text field keeps a value.
std::string CutTo(const std::string& s, size_t capacity);
// Copies into a fixed field, cut to its size less one.
void CopyField(char* field, size_t size, const std::string& value);
template <size_t N>
void SetField(char (&field)[N], const std::string& value) { CopyField(field, N, value); }
