#pragma once

#include <string>

// An output file written under a temporary name beside its final one
// ("<name>.part"), so that a failed or abandoned run leaves the final name
// untouched. Destroying it uncommitted removes the temporary file, and so does
// the program's end by exit().
class PartFile {
public:
    explicit PartFile(const std::string& finalPath);
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
