// Configuration actions (FFmpeg location and version), undo and output names.
#include "host/dispatch.h"
#include "host/host_state.h"
#include "host/messages.h"
#include "host/report.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "toolchain/backups.h"
#include "toolchain/tool_location.h"

void RegisterMediaInfoActions();

static void PublishLocation() {
    SetHostVar("[QMT_FFmpegPath]", g_tools.ffmpegFolder);
    SetHostVar("[QMT_FFmpegVersion]", g_tools.ffmpegVersion);
}

static void SetFFmpegPath(const ActionArgs& a) {
    ReportStart();
    std::string path = a.text(0);
    std::string sep(1, plat::PathSeparator());
    bool found = TryFFmpegFolder(path) || TryFFmpegFolder(path + sep + "bin") ||
                 TryFFmpegFolder(path + sep + "ffmpeg" + sep + "bin") || LocateFFmpeg();
    if (!found) {
        ReportError(msg::kFFmpegNotFoundAnywhere);
        return;
    }
    g_tools.ffmpegFound = true;
    ProbeFFmpegVersion();
    PublishLocation();
    ReportComplete();
}

static void GetFFmpegPath(const ActionArgs& a) {
    bool found = g_tools.ffmpegFound || LocateFFmpeg();
    if (found) SetHostVar("[QMT_FFmpegPath]", g_tools.ffmpegFolder);
    SetHostVar(a.text(0), found ? g_tools.ffmpegFolder : std::string());
}

// Follows the version in QMT_GetVersion's answer, so an author can compare
// the two; the version stays the first word.
static const char kSupportedFFmpeg[] = " (FFmpeg 4.1 to 7.1; transitions need 4.3+)";

static void GetVersion(const ActionArgs& a) {
    bool found = g_tools.ffmpegFound || LocateFFmpeg();
    if (found) {
        if (g_tools.ffmpegVersion.empty()) ProbeFFmpegVersion();
        SetHostVar("[QMT_FFmpegVersion]", g_tools.ffmpegVersion);
    }
    const std::string& version = g_tools.ffmpegVersion;
    SetHostVar(a.text(0), version.empty() ? version : version + kSupportedFFmpeg);
}

static void DetectFFmpeg(const ActionArgs& a) {
    g_tools.ffmpegFound = false;
    g_tools.ffmpegFolder.clear();
    bool found = LocateFFmpeg();
    if (found) {
        ProbeFFmpegVersion();
        PublishLocation();
    }
    SetHostVar(a.text(0), found ? "True" : "False");
}

static void Undo(const ActionArgs& a) {
    if (g_backups.count <= 0) {
        SetHostVar(a.text(1), "");
        ReportStatusWord(msg::kNothingToUndo);
        return;
    }
    --g_backups.count;
    const std::string& backup = g_backups.entries[g_backups.count];
    std::string target = a.text(0);
    if (plat::CopyFileOver(backup, target)) {
        SetHostVar(a.text(1), target);
        ReportStatusWord(msg::kUndoSuccessful);
        plat::DeleteFilePath(backup);
    } else {
        SetHostVar(a.text(1), "");
        ReportStatusWord(msg::kUndoFailed);
    }
    SetHostVar("[QMT_UndoCount]", Fmt("%d", g_backups.count));
}

static void SmartOutput(const ActionArgs& a) {
    SetHostVar("[OutputFile]", SmartOutputName(a.text(0), a.text(1), a.text(2)));
}

void RegisterToolchainActions() {
    RegisterAction(1, SetFFmpegPath);
    RegisterAction(2, GetFFmpegPath);
    RegisterAction(3, GetVersion);
    RegisterAction(4, DetectFFmpeg);
    RegisterMediaInfoActions();
    RegisterAction(161, Undo);
    RegisterAction(162, SmartOutput);
}
