#include "strips/player_follow.h"
#include "playback/player_registry.h"

bool FollowedPosition(const std::string& playerRect, double& positionMs) {
    positionMs = 0;
    int player = FindPlayer(playerRect);
    if (player < 0) return false;
    PlayerPositionMs(player, positionMs);
    return true;
}

void SeekFollowed(const std::string& playerRect, int positionMs) {
    int player = FindPlayer(playerRect);
    if (player >= 0) PlayerSeekMs(player, positionMs);
}

void RepaintOnTick(const FrameTarget& at, int) { InvalidateFrameWindow(at.window); }
