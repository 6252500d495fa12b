#include "programs/live/page_gate.h"

#include <cctype>

#include "foundation/exception.h"

namespace Ombrel::Live {

namespace {

// Compares the whole of both, whatever differs first, so that the time of
// a refusal does not tell how much of a guessed token was right.
bool SameSecret(const std::string& given, const std::string& secret) {
    // The length is no secret: every token has 32 digits.
    if (given.size() != secret.size() || secret.empty()) return false;
    unsigned char differ = 0;
    for (std::size_t i = 0; i < secret.size(); ++i)
        differ |= static_cast<unsigned char>(given[i] ^ secret[i]);
    return differ == 0;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The value of `name` among "a=1&b=2" or "a=1; b=2" pairs; false when absent.
bool FindPair(const std::string& pairs, char separator, const std::string& name,
              std::string& value) {
    std::size_t at = 0;
    while (at <= pairs.size()) {
        std::size_t end = pairs.find(separator, at);
        if (end == std::string::npos) end = pairs.size();
        std::string pair = pairs.substr(at, end - at);
        std::size_t first = pair.find_first_not_of(' ');
        if (first != std::string::npos) pair.erase(0, first);
        if (pair.compare(0, name.size() + 1, name + "=") == 0) {
            value = pair.substr(name.size() + 1);
            return true;
        }
        at = end + 1;
    }
    return false;
}

PageVerdict Refuse(int status, const std::string& reason) {
    PageVerdict verdict;
    verdict.status = status;
    verdict.reason = reason;
    return verdict;
}

}  // namespace

PageGate::PageGate(std::string secret, int ownPort) : token(std::move(secret)), port(ownPort) {}

std::string PageGate::Cookie() const {
    return "ombrel-live-" + std::to_string(port) + "=" + token +
           "; Path=/; HttpOnly; SameSite=Strict";
}

std::string PageGate::Address() const {
    return "http://127.0.0.1:" + std::to_string(port) + "/?token=" + token;
}

bool PageGate::HasToken(const PageRequest& request) const {
    std::string given;
    std::size_t query = request.target.find('?');
    if (query != std::string::npos &&
        FindPair(request.target.substr(query + 1), '&', "token", given) && SameSecret(given, token))
        return true;
    return FindPair(request.cookie, ';', "ombrel-live-" + std::to_string(port), given) &&
           SameSecret(given, token);
}

PageVerdict PageGate::Check(const PageRequest& request) const {
    std::string host = Lower(request.host);
    std::string ownPort = ":" + std::to_string(port);
    if (host != "127.0.0.1" + ownPort && host != "localhost" + ownPort)
        return Refuse(403, "refused: the Host \"" + request.host + "\" is not this server's");
    if (!HasToken(request)) return Refuse(403, "refused: the request has no valid token");

    struct Path {
        const char* path;
        const char* method;
        PageRoute route;
    };
    static const Path Paths[] = {
        {"/", "GET", PageRoute::Page},
        {"/timeline.js", "GET", PageRoute::Script},
        {"/timeline.css", "GET", PageRoute::Style},
        {"/events", "GET", PageRoute::Events},
        {"/peaks", "GET", PageRoute::Peaks},
        {"/command", "POST", PageRoute::Command},
    };
    std::string path = request.target.substr(0, request.target.find('?'));
    for (const Path& known : Paths) {
        if (path != known.path) continue;
        if (request.method != known.method)
            return Refuse(405, std::string("refused: ") + known.path + " takes " + known.method);
        // The page's own origin is the scheme and the Host it was loaded
        // from, which the check above has already found to be this server.
        if (request.method == "POST" && Lower(request.origin) != "http://" + host)
            return Refuse(403, "refused: a command from the origin \"" + request.origin +
                                   "\", not from the page's own");
        PageVerdict verdict;
        verdict.status = 200;
        verdict.route = known.route;
        return verdict;
    }
    return Refuse(404, "no page " + path);
}

std::string CommandLineOfBody(const std::string& body) {
    std::string line = body;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos)
        throw Ombrel::Exception("timeline command: the request's body holds no command");
    for (char c : line) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t')
            throw Ombrel::Exception(
                "timeline command: the body holds a line break or control character "
                "(one command a request)");
        if (byte == 0x7f) throw Ombrel::Exception("timeline command: the body holds DEL");
    }
    return line;
}

}  // namespace Ombrel::Live
