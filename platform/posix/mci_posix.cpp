#include "platform/headless/headless_mci.h"
#include "platform/mci.h"

namespace plat {

unsigned long MciSend(const std::string& command, std::string* reply) {
    char buffer[256] = {0};
    unsigned long code = hmMciSendString(command.c_str(), buffer, sizeof buffer);
    if (reply) *reply = buffer;
    return code;
}

std::string MciErrorText(unsigned long code) {
    char buffer[256] = {0};
    hmMciGetErrorString(code, buffer, sizeof buffer);
    return buffer;
}

}  // namespace plat
