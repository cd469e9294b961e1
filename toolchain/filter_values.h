// Values written between single quotes in a filter's option inside a filter
// graph (`name='%s'`), so that ffmpeg reads back exactly what was meant.
// Two readers unescape such a value in turn: the graph parser (inside the
// quotes only a quote is special) and the option parser (backslash, quote
// and colon; blanks at either end are trimmed). Each level is escaped for the
// one below, so quotes, colons, backslashes, commas, brackets, semicolons and
// blanks all come out as given.
#pragma once
#include <string>

// A file path as a filter option value: the subtitles file, the motion data
// of vidstabdetect and vidstabtransform.
std::string EscapeFilterPath(const std::string& path);

// The value for a drawtext `text='%s'` option: on top of the two levels,
// drawtext's own expansion reads backslash and percent. `limit` cuts the
// result between escapes, never inside one.
std::string EscapeDrawTextValue(const std::string& text, size_t limit = std::string::npos);
