// The embedded players, keyed by their Rectangle's name.
#pragma once
#include <string>

const int kMaxPlayers = 8;

// Slot of the player in that Rectangle (ASCII case ignored), -1 when none.
int FindPlayer(const std::string& rectName);
// Playhead of a player in milliseconds; false when the slot is not playing anything.
bool PlayerPositionMs(int slot, double& positionMs);
bool PlayerSeekMs(int slot, int positionMs);
