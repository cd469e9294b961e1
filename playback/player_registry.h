// The embedded players: a fixed table of MCI devices, each playing into a
// child window of a named Rectangle, keyed by that Rectangle's name.
#pragma once
#include <cstdint>
#include <string>
#include "platform/handles.h"

const int kMaxPlayers = 8;

struct PlayerRecord {
    WindowHandle rectWindow;
    char rectName[128];
    char videoPath[260];
    char statusVar[128];
    bool loop;
    int inUse;
};

extern PlayerRecord g_players[kMaxPlayers];

// Slot of the player in that Rectangle (ASCII case ignored), -1 when none.
int FindPlayer(const std::string& rectName);
// Playhead of a player in milliseconds; false when the slot is not playing anything.
bool PlayerPositionMs(int slot, double& positionMs);
bool PlayerSeekMs(int slot, int positionMs);
// Every player command goes through here to the system's MCI.
unsigned long SendMci(const std::string& command, std::string* reply = nullptr);
// Test hook: sees every command before it is sent. When it returns true, its
// `code` and `reply` are taken as the device's answer and nothing is sent.
typedef bool (*MciHook)(const std::string& command, std::string& reply, unsigned long& code);
void SetMciHook(MciHook hook);
// Sends a command with the slot's alias put in for its "%s"; returns the MCI code.
unsigned long PlayerCommand(int slot, const char* format, std::string* reply = nullptr);
std::string PlayerAlias(int slot);
// Places the slot's video window at 0,0 of its Rectangle with this size.
void PutPlayerWindow(int slot, int width, int height);

// Opens `videoFile` in the first free slot for the Rectangle, replacing a
// player already there, and reports as the create action does.
void CreatePlayer(const std::string& rectName, const std::string& videoFile, const std::string& statusVar);
// Re-opens the slot with another file in the same window.
void ReloadPlayer(int slot, const std::string& videoFile);
// Closes the device and frees the slot.
void ClosePlayer(int slot);
