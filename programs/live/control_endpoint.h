#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace Ombrel::Live {

// The local endpoint of the control channel: a Unix socket in the session's
// private folder (control_endpoint_posix.cpp) or a named pipe
// (control_endpoint_win32.cpp). A connection carries lines of text both ways:
// the backend moves the bytes, control_endpoint.cpp makes them into lines.

class ControlConnection {
public:
    virtual ~ControlConnection() = default;
    // The next line without its line break; false once the other side has
    // gone, or has sent more than 64 KiB without a line break.
    bool ReadLine(std::string& line);
    bool WriteLine(const std::string& line);

protected:
    // The backend's side: waits for bytes and stores up to `size` of them;
    // 0 once the other side has gone or the connection has failed.
    virtual std::size_t Receive(char* buffer, std::size_t size) = 0;
    // Sends some of the `size` bytes; how many, 0 when it has failed.
    virtual std::size_t Send(const char* data, std::size_t size) = 0;

private:
    std::string pending;  // received, not yet taken as a line
};

class ControlListener {
public:
    virtual ~ControlListener() = default;
    // Waits for the next client; null when the endpoint has failed.
    virtual std::unique_ptr<ControlConnection> Accept() = 0;
};

// The endpoint's name for the session whose private folder and process id
// are given: a socket's path in the folder, or a pipe's name with a random
// part. Throws Ombrel::Exception when no name can be made.
std::string ControlEndpointName(const std::string& privateFolder, int session);

// Starts listening at the endpoint, for this user alone: a socket of mode
// 0600 that refuses clients of other users, a pipe whose security admits
// this user alone and no remote client. `firstOfSession`: the session's
// first process, whose pipe must be new (a process started again after a
// crash finds the name left by the one before). Null, with `error` set,
// when it cannot.
std::unique_ptr<ControlListener> ListenForControl(const std::string& name, bool firstOfSession,
                                                  std::string& error);

// Whether the endpoint is still there to connect to: a socket's file can be
// removed under a session that listens at it; a pipe cannot.
bool ControlEndpointExists(const std::string& name);

// Connects to the endpoint; null when nothing listens there (yet).
std::unique_ptr<ControlConnection> ConnectToControl(const std::string& name);

}  // namespace Ombrel::Live
