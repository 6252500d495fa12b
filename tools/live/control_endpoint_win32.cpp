#include <windows.h>

#include "tools/live/control_endpoint.h"

namespace {

const DWORD BufferBytes = 4096;

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
    explicit PipeListener(std::string pipeName) : name(std::move(pipeName)) {}

    // One instance of the pipe per client, made when the one before is taken.
    std::unique_ptr<ControlConnection> Accept() override {
        HANDLE pipe = CreateNamedPipeA(
            name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT,
            PIPE_UNLIMITED_INSTANCES, BufferBytes, BufferBytes, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) return nullptr;
        if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) {
            CloseHandle(pipe);
            return nullptr;
        }
        return std::unique_ptr<ControlConnection>(new PipeConnection(pipe, true));
    }

private:
    std::string name;
};

}  // namespace

std::string ControlEndpointName(const std::string&, int session) {
    return "\\\\.\\pipe\\ombrel-live-" + std::to_string(session);
}

std::unique_ptr<ControlListener> ListenForControl(const std::string& name, std::string&) {
    return std::unique_ptr<ControlListener>(new PipeListener(name));
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
