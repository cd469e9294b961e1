// The temporary files of one job and their one clean-up. A job names every
// file it makes through its record; when the record goes out of scope, on
// whatever path the job ends, those files are deleted and the job's folder
// is removed. Nothing is deleted by guessing which names an earlier step or an
// earlier run may have used.
#pragma once
#include <string>
#include <vector>

struct WorkFiles {
    // `folder` is the job's own folder (made here, removed at the end), or ""
    // for files that sit directly in the temporary folder.
    explicit WorkFiles(const std::string& folder);
    // Files that sit directly in the temporary folder.
    WorkFiles() : WorkFiles(std::string()) {}
    ~WorkFiles();
    WorkFiles(const WorkFiles&) = delete;
    WorkFiles& operator=(const WorkFiles&) = delete;

    // The path of `name` in the job's folder (or the temporary folder),
    // recorded for the clean-up.
    std::string Path(const std::string& name);
    // Deletes one file now, for a step whose input is no longer needed.
    void Drop(const std::string& path);

    std::string folder;

private:
    std::vector<std::string> made_;
};
