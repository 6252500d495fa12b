#include "programs/live/user_only_win32.h"

#include <sddl.h>

#include <vector>

#include "foundation/exception.h"

namespace Ombrel::Live {

namespace {

// One piece of the process's token (TokenUser, TokenOwner); empty when it
// cannot be read.
std::vector<BYTE> TokenPart(TOKEN_INFORMATION_CLASS part) {
    HANDLE token = nullptr;
    std::vector<BYTE> bytes;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return bytes;
    DWORD size = 0;
    GetTokenInformation(token, part, nullptr, 0, &size);
    bytes.resize(size);
    if (size == 0 || !GetTokenInformation(token, part, bytes.data(), size, &size)) bytes.clear();
    CloseHandle(token);
    return bytes;
}

}  // namespace

std::string CurrentUserSid() {
    std::vector<BYTE> user = TokenPart(TokenUser);
    if (user.empty()) return "";
    char* text = nullptr;
    if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &text))
        return "";
    std::string sid = text;
    LocalFree(text);
    return sid;
}

bool IsCurrentUser(PSID owner) {
    if (owner == nullptr || !IsValidSid(owner)) return false;
    std::vector<BYTE> user = TokenPart(TokenUser);
    if (!user.empty() && EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid))
        return true;
    std::vector<BYTE> made = TokenPart(TokenOwner);
    return !made.empty() && EqualSid(owner, reinterpret_cast<TOKEN_OWNER*>(made.data())->Owner);
}

UserOnlySecurity::UserOnlySecurity() {
    std::string sid = CurrentUserSid();
    if (sid.empty())
        throw Ombrel::Exception("Cannot tell this process's user (error %lu)", GetLastError());
    // Protected (no access inherited from above), full access for the user
    // alone, handed on to what is made inside a folder.
    std::string text = "D:P(A;OICI;FA;;;" + sid + ")";
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(text.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        throw Ombrel::Exception("Cannot make the security descriptor %s (error %lu)", text.c_str(),
                                GetLastError());
    }
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = descriptor;
    attributes.bInheritHandle = FALSE;
}

UserOnlySecurity::~UserOnlySecurity() {
    LocalFree(descriptor);
}

}  // namespace Ombrel::Live
