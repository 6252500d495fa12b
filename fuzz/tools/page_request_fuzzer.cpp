// The timeline page's checks of a request, as any local process or web page
// may send one: the input is the method, target, Host, Origin and Cookie, one
// a line, then the body. Whatever the gate lets through carries this
// session's token, names this server in its Host, and, for a command, comes
// from the page's own origin; a command's body becomes one line with no
// control character, or is refused with a message.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/exception.h"
#include "programs/live/page_gate.h"

using namespace Ombrel::Live;

namespace {

const std::string Token = "00112233445566778899aabbccddeeff";

std::string NextLine(const std::string& text, std::size_t& at) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end < text.size() ? end + 1 : end;
    return line;
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const PageGate Gate(Token, 8080);
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    PageRequest request;
    request.method = NextLine(text, at);
    request.target = NextLine(text, at);
    request.host = NextLine(text, at);
    request.origin = NextLine(text, at);
    request.cookie = NextLine(text, at);
    std::string body = text.substr(at);

    PageVerdict verdict = Gate.Check(request);
    if (verdict.status != 200 && verdict.reason.empty()) abort();
    if (verdict.status == 200) {
        std::string host = LowerCase(request.host);
        if (host != "127.0.0.1:8080" && host != "localhost:8080") abort();
        if (request.target.find(Token) == std::string::npos &&
            request.cookie.find("ombrel-live-8080=" + Token) == std::string::npos)
            abort();
        if (request.method == "POST" && LowerCase(request.origin) != "http://" + host) abort();
        if (request.method != "GET" && request.method != "POST") abort();
    }
    try {
        std::string line = CommandLineOfBody(body);
        if (line.empty() || body.compare(0, line.size(), line) != 0) abort();
        for (char c : line) {
            unsigned char byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && c != '\t') || byte == 0x7f) abort();
        }
    } catch (const Ombrel::Exception& e) {
        if (std::strncmp(e.message, "timeline command: ", 18) != 0) abort();
    }
    return 0;
}
