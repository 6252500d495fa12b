#include "programs/live/page_gate.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "programs/live/random_token.h"
#include "tests/foundation/test_support.h"

using namespace Ombrel::Live;

namespace {

const std::string Token = "0123456789abcdef0123456789abcdef";
const PageGate Gate(Token, 4321);

PageRequest Asked(const std::string& method, const std::string& target,
                  const std::string& host = "127.0.0.1:4321", const std::string& origin = "",
                  const std::string& cookie = "") {
    return PageRequest{method, target, host, origin, cookie};
}

TEST(PageGate, LetsThroughTheTokenInTheAddressOrInThePortsCookie) {
    EXPECT_EQ(Gate.Check(Asked("GET", "/?token=" + Token)).status, 200);
    EXPECT_EQ(Gate.Check(Asked("GET", "/?x=1&token=" + Token)).route, PageRoute::Page);
    EXPECT_EQ(Gate.Cookie(), "ombrel-live-4321=" + Token + "; Path=/; HttpOnly; SameSite=Strict");
    PageVerdict events =
        Gate.Check(Asked("GET", "/events", "localhost:4321", "", "a=b; ombrel-live-4321=" + Token));
    EXPECT_EQ(events.status, 200);
    EXPECT_EQ(events.route, PageRoute::Events);
    EXPECT_EQ(Gate.Address(), "http://127.0.0.1:4321/?token=" + Token);
}

TEST(PageGate, RefusesAMissingWrongOrOtherSessionsToken) {
    for (const PageRequest& request :
         {Asked("GET", "/"), Asked("GET", "/?token="), Asked("GET", "/?token=" + Token + "0"),
          Asked("GET", "/?token=" + Token.substr(1)), Asked("GET", "/?TOKEN=" + Token),
          Asked("GET", "/?token=0123456789abcdef0123456789abcdee"),
          // The cookie of another session, on another port of the same host.
          Asked("GET", "/events", "127.0.0.1:4321", "", "ombrel-live-4322=" + Token),
          Asked("GET", "/no-such-page")}) {
        PageVerdict verdict = Gate.Check(request);
        EXPECT_EQ(verdict.status, 403) << request.target << " " << request.cookie;
        EXPECT_EQ(verdict.reason, "refused: the request has no valid token");
    }
}

TEST(PageGate, RefusesAHostNotThisServersWhateverTheToken) {
    for (const char* host :
         {"", "attacker.example:4321", "127.0.0.1", "127.0.0.1:4322", "localhost",
          "127.0.0.1:4321.attacker.example", "[::1]:4321", "127.0.0.2:4321"}) {
        PageVerdict verdict = Gate.Check(Asked("GET", "/?token=" + Token, host));
        EXPECT_EQ(verdict.status, 403) << host;
        EXPECT_EQ(verdict.reason,
                  std::string("refused: the Host \"") + host + "\" is not this server's");
    }
    EXPECT_EQ(Gate.Check(Asked("GET", "/?token=" + Token, "LocalHost:4321")).status, 200);
}

TEST(PageGate, TakesCommandsOnlyFromThePagesOwnOrigin) {
    std::string command = "/command?token=" + Token;
    EXPECT_EQ(Gate.Check(Asked("POST", command, "127.0.0.1:4321", "http://127.0.0.1:4321")).route,
              PageRoute::Command);
    EXPECT_EQ(Gate.Check(Asked("POST", command, "localhost:4321", "http://localhost:4321")).status,
              200);
    for (const char* origin : {"", "null", "http://attacker.example", "http://localhost:4321",
                               "https://127.0.0.1:4321", "http://127.0.0.1:4322"}) {
        PageVerdict verdict = Gate.Check(Asked("POST", command, "127.0.0.1:4321", origin));
        EXPECT_EQ(verdict.status, 403) << origin;
        EXPECT_NE(verdict.reason.find(std::string("the origin \"") + origin + "\""),
                  std::string::npos);
    }
}

TEST(PageGate, KnowsEachPathsMethod) {
    std::string token = "?token=" + Token;
    EXPECT_EQ(Gate.Check(Asked("GET", "/timeline.js" + token)).route, PageRoute::Script);
    EXPECT_EQ(Gate.Check(Asked("GET", "/timeline.css" + token)).route, PageRoute::Style);
    EXPECT_EQ(Gate.Check(Asked("GET", "/peaks" + token)).route, PageRoute::Peaks);
    EXPECT_EQ(Gate.Check(Asked("GET", "/command" + token)).status, 405);
    EXPECT_EQ(
        Gate.Check(Asked("POST", "/events" + token, "127.0.0.1:4321", "http://127.0.0.1:4321"))
            .status,
        405);
    PageVerdict missing = Gate.Check(Asked("GET", "/../etc/passwd" + token));
    EXPECT_EQ(missing.status, 404);
    EXPECT_EQ(missing.reason, "no page /../etc/passwd");
}

TEST(PageGate, TakesOneCommandLineABody) {
    EXPECT_EQ(CommandLineOfBody("seek 2"), "seek 2");
    EXPECT_EQ(CommandLineOfBody("marker add 1 drop\r\n"), "marker add 1 drop");
    EXPECT_EQ(CommandLineOfBody("marker add 1 caf\xc3\xa9\n"), "marker add 1 caf\xc3\xa9");
    for (const std::string& body :
         {std::string(""), std::string("\n"), std::string(" \t"), std::string("seek 2\nquit"),
          std::string("seek 2\rquit"), std::string("seek 2\n\n"), std::string("seek\0 2", 7),
          std::string("seek \x1b[2J"), std::string("seek 2\x7f")}) {
        std::string message = MessageOf([&] { CommandLineOfBody(body); }, "(accepted)");
        EXPECT_EQ(message.compare(0, 18, "timeline command: "), 0) << message;
    }
}

TEST(RandomToken, Is32HexDigitsAndNewEachTime) {
    std::set<std::string> seen;
    for (int i = 0; i < 20; ++i) {
        std::string token = RandomToken();
        EXPECT_EQ(token.size(), 32u);
        EXPECT_EQ(token.find_first_not_of("0123456789abcdef"), std::string::npos) << token;
        seen.insert(token);
    }
    EXPECT_EQ(seen.size(), 20u);
}

}  // namespace
