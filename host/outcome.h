// What a step below an action handler did: the one answer every step gives
// (a tool run, a render's stage, a rule of a record), so that the handler
// reports each message exactly once.
//
// A failed step names the message for [QMT_Error] and [LastError]. Most
// steps leave the reporting to the handler. The runner reports its failure
// at once, since its message must come before any its caller adds (a render
// reports "Transition render failed." after FFmpeg's own); `reported` says
// so, and the handler does not write that message again.
#pragma once
#include <string>

struct Outcome {
    bool ok = true;
    std::string message;    // "" when ok
    bool reported = false;  // the message has been written already
};

inline Outcome Done() { return Outcome(); }
inline Outcome Failed(const std::string& message) { return Outcome{false, message, false}; }
