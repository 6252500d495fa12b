#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>

#include <filesystem>
#include <vector>

#include "foundation/exception.h"
#include "programs/live/own_folder.h"
#include "programs/live/user_only_win32.h"

using namespace Ombrel::Live;

namespace {

[[noreturn]] void Unsafe(const std::string& folder, const std::string& what) {
    throw Ombrel::Exception("Unsafe private folder %s: %s", folder.c_str(), what.c_str());
}

// What is wrong with a folder of this user's own, or "" when nothing is.
std::string Fault(const std::string& step) {
    DWORD attributes = GetFileAttributesA(step.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return step + " cannot be read (error " + std::to_string(GetLastError()) + ")";
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return step + " is a link (a reparse point)";
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return step + " is not a folder";
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    DWORD read = GetNamedSecurityInfoA(step.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                                       &owner, nullptr, nullptr, nullptr, &descriptor);
    if (read != ERROR_SUCCESS)
        return "the owner of " + step + " cannot be read (error " + std::to_string(read) + ")";
    bool mine = IsCurrentUser(owner);
    LocalFree(descriptor);
    if (!mine) return step + " belongs to another user, not to " + CurrentUserSid();
    return "";
}

}  // namespace

void MakeOwnFolder(const std::string& folder, int ownSteps) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(folder, error).lexically_normal();
    if (error) Unsafe(folder, error.message());
    // The folders of this user's own, the outermost first; those above them
    // are the system's or the user's profile.
    std::vector<std::filesystem::path> own;
    for (int i = 0; i < ownSteps && path.has_relative_path(); ++i) {
        own.insert(own.begin(), path);
        path = path.parent_path();
    }
    UserOnlySecurity security;
    for (const std::filesystem::path& step : own) {
        std::string name = step.string();
        // Made for this user alone; one that was there must be theirs.
        if (!CreateDirectoryA(name.c_str(), security.Attributes()) &&
            GetLastError() != ERROR_ALREADY_EXISTS) {
            Unsafe(folder,
                   "cannot make " + name + " (error " + std::to_string(GetLastError()) + ")");
        }
        std::string fault = Fault(name);
        if (!fault.empty()) Unsafe(folder, fault);
    }
}

bool IsOwnFolder(const std::string& entry) {
    return Fault(entry).empty();
}

std::string Ombrel::Tools::PrivateRoot() {
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) temporary = ".";
    return (temporary / "ombrel-live").string();
}
