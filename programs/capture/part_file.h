#pragma once

#include <string>

// An output file written under a temporary name beside its final one
// ("<name>.part"), so that a failed or abandoned run leaves the final name
// untouched. A file that several processes may write at once, on one machine
// or on several that share the folder, takes a temporary name of its own
// ("<name>.<host>-<process>.part"); the last to finish replaces the file
// whole. Destroying it uncommitted removes the temporary file, and so does
// the program's end by exit().
class PartFile {
public:
    explicit PartFile(const std::string& finalPath);
    // With `ownName`, the temporary file's name is this process's own.
    PartFile(const std::string& finalPath, bool ownName);
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    const std::string& Path() const { return path; }
    const std::string& PartPath() const { return partPath; }

    // Renames the temporary file to the final name, replacing what was
    // there. Throws naming the file when it cannot.
    void Commit();

private:
    std::string path;
    std::string partPath;
    bool committed;
};
