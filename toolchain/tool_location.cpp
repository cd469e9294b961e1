// Finding the folder that holds ffmpeg and ffprobe.
#include "toolchain/tool_location.h"
#include <cstring>
#include "host/host_state.h"
#include "host/teardown.h"
#include "platform/platform.h"
#include "toolchain/command_builder.h"
#include "toolchain/process_runner.h"

ToolLocation g_tools = {false, "", "", "", ""};

void ForgetToolLocation() { g_tools = ToolLocation{false, "", "", "", ""}; }

std::string ToolPathInFolder(const std::string& base) {
    const std::string& folder = g_tools.ffmpegFolder;
    char sep = plat::PathSeparator();
    std::string name = plat::ToolFileName(base);
    if (!folder.empty() && folder.back() == sep) return folder + name;
    return folder + sep + name;
}

bool TryFFmpegFolder(const std::string& folder) {
    char sep = plat::PathSeparator();
    std::string prefix = (!folder.empty() && folder.back() == sep) ? folder : folder + sep;
    std::string ffmpeg = prefix + plat::ToolFileName("ffmpeg");
    std::string ffprobe = prefix + plat::ToolFileName("ffprobe");
    if (folder.size() > kMaxPathChars || ffmpeg.size() > kMaxPathChars || ffprobe.size() > kMaxPathChars)
        return false;
    if (!plat::FileExists(ffmpeg)) return false;
    if (!plat::FileExists(ffprobe)) return false;
    g_tools.ffmpegFolder = folder;
    g_tools.ffmpegPath = ffmpeg;
    g_tools.ffprobePath = ffprobe;
    return true;
}

static bool Accept(const std::string& folder) {
    if (!TryFFmpegFolder(folder)) return false;
    g_tools.ffmpegFound = true;
    return true;
}

bool LocateFFmpeg() {
    if (g_tools.ffmpegFound && plat::FileExists(g_tools.ffmpegPath)) return true;
    if (!g_tools.ffmpegFolder.empty() && Accept(g_tools.ffmpegFolder)) return true;

    const char sep = plat::PathSeparator();
    if (HasGetVariable()) {
        std::string pub = GetHostVar("[PubDir]");
        if (!pub.empty()) {
            // Appended directly: [PubDir] normally ends with a separator.
            const std::string tails[] = {"", "bin", "ffmpeg", std::string("ffmpeg") + sep + "bin"};
            for (const std::string& tail : tails)
                if (Accept(pub + tail)) return true;
        }
    }

    std::string module = plat::ModulePath();
    size_t cut = module.find_last_of(sep);
    if (cut != std::string::npos) {
        std::string folder = module.substr(0, cut);
        const std::string tails[] = {"", std::string(1, sep) + "bin",
                                     std::string(1, sep) + "ffmpeg" + sep + "bin"};
        for (const std::string& tail : tails)
            if (Accept(folder + tail)) return true;
    }

    for (int root = 0; root < 2; ++root) {
        std::string folder;
        if (plat::ReadRegistryString(root, "SOFTWARE\\FFmpeg", "Path", folder) && Accept(folder)) return true;
    }

    std::string path;
    if (plat::GetEnv("PATH", path, 32768)) {
        size_t start = 0;
        const char listSep = plat::PathListSeparator();
        while (start <= path.size()) {
            size_t end = path.find(listSep, start);
            if (end == std::string::npos) end = path.size();
            if (Accept(path.substr(start, end - start))) return true;
            start = end + 1;
        }
    }

    static const char* const kFixed[] = {"C:\\ffmpeg\\bin", "C:\\ffmpeg", "C:\\Program Files\\ffmpeg\\bin",
                                         "C:\\Program Files (x86)\\ffmpeg\\bin", "C:\\Tools\\ffmpeg\\bin"};
    for (const char* folder : kFixed)
        if (Accept(folder)) return true;
    return false;
}

ToolPaths LocatedToolPaths() {
    if (!g_tools.ffmpegFound && !LocateFFmpeg()) return ToolPaths();
    return ToolPaths{g_tools.ffmpegPath, g_tools.ffprobePath};
}

std::string ParseVersionBanner(const std::string& banner) {
    size_t at = banner.find("version ");
    if (at == std::string::npos) return "Unknown";
    size_t start = at + 8;
    size_t end = banner.find_first_of(" \r\n", start);
    if (end == std::string::npos) end = banner.size();
    size_t len = end - start;
    if (len == 0 || len > 126) return "Unknown";
    return banner.substr(start, len);
}

void ProbeFFmpegVersion() {
    plat::ChildProcess child;
    if (!plat::StartHidden(BuildCommand("\"%s\" -version", {{"Tool", g_tools.ffmpegPath}}).text, child)) {
        g_tools.ffmpegVersion = "Error";
        return;
    }
    char buffer[4096];
    memset(buffer, 0, sizeof buffer);
    long n = plat::ReadPipe(child, buffer, 4095);
    if (n < 0) buffer[0] = 0;
    plat::WaitExit(child, 5000);
    plat::CloseChild(child);
    g_tools.ffmpegVersion = ParseVersionBanner(buffer);
}
