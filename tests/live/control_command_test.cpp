#include "programs/live/control_command.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/foundation/test_support.h"

using namespace Ombrel::Live;

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

TEST(ControlCommand, ReadsTheTimelineCommandsWithTheirArguments) {
    ControlCommand speed = ParseControlCommand("speed 0.25");
    EXPECT_EQ(speed.kind, ControlCommand::Speed);
    EXPECT_DOUBLE_EQ(speed.first, 0.25);
    ControlCommand step = ParseControlCommand("step -3");
    EXPECT_EQ(step.kind, ControlCommand::Step);
    EXPECT_EQ(step.whole, -3);
    ControlCommand tempo = ParseControlCommand("tempo 127.5 0.1 3");
    EXPECT_EQ(tempo.kind, ControlCommand::Tempo);
    EXPECT_DOUBLE_EQ(tempo.first, 127.5);
    EXPECT_DOUBLE_EQ(tempo.second, 0.1);
    EXPECT_EQ(tempo.whole, 3);
    ControlCommand add = ParseControlCommand("marker add 32 drop");
    EXPECT_EQ(add.kind, ControlCommand::MarkerAdd);
    EXPECT_DOUBLE_EQ(add.first, 32.0);
    EXPECT_EQ(add.name, "drop");
    ControlCommand rename = ParseControlCommand("marker rename drop drop.2");
    EXPECT_EQ(rename.kind, ControlCommand::MarkerRename);
    EXPECT_EQ(rename.newName, "drop.2");
    ControlCommand move = ParseControlCommand("marker move drop 12.5");
    EXPECT_EQ(move.kind, ControlCommand::MarkerMove);
    EXPECT_EQ(move.name, "drop");
    EXPECT_DOUBLE_EQ(move.first, 12.5);
    struct Plain {
        const char* line;
        ControlCommand::Kind kind;
    } plain[] = {{"tempo off", ControlCommand::TempoOff},
                 {"snap off", ControlCommand::SnapOff},
                 {"snap beats", ControlCommand::SnapBeats},
                 {"snap frames", ControlCommand::SnapFrames},
                 {"end stop", ControlCommand::EndStop},
                 {"end loop", ControlCommand::EndLoop},
                 {"state", ControlCommand::State},
                 {"marker delete a", ControlCommand::MarkerDelete},
                 {"marker jump a", ControlCommand::MarkerJump}};
    for (const Plain& p : plain) EXPECT_EQ(ParseControlCommand(p.line).kind, p.kind) << p.line;
}

TEST(ControlCommand, RefusesMalformedTimelineCommandsNamingThem) {
    EXPECT_EQ(Refusal("speed 2"), "speed: \"2\" is not a speed (1, 0.5 or 0.25)");
    EXPECT_EQ(Refusal("step 1.5"), "step: \"1.5\" is not a whole number of frames");
    EXPECT_EQ(Refusal("tempo 10 0 4"),
              "tempo: \"10\" is not a tempo in beats a minute (20 to 400)");
    EXPECT_EQ(Refusal("tempo 120 0 33"), "tempo: \"33\" is not a number of beats a bar (1 to 32)");
    EXPECT_EQ(Refusal("tempo 120 0"), "tempo takes 3 arguments, not 2 (tempo BPM OFFSET BEATS)");
    EXPECT_EQ(Refusal("marker add drop 3"),
              "marker add: \"drop\" is not a time in seconds (0 or more)");
    EXPECT_EQ(Refusal("marker add 3 a/b"),
              "marker add: \"a/b\" is not a marker's name (1 to 64 letters, digits, '-', '_' or "
              "'.')");
    EXPECT_EQ(Refusal("snap on"), "snap on: expected snap off, snap beats, snap frames");
    EXPECT_EQ(Refusal("marker"),
              "marker: expected marker add S NAME, marker rename NAME NEWNAME, marker move NAME "
              "S, marker delete NAME, marker jump NAME");
    for (const char* line :
         {"speed", "speed 1 1", "speed nan", "step", "step x", "step 1e9", "tempo 401 0 4",
          "tempo 120 -1 4", "tempo 120 0 0", "snap", "snap beats now", "end", "end now",
          "state now", "marker add 1", "marker rename a", "marker jump", "marker delete a b",
          "tempo off now"}) {
        EXPECT_NE(Refusal(line), "(accepted)") << line;
    }
}

}  // namespace
