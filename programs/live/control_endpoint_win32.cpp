#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <cstdio>

#include "foundation/exception.h"
#include "programs/live/control_endpoint.h"
#include "programs/live/user_only_win32.h"

namespace Ombrel::Live {

namespace {

const DWORD BufferBytes = 4096;

// A part of the pipe's name that no one can guess, so that no one can take
// the name before the session does.
std::string RandomPart() {
    unsigned char bytes[16];
    if (BCryptGenRandom(nullptr, bytes, sizeof bytes, BCRYPT_USE_SYSTEM_PREFERRED_RNG) != 0)
        throw Ombrel::Exception("Cannot name the control pipe: no random numbers to be had");
    std::string text;
    for (unsigned char byte : bytes) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        text += hex;
    }
    return text;
}

class PipeConnection final : public ControlConnection {
public:
    PipeConnection(HANDLE opened, bool server) : pipe(opened), serverSide(server) {}
    ~PipeConnection() override {
        if (serverSide) DisconnectNamedPipe(pipe);
        CloseHandle(pipe);
    }

protected:
    std::size_t Receive(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
        return got;
    }

    std::size_t Send(const char* data, std::size_t size) override {
        DWORD written = 0;
        if (!WriteFile(pipe, data, static_cast<DWORD>(size), &written, nullptr)) return 0;
        return written;
    }

private:
    HANDLE pipe;
    bool serverSide;
};

class PipeListener final : public ControlListener {
public:
    // The session's first instance must be the pipe's first: one made by
    // anyone else before it makes this throw.
    PipeListener(std::string pipeName, bool firstOfSession) : name(std::move(pipeName)) {
        waiting = Instance(firstOfSession ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
        if (waiting == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            throw Ombrel::Exception("Cannot make the control pipe %s (error %lu%s)", name.c_str(),
                                    error,
                                    error == ERROR_ACCESS_DENIED ? ": another process has it" : "");
        }
    }
    ~PipeListener() override {
        if (waiting != INVALID_HANDLE_VALUE) CloseHandle(waiting);
    }

    // One instance of the pipe per client, made when the one before is taken.
    std::unique_ptr<ControlConnection> Accept() override {
        HANDLE pipe = waiting != INVALID_HANDLE_VALUE ? waiting : Instance(0);
        waiting = INVALID_HANDLE_VALUE;
        if (pipe == INVALID_HANDLE_VALUE) return nullptr;
        if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) {
            CloseHandle(pipe);
            return nullptr;
        }
        return std::unique_ptr<ControlConnection>(new PipeConnection(pipe, true));
    }

private:
    // An instance for this user alone and for this machine alone.
    HANDLE Instance(DWORD flags) {
        return CreateNamedPipeA(
            name.c_str(), PIPE_ACCESS_DUPLEX | flags,
            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
            PIPE_UNLIMITED_INSTANCES, BufferBytes, BufferBytes, 0, security.Attributes());
    }

    std::string name;
    UserOnlySecurity security;
    HANDLE waiting = INVALID_HANDLE_VALUE;
};

}  // namespace

std::string ControlEndpointName(const std::string&, int session) {
    return "\\\\.\\pipe\\ombrel-live-" + std::to_string(session) + "-" + RandomPart();
}

std::unique_ptr<ControlListener> ListenForControl(const std::string& name, bool firstOfSession,
                                                  std::string& error) {
    try {
        return std::unique_ptr<ControlListener>(new PipeListener(name, firstOfSession));
    } catch (const Ombrel::Exception& e) {
        error = e.message;
        return nullptr;
    }
}

bool ControlEndpointExists(const std::string&) {
    return true;
}

std::unique_ptr<ControlConnection> ConnectToControl(const std::string& name) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        HANDLE pipe = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (pipe != INVALID_HANDLE_VALUE)
            return std::unique_ptr<ControlConnection>(new PipeConnection(pipe, false));
        if (GetLastError() != ERROR_PIPE_BUSY || !WaitNamedPipeA(name.c_str(), 1000)) break;
    }
    return nullptr;
}

}  // namespace Ombrel::Live
