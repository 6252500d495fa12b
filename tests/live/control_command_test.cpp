#include "programs/live/control_command.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/foundation/test_support.h"

namespace {

std::string Refusal(const std::string& line) {
    return MessageOf([&] { ParseControlCommand(line); }, "(accepted)");
}

TEST(ControlCommand, ReadsEveryCommandWithItsTimes) {
    EXPECT_EQ(ParseControlCommand("play").kind, ControlCommand::Play);
    EXPECT_EQ(ParseControlCommand("  pause  ").kind, ControlCommand::Pause);
    ControlCommand seek = ParseControlCommand("seek 3.5");
    EXPECT_EQ(seek.kind, ControlCommand::Seek);
    EXPECT_DOUBLE_EQ(seek.first, 3.5);
    ControlCommand loop = ParseControlCommand("loop 1 2.25");
    EXPECT_EQ(loop.kind, ControlCommand::Loop);
    EXPECT_DOUBLE_EQ(loop.second, 2.25);
    EXPECT_EQ(ParseControlCommand("loop off").kind, ControlCommand::LoopOff);
    EXPECT_EQ(ParseControlCommand("reload").kind, ControlCommand::Reload);
    EXPECT_EQ(ParseControlCommand("status").kind, ControlCommand::Status);
    EXPECT_EQ(ParseControlCommand("quit").kind, ControlCommand::Quit);
}

TEST(ControlCommand, RefusesWhatIsUnknownOrMalformedSayingWhy) {
    EXPECT_EQ(Refusal("rewind"),
              std::string("unknown command \"rewind\" (") + ControlCommandList() + ")");
    EXPECT_NE(Refusal("").find("empty command"), std::string::npos);
    EXPECT_NE(Refusal("seek").find("seek takes 1 time, not 0"), std::string::npos);
    EXPECT_NE(Refusal("seek x").find("\"x\" is not a time"), std::string::npos);
    for (const char* line : {"seek -1", "seek nan", "seek inf", "seek 1e300", "seek 3s", "play now",
                             "loop 1", "loop off now", "loop 2 1", "loop 1 1"}) {
        EXPECT_NE(Refusal(line), "(accepted)") << line;
    }
}

}  // namespace
