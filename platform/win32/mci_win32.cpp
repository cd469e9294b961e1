#include <windows.h>
#include <mmsystem.h>
#include "platform/mci.h"

namespace plat {

static MciHook g_hook = nullptr;
void SetMciHook(MciHook hook) { g_hook = hook; }

unsigned long MciSend(const std::string& command, std::string* reply) {
    std::string answer;
    unsigned long answered = 0;
    if (g_hook && g_hook(command, answer, answered)) {
        if (reply) *reply = answer;
        return answered;
    }
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
