// Where the FFmpeg tools are, found once and kept for the plug-in's life.
#pragma once
#include <string>

// Host's thread only: located there (which may ask the host for [PubDir])
// and rewritten there by QMT_SetFFmpegPath and QMT_DetectFFmpeg. A worker
// thread never reads it; it runs the ToolPaths copied for it when it started.
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

// The two tools a worker thread runs, copied on the host's thread.
struct ToolPaths {
    std::string ffmpeg;   // "" when no folder holds the tools
    std::string ffprobe;
    bool located() const { return !ffmpeg.empty(); }
};
// Locates the tools first when they have not been found; host's thread only.
ToolPaths LocatedToolPaths();
void ProbeFFmpegVersion();
// The version word of a "-version" banner, "Unknown" when there is none.
std::string ParseVersionBanner(const std::string& banner);
// Path of another tool (such as "ffplay") in the located folder.
std::string ToolPathInFolder(const std::string& base);
