#include "toolchain/work_files.h"
#include <algorithm>
#include "platform/platform.h"

WorkFiles::WorkFiles(const std::string& folder) : folder(folder) {
    if (!folder.empty()) plat::MakeDirectory(folder);
}

WorkFiles::~WorkFiles() {
    for (const std::string& path : made_) plat::DeleteFilePath(path);
    if (!folder.empty()) plat::RemoveDirectoryPath(folder);
}

std::string WorkFiles::Path(const std::string& name) {
    std::string path = (folder.empty() ? plat::TempFolder() : folder) + name;
    if (std::find(made_.begin(), made_.end(), path) == made_.end()) made_.push_back(path);
    return path;
}

void WorkFiles::Drop(const std::string& path) { plat::DeleteFilePath(path); }
