#pragma once

#include <windows.h>

#include <string>

namespace Ombrel::Live {

// Security for what the live program makes for its user alone on Windows:
// its private folder and its control pipe. The descriptor grants this user
// full access and no one else any; it is made from the user's SID, which
// the process's token names.
class UserOnlySecurity {
public:
    // Throws Ombrel::Exception when the token or the descriptor cannot be had.
    UserOnlySecurity();
    ~UserOnlySecurity();
    UserOnlySecurity(const UserOnlySecurity&) = delete;
    UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return &attributes; }

private:
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes;
};

// Whether `owner` is this process's user, or the owner its token gives what
// it makes (an administrator's files may belong to the Administrators group).
bool IsCurrentUser(PSID owner);

// The SID of this process's user as text ("S-1-5-21-..."); empty when the
// token cannot be read.
std::string CurrentUserSid();

}  // namespace Ombrel::Live
