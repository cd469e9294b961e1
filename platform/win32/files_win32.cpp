// Files, folders and the temporary folder on Win32 (ANSI calls).
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include "platform/platform.h"

namespace plat {

char PathSeparator() { return '\\'; }

std::string TempFolder() {
    char buffer[MAX_PATH];  // 260
    DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n >= MAX_PATH) return std::string(".\\");
    std::string folder(buffer, n);
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
    return folder;
}

std::string NullDevice() { return "NUL"; }

std::string ToolFileName(const std::string& base) { return base + ".exe"; }

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int64_t FileSize64(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

bool CopyFileOver(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool DeleteFilePath(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool MakeDirectory(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0 || IsDirectory(path); }

bool RemoveDirectoryPath(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool SearchFolder(const std::string& folder, const std::string& pattern, std::vector<FolderEntry>& entries) {
    entries.clear();
    std::string query = folder;
    if (!query.empty() && query.back() != '\\' && query.back() != '/') query += '\\';
    query += pattern;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(query.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        entries.push_back(FolderEntry{found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
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
    // Text mode: the C runtime writes every "\n" as CR LF.
    FILE* f = fopen(path.c_str(), "w");
    if (!f) return false;
    bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    if (fclose(f) != 0) ok = false;
    return ok;
}

}  // namespace plat
