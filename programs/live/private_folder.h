#pragma once

#include <string>
#include <vector>

namespace Ombrel::Live {

// The session's private folder, where every version of a pack is copied to a
// name of its own that is never used again ("Vantrope.3.so"), so that the file
// a build writes is never the one loaded: the next build can overwrite it,
// on Windows too. Each session has one folder, named for the process that
// made it, under the user's root; folders of sessions that no longer run are
// removed when the next one starts.
class PrivateFolder {
public:
    // Takes up the folder `path` (made if missing), once it and the root
    // above it are checked to be this user's alone (own_folder.h). Throws
    // Ombrel::Exception naming the folder and what is wrong with it.
    explicit PrivateFolder(std::string path);

    // Makes the folder of a new session (named for `session`, a process id)
    // under `root`, after removing those of this user's whose process has
    // ended. Throws Ombrel::Exception naming the folder that cannot be made
    // or that another user could change.
    static std::string Make(const std::string& root, int session);

    const std::string& Path() const { return path; }

    // Makes the folder again, with the checks it was made with, when someone
    // has removed it while the session runs; true when it did. Throws
    // Ombrel::Exception naming the folder that cannot be made or is unsafe
    // (a link or a file put in its place).
    bool MakeAgainIfMissing() const;

    // Copies `source` to the copy of `version`: "<stem>.<version><ext>" of
    // the file's name. Throws Ombrel::Exception naming the file that cannot
    // be read or written.
    std::string Copy(const std::string& source, int version) const;
    // The name the copy of `source`'s version would have.
    std::string CopyName(const std::string& source, int version) const;

    // Removes the file; a file still in use stays (Windows) and is removed
    // with the folder.
    static void Remove(const std::string& file);
    // Removes every file except those named in `keep`.
    void RemoveAllBut(const std::vector<std::string>& keep) const;
    // Removes the folder with what it holds.
    void RemoveFolder() const;
    // How many files (copies) it holds.
    int CountFiles() const;

private:
    std::string path;
};

}  // namespace Ombrel::Live
