#pragma once

#include <string>

namespace Ombrel::Live {

// What the timeline page's server lets through, apart from the HTTP it
// speaks (timeline_server.cpp): the server listens on the loopback address
// alone, yet any process of the machine, and any web page the user's browser
// shows, can reach that. So every request must carry the session's random
// token (in the address or in the cookie the page's first load sets), name
// this server in its Host header (a foreign name is a page that rebound its
// own name to 127.0.0.1), and a command must come from the page's own origin
// (another page may send a POST, though it cannot read the answer).

// The parts of a request the gate looks at; empty when absent.
struct PageRequest {
    std::string method;  // "GET", "POST", ...
    std::string target;  // "/events?token=..."
    std::string host;
    std::string origin;
    std::string cookie;
};

// Where a request that is let through goes.
enum class PageRoute { Page, Script, Style, Events, Command, Peaks };

struct PageVerdict {
    int status = 403;  // 200: let through, 403 refused, 404 no such page, 405 wrong method
    PageRoute route = PageRoute::Page;
    std::string reason;  // why it was refused, for the answer's body
};

class PageGate {
public:
    PageGate(std::string token, int port);

    PageVerdict Check(const PageRequest& request) const;
    // The cookie that carries the token for the page's later requests, as
    // a Set-Cookie value. Its name holds the port: browsers share cookies
    // between the ports of one host, and two sessions may run at once.
    std::string Cookie() const;
    std::string Address() const;  // http://127.0.0.1:PORT/?token=TOKEN

private:
    bool HasToken(const PageRequest& request) const;

    std::string token;
    int port;
};

// The command line a POST's body carries: the text, without one line break
// at its end. Throws Ombrel::Exception for an empty body, or one holding a
// line break or another control character, which would reach the session's
// line-based channel as a second command or as garbage.
std::string CommandLineOfBody(const std::string& body);

}  // namespace Ombrel::Live
