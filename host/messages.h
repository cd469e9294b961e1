// Every text the plug-in reports, each written once (in host/message_table.inc):
// the messages it leaves in [QMT_Error] and [LastError] and the words it puts
// in [QMT_Status] besides "Processing" and "Error". The reporting code and the
// authors' reference (host/action_reference.cpp) both use these names, so the
// reference lists what the handlers report, byte for byte. A printf
// placeholder stands for the part filled in when the message is reported.
// The one text reported that is not here is the media control interface's
// own error text, which comes from the system.
#pragma once

namespace msg {

#define QMT_ERROR(name, text) inline constexpr char name[] = text;
#define QMT_WORD(name, text) inline constexpr char name[] = text;
#include "host/message_table.inc"
#undef QMT_ERROR
#undef QMT_WORD

struct Entry {
    bool statusWord;  // false: a message for [QMT_Error] and [LastError]
    const char* text;
};

// The whole table, for the check that the reference lists every entry.
inline constexpr Entry kAll[] = {
#define QMT_ERROR(name, text) {false, name},
#define QMT_WORD(name, text) {true, name},
#include "host/message_table.inc"
#undef QMT_ERROR
#undef QMT_WORD
};

}  // namespace msg
