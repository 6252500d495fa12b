#pragma once

#include <cstddef>
#include <string>

namespace Ombrel::Live {

// Small text files that the session keeps for the author, read whole and
// written so that a reader, or a crash halfway, never sees half a file.

// The file's bytes. False when it does not exist; throws Ombrel::Exception
// naming the file when it cannot be read, is not a regular file or is larger
// than `most` bytes.
bool ReadSmallFile(const std::string& path, std::size_t most, std::string& text);

// Writes `text` to a new file beside `path` and renames it over `path`.
// Throws Ombrel::Exception naming the file when it cannot.
void WriteFileAtomically(const std::string& path, const std::string& text);

}  // namespace Ombrel::Live
