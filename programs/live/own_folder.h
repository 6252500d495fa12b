#pragma once

#include <string>

// Folders that no other user of the machine can change: the live program
// copies packs into its private folder and loads them from there, keeps its
// control socket there and removes what ended sessions left there, so another
// user who could write in it, or who made it or a link in its place, could
// run code as this user or have this user's files removed
// (own_folder_posix.cpp, own_folder_win32.cpp).

// Makes `folder` if it is missing (for this user alone) and checks it and
// every folder above it without following links: the folder and those of
// `ownSteps - 1` levels above it must be this user's own and writable by no
// one else; the ones above those may be the system's too, and writable by
// others only where the system lets each remove only their own entries
// (/tmp). Throws Ombrel::Exception naming the folder and what is wrong.
void MakeOwnFolder(const std::string& folder, int ownSteps = 1);

// True when `entry` is a folder (not a link) that belongs to this user, so
// that a clean-up may remove it.
bool IsOwnFolder(const std::string& entry);

namespace Ombrel::Tools {

// The folder that holds the private folders of this user's sessions: in the
// user's runtime folder where there is one (XDG_RUNTIME_DIR), else in the
// system's folder for temporary files. It is checked before it is used
// (MakeOwnFolder).
std::string PrivateRoot();

}  // namespace Ombrel::Tools
