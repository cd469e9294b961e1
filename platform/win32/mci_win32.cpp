#include <windows.h>
#include <mmsystem.h>
#include "platform/mci.h"

namespace plat {

unsigned long MciSend(const std::string& command, std::string* reply) {
    char buffer[256] = {0};
    MCIERROR code = mciSendStringA(command.c_str(), buffer, sizeof buffer, nullptr);
    if (reply) *reply = buffer;
    return code;
}

std::string MciErrorText(unsigned long code) {
    char buffer[256] = {0};
    mciGetErrorStringA(code, buffer, sizeof buffer);
    return buffer;
}

}  // namespace plat
