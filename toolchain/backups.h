// The undo stack of file backups, recently opened files and output names.
#pragma once
#include <string>

const int kMaxBackups = 5;
const int kMaxRecentFiles = 5;

struct BackupStack {
    std::string entries[kMaxBackups];
    int count;
    std::string backupFolder;
};
extern BackupStack g_backups;

struct RecentFiles {
    std::string entries[kMaxRecentFiles];
    int count;
};
extern RecentFiles g_recent;

void AddRecentFile(const char* path);
// "%s%.*s_%s.%s": folder, base name, suffix, extension, cut to 259 characters.
std::string SmartOutputName(const std::string& input, const std::string& suffix, const std::string& extension);
