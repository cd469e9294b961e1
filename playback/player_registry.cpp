// Players arrive with the embedded-playback work; until then no Rectangle
// holds a player, so strips and timelines simply get no playhead.
#include "playback/player_registry.h"
#include "host/dispatch.h"
#include "host/teardown.h"

int FindPlayer(const std::string&) { return -1; }
bool PlayerPositionMs(int, double&) { return false; }
bool PlayerSeekMs(int, int) { return false; }
void CloseAllPlayers() {}
void RegisterPlaybackActions() {}
