#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "programs/live/control_endpoint.h"
#include "programs/live/output_lines.h"

using namespace Ombrel::Live;

namespace {

// A connection whose other side sends `incoming` a few bytes at a time and
// takes at most three bytes per send.
class ScriptedConnection final : public ControlConnection {
public:
    explicit ScriptedConnection(std::string bytes) : incoming(std::move(bytes)) {}
    std::string sent;

protected:
    std::size_t Receive(char* buffer, std::size_t size) override {
        std::size_t count = std::min<std::size_t>({size, 5, incoming.size()});
        incoming.copy(buffer, count);
        incoming.erase(0, count);
        return count;
    }
    std::size_t Send(const char* data, std::size_t size) override {
        std::size_t count = std::min<std::size_t>(size, 3);
        sent.append(data, count);
        return count;
    }

private:
    std::string incoming;
};

TEST(ControlConnection, JoinsPiecesIntoLinesDroppingCarriageReturns) {
    ScriptedConnection connection("seek 12.5\r\nstatus\n\npartial");
    std::string line;
    ASSERT_TRUE(connection.ReadLine(line));
    EXPECT_EQ(line, "seek 12.5");
    ASSERT_TRUE(connection.ReadLine(line));
    EXPECT_EQ(line, "status");
    ASSERT_TRUE(connection.ReadLine(line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(connection.ReadLine(line)) << "a line without its break is never whole";
    EXPECT_TRUE(connection.WriteLine("ok playing at 1.000"));
    EXPECT_EQ(connection.sent, "ok playing at 1.000\n");
}

std::vector<std::string> OutputLines(const std::string& text, const char* trailing) {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "ombrel-output-lines";
    std::FILE* file = std::fopen(path.string().c_str(), "w+b");
    EXPECT_NE(file, nullptr) << "cannot write " << path.string();
    if (file == nullptr) return {};
    std::fputs(text.c_str(), file);
    std::rewind(file);
    std::vector<std::string> lines;
    ReadOutputLines(file, trailing, [&](const std::string& line) { lines.push_back(line); });
    std::fclose(file);
    std::filesystem::remove(path);
    return lines;
}

TEST(OutputLines, TrimsOnlyWhatItIsToldBeforeABreakAndKeepsAnUnendedLastLine) {
    std::string text = "echo done \r\n" + std::string(5000, 'x') + "\nlast \r";
    std::vector<std::string> asIs = {"echo done \r", std::string(5000, 'x'), "last \r"};
    EXPECT_EQ(OutputLines(text, ""), asIs);
    std::vector<std::string> trimmed = {"echo done", std::string(5000, 'x'), "last \r"};
    EXPECT_EQ(OutputLines(text, "\r "), trimmed);
}

}  // namespace
