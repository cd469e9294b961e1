#include "playback/player_registry.h"
#include <cstdlib>
#include <cstring>
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/mci.h"
#include "platform/playback_os.h"
#include "playback/rectangle_lookup.h"
#include "toolchain/backups.h"

PlayerRecord g_players[kMaxPlayers];
static bool g_tableCleared = false;

static void ClearTableOnce() {
    if (g_tableCleared) return;
    g_tableCleared = true;
    for (PlayerRecord& p : g_players) {
        p.rectWindow = kNoWindow;
        p.inUse = 0;
    }
}

int FindPlayer(const std::string& rectName) {
    for (int i = 0; i < kMaxPlayers; ++i)
        if (g_players[i].inUse && EqualsNoCase(g_players[i].rectName, rectName)) return i;
    return -1;
}

static MciHook g_mciHook = nullptr;
void SetMciHook(MciHook hook) { g_mciHook = hook; }

unsigned long SendMci(const std::string& command, std::string* reply) {
    std::string answer;
    unsigned long code = 0;
    if (g_mciHook && g_mciHook(command, answer, code)) {
        if (reply) *reply = answer;
        return code;
    }
    return plat::MciSend(command, reply);
}

std::string PlayerAlias(int slot) { return Fmt("qmt_p%d", slot); }

unsigned long PlayerCommand(int slot, const char* format, std::string* reply) {
    return SendMci(Fmt(format, PlayerAlias(slot).c_str()), reply);
}

bool PlayerPositionMs(int slot, double& positionMs) {
    positionMs = 0;
    if (slot < 0 || slot >= kMaxPlayers || !g_players[slot].inUse) return false;
    std::string reply;
    if (PlayerCommand(slot, "status %s position", &reply) != 0) return false;
    positionMs = atof(reply.c_str());
    return true;
}

bool PlayerSeekMs(int slot, int positionMs) {
    if (slot < 0 || slot >= kMaxPlayers || !g_players[slot].inUse) return false;
    return SendMci(Fmt("seek %s to %d", PlayerAlias(slot).c_str(), positionMs)) == 0;
}

void ClosePlayer(int slot) {
    PlayerCommand(slot, "close %s");
    g_players[slot].inUse = 0;
}

void CloseAllPlayers() {
    for (int i = 0; i < kMaxPlayers; ++i)
        if (g_players[i].inUse) ClosePlayer(i);
}

static unsigned long OpenInWindow(const std::string& file, int slot, WindowHandle window, bool withType) {
    const char* format = withType ? "open \"%s\" type mpegvideo alias %s parent %lu style child"
                                  : "open \"%s\" alias %s parent %lu style child";
    return SendMci(Fmt(format, file.c_str(), PlayerAlias(slot).c_str(), static_cast<unsigned long>(window)));
}

void PutPlayerWindow(int slot, int width, int height) {
    SendMci(Fmt("put %s window at 0 0 %d %d", PlayerAlias(slot).c_str(), width, height));
}

// The video fills the window it plays in.
static void FitToWindow(int slot, WindowHandle window) {
    int width = 0, height = 0;
    plat::ClientSize(window, width, height);
    PutPlayerWindow(slot, width, height);
}

// Over-long names would no longer match or open what was asked for, so they
// are refused rather than cut.
static bool FitsFields(const std::string& rectName, const std::string& videoFile, const std::string& statusVar) {
    const PlayerRecord& r = g_players[0];
    if (rectName.size() >= sizeof r.rectName) ReportError(msg::kRectangleNameTooLong);
    else if (videoFile.size() >= sizeof r.videoPath) ReportError(msg::kVideoPathTooLong);
    else if (statusVar.size() >= sizeof r.statusVar) ReportError(msg::kStatusVariableTooLong);
    else return true;
    return false;
}

void CreatePlayer(const std::string& rectName, const std::string& videoFile, const std::string& statusVar) {
    ClearTableOnce();
    int existing = FindPlayer(rectName);
    if (existing >= 0) ClosePlayer(existing);
    if (!FitsFields(rectName, videoFile, statusVar)) return;
    WindowHandle window = FindRectangleWindow(rectName);
    if (!window) {
        ReportError(msg::kNoRectangle);
        return;
    }
    int slot = -1;
    for (int i = 0; i < kMaxPlayers && slot < 0; ++i)
        if (!g_players[i].inUse) slot = i;
    if (slot < 0) {
        ReportError(msg::kPlayersFull);
        return;
    }
    if (OpenInWindow(videoFile, slot, window, true) != 0) {
        unsigned long code = OpenInWindow(videoFile, slot, window, false);
        if (code != 0) {
            ReportError(plat::MciErrorText(code));
            return;
        }
    }
    FitToWindow(slot, window);
    PlayerRecord& p = g_players[slot];
    p.rectWindow = window;
    snprintf(p.rectName, sizeof p.rectName, "%s", rectName.c_str());
    snprintf(p.videoPath, sizeof p.videoPath, "%s", videoFile.c_str());
    snprintf(p.statusVar, sizeof p.statusVar, "%s", statusVar.c_str());
    p.loop = false;
    p.inUse = 1;
    if (!statusVar.empty()) SetHostVar(statusVar, "Ready");
    AddRecentFile(videoFile.c_str());
}

void ReloadPlayer(int slot, const std::string& videoFile) {
    PlayerRecord& p = g_players[slot];
    if (videoFile.size() >= sizeof p.videoPath) {
        ReportError(msg::kVideoPathTooLong);
        return;
    }
    PlayerCommand(slot, "close %s");
    OpenInWindow(videoFile, slot, p.rectWindow, true);
    FitToWindow(slot, p.rectWindow);
    snprintf(p.videoPath, sizeof p.videoPath, "%s", videoFile.c_str());
}
