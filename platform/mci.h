// The media control interface: the one way the embedded players talk to the
// system's media devices (winmm on Windows, the headless stand-in natively).
#pragma once
#include <string>

namespace plat {

// Sends one command string; `reply` (when given) receives the device's
// answer, at most 255 characters. Returns the MCI error code, 0 on success.
unsigned long MciSend(const std::string& command, std::string* reply = nullptr);
// The system's text for an MCI error code.
std::string MciErrorText(unsigned long code);

}  // namespace plat
