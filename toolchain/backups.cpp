// Recently opened files, the undo stack of backups, and output names.
#include "toolchain/backups.h"
#include <cstring>
#include "host/host_state.h"
#include "host/teardown.h"
#include "host/text_util.h"
#include "platform/platform.h"
#include "toolchain/tool_location.h"

BackupStack g_backups = {};
RecentFiles g_recent = {};

void AddRecentFile(const char* path) {
    if (!path || !*path) return;
    std::string entry = CutTo(path, kMaxPathChars + 1);
    for (int i = 0; i < g_recent.count; ++i) {
        if (EqualsNoCase(g_recent.entries[i], entry)) {
            for (int j = i; j + 1 < g_recent.count; ++j) g_recent.entries[j] = g_recent.entries[j + 1];
            --g_recent.count;
            break;
        }
    }
    int keep = g_recent.count < kMaxRecentFiles - 1 ? g_recent.count : kMaxRecentFiles - 1;
    for (int j = keep; j > 0; --j) g_recent.entries[j] = g_recent.entries[j - 1];
    g_recent.entries[0] = entry;
    g_recent.count = keep + 1;
    for (int i = 1; i <= kMaxRecentFiles; ++i)
        SetHostVar(Fmt("[QMT_Recent%d]", i), i <= g_recent.count ? g_recent.entries[i - 1] : std::string());
    SetHostVar("[QMT_RecentCount]", Fmt("%d", g_recent.count));
}

std::string SmartOutputName(const std::string& input, const std::string& suffix, const std::string& extension) {
    size_t slash = input.find_last_of('\\');
    if (slash == std::string::npos) slash = input.find_last_of('/');
    std::string fileName = slash == std::string::npos ? input : input.substr(slash + 1);
    std::string folder = slash == std::string::npos ? std::string() : input.substr(0, slash + 1);
    size_t dot = fileName.find_last_of('.');
    int baseLen = static_cast<int>(dot == std::string::npos ? fileName.size() : dot);
    return CutTo(Fmt("%s%.*s_%s.%s", folder.c_str(), baseLen, fileName.c_str(), suffix.c_str(), extension.c_str()),
                 kMaxPathChars + 1);
}

void ClearRecentFiles() { g_recent = RecentFiles(); }

void ClearBackupStack() {
    for (int i = 0; i < g_backups.count; ++i) plat::DeleteFilePath(g_backups.entries[i]);
    g_backups.count = 0;
    if (!g_backups.backupFolder.empty()) plat::RemoveDirectoryPath(g_backups.backupFolder);
}
