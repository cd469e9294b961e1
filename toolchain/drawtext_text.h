// The text of a drawtext filter, written so that ffmpeg draws exactly what
// the author typed.
#pragma once
#include <string>

// The value for a drawtext `text='%s'` option inside a filter graph. Three
// readers unescape it in turn: the graph parser (inside the quotes only a
// quote is special), the option parser (backslash, quote and colon) and
// drawtext's own expansion (backslash and percent). Each level is escaped
// for the one below, so quotes, colons, percent signs, backslashes, commas,
// brackets and semicolons all come out as typed. `limit` cuts the result
// between escapes, never inside one.
std::string EscapeDrawTextValue(const std::string& text, size_t limit = std::string::npos);
