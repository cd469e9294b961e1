// Where the FFmpeg tools are, found once and kept for the plug-in's life.
#pragma once
#include <string>

struct ToolLocation {
    bool ffmpegFound;
    std::string ffmpegFolder;   // as tried, with or without a trailing separator
    std::string ffmpegPath;
    std::string ffprobePath;
    std::string ffmpegVersion;  // "" until read, "Unknown" or "Error" when unreadable
};
extern ToolLocation g_tools;

const size_t kMaxPathChars = 259;

bool TryFFmpegFolder(const std::string& folder);
bool LocateFFmpeg();
void ProbeFFmpegVersion();
// The version word of a "-version" banner, "Unknown" when there is none.
std::string ParseVersionBanner(const std::string& banner);
// Path of another tool (such as "ffplay") in the located folder.
std::string ToolPathInFolder(const std::string& base);
