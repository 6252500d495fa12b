#pragma once

#include <string>
#include <vector>

// Fields on one line of text and back: separated by tabs, with a tab, line
// break or backslash inside a field escaped, so that any path and any message
// fit on the line. The records a child process sends to the program that
// started it are written so.
std::string EncodeRecord(const std::vector<std::string>& fields);
// Any line, whatever wrote it, gives at least one field.
std::vector<std::string> DecodeRecord(const std::string& line);
