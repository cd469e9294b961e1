// Files, folders and the temporary folder on POSIX.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include "platform/platform.h"

namespace plat {

char PathSeparator() { return '/'; }

std::string TempFolder() {
    // Read on every call, as GetTempPathA reads TMP each time.
    const char* dir = getenv("TMPDIR");
    std::string folder = (dir && *dir) ? dir : "/tmp";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string NullDevice() { return "/dev/null"; }

std::string ToolFileName(const std::string& base) { return base; }

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool IsDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

int64_t FileSize64(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_size);
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    FILE* in = fopen(from.c_str(), "rb");
    if (!in) return false;
    FILE* out = fopen(to.c_str(), "wb");
    if (!out) {
        fclose(in);
        return false;
    }
    char buf[65536];
    size_t n;
    bool ok = true;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0)
        if (fwrite(buf, 1, n, out) != n) { ok = false; break; }
    fclose(in);
    if (fclose(out) != 0) ok = false;
    return ok;
}

bool DeleteFilePath(const std::string& path) { return unlink(path.c_str()) == 0; }

bool MakeDirectory(const std::string& path) { return mkdir(path.c_str(), 0777) == 0 || IsDirectory(path); }

bool RemoveDirectoryPath(const std::string& path) { return rmdir(path.c_str()) == 0; }

bool SearchFolder(const std::string& folder, const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return false;
    std::string base = folder;
    if (!base.empty() && base.back() != '/') base += '/';
    while (dirent* e = readdir(dir)) {
        if (fnmatch(pattern.c_str(), e->d_name, FNM_CASEFOLD) != 0) continue;
        // A dangling link names nothing that could be opened.
        if (!PathExists(base + e->d_name)) continue;
        entries.push_back(FolderEntry{e->d_name, IsDirectory(base + e->d_name)});
    }
    closedir(dir);
    return !entries.empty();
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& pattern) {
    std::vector<FolderEntry> entries;
    std::vector<std::string> names;
    SearchFolder(folder, pattern, entries);
    for (const FolderEntry& e : entries)
        if (!e.directory) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return false;
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    if (fclose(f) != 0) ok = false;
    return ok;
}

}  // namespace plat
