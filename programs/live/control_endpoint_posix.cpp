#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "programs/live/control_endpoint.h"
#include "programs/live/socket_peer_posix.h"

namespace Ombrel::Live {

namespace {

bool Address(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (name.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    return true;
}

// The longest path a socket's address holds (its last byte ends the text).
const std::size_t LongestPath = sizeof(sockaddr_un::sun_path) - 1;

class SocketConnection final : public ControlConnection {
public:
    explicit SocketConnection(int opened) : socket(opened) {}
    ~SocketConnection() override { close(socket); }

protected:
    std::size_t Receive(char* buffer, std::size_t size) override {
        for (;;) {
            ssize_t got = recv(socket, buffer, size, 0);
            if (got < 0 && errno == EINTR) continue;
            return got > 0 ? static_cast<std::size_t>(got) : 0;
        }
    }

    std::size_t Send(const char* data, std::size_t size) override {
        for (;;) {
            ssize_t sent = send(socket, data, size, MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR) continue;
            return sent > 0 ? static_cast<std::size_t>(sent) : 0;
        }
    }

private:
    int socket;
};

class SocketListener final : public ControlListener {
public:
    SocketListener(int opened, std::string path) : socket(opened), name(std::move(path)) {}
    ~SocketListener() override {
        close(socket);
        unlink(name.c_str());
    }

    std::unique_ptr<ControlConnection> Accept() override {
        for (;;) {
            int client = accept4(socket, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                if (errno != EINTR && errno != ECONNABORTED) return nullptr;
                continue;
            }
            std::string refused = RefusedPeer(client, getuid());
            if (refused.empty())
                return std::unique_ptr<ControlConnection>(new SocketConnection(client));
            // One line that says why, never waited on, and the next client.
            std::string line = "error: " + refused + "\n";
            ssize_t ignored = send(client, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            (void)ignored;
            close(client);
        }
    }

private:
    int socket;
    std::string name;
};

}  // namespace

std::string ControlEndpointName(const std::string& privateFolder, int) {
    return privateFolder + "/control";
}

std::unique_ptr<ControlListener> ListenForControl(const std::string& name, bool,
                                                  std::string& error) {
    sockaddr_un address;
    if (!Address(name, address)) {
        error = "the socket path " + name + " is " + std::to_string(name.size()) +
                " characters long, more than the " + std::to_string(LongestPath) +
                " a socket's path can hold";
        return nullptr;
    }
    int listening = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // A socket left by the process before this one, in the same session.
    unlink(name.c_str());
    // Only this user may connect: the mode is set before anyone can.
    if (listening < 0 ||
        bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        chmod(name.c_str(), S_IRUSR | S_IWUSR) != 0 || listen(listening, 8) != 0) {
        error = "cannot listen at " + name + ": " + std::strerror(errno);
        if (listening >= 0) close(listening);
        return nullptr;
    }
    return std::unique_ptr<ControlListener>(new SocketListener(listening, name));
}

std::string RefusedPeer(int socket, uid_t owner) {
    struct ucred peer;
    socklen_t size = sizeof peer;
    if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return std::string("refused: the client's user cannot be told: ") + std::strerror(errno);
    if (peer.uid == owner) return "";
    return "refused: user " + std::to_string(peer.uid) +
           " may not control the live session of user " + std::to_string(owner);
}

bool ControlEndpointExists(const std::string& name) {
    struct stat status;
    return lstat(name.c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

std::unique_ptr<ControlConnection> ConnectToControl(const std::string& name) {
    sockaddr_un address;
    if (!Address(name, address)) return nullptr;
    int client = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0) return nullptr;
    if (connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(client);
        return nullptr;
    }
    return std::unique_ptr<ControlConnection>(new SocketConnection(client));
}

}  // namespace Ombrel::Live
