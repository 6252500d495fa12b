#include "programs/live/build_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "programs/live/build_errors.h"
#include "programs/live/shell_command.h"
#include "programs/support/process.h"

using namespace Ombrel::Live;

namespace fs = std::filesystem;

namespace {

WatchClock::time_point At(double seconds) {
    return WatchClock::time_point(
        std::chrono::duration_cast<WatchClock::duration>(std::chrono::duration<double>(seconds)));
}

// Polls on (at the given times, one apart) until a build has ended, for at
// most a minute of real time.
BuildRunner::Outcome Ended(BuildRunner& runner, double from) {
    for (int step = 0; step < 600; ++step) {
        BuildRunner::Outcome outcome = runner.Poll(At(from + step));
        if (outcome.ended) return outcome;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return BuildRunner::Outcome();
}

TEST(BuildRunner, AChangeOfTheSourcesRunsTheBuildAndItsOutcomeIsTold) {
    fs::path sources = fs::temp_directory_path() /
                       ("live-build-" + std::to_string(Ombrel::Tools::CurrentProcessId()));
    fs::remove_all(sources);
    fs::create_directories(sources);
    std::ofstream(sources / "scene.cpp") << "one";
    BuildRunner good("echo built&& echo error: none here", sources.string(), At(0));
    BuildRunner bad("echo compiling&& exit 3", sources.string(), At(0));
    EXPECT_FALSE(good.Poll(At(1)).ended);
    EXPECT_FALSE(good.Running()) << "nothing changed: no build";

    std::ofstream(sources / "scene.cpp") << "two";
    good.Poll(At(2));
    BuildRunner::Outcome done = Ended(good, 3);
    ASSERT_TRUE(done.ended);
    EXPECT_EQ(done.status, 0);
    ASSERT_EQ(done.output.size(), 2u);
    EXPECT_EQ(done.output[0], "built");
    EXPECT_EQ(BuildErrorLine(done.output), "error: none here");

    bad.Poll(At(2));
    BuildRunner::Outcome failed = Ended(bad, 3);
    ASSERT_TRUE(failed.ended);
    EXPECT_EQ(failed.status, 3);
    EXPECT_EQ(BuildErrorLine(failed.output), "compiling") << "no line says error: the last";
    fs::remove_all(sources);
}

// A failing step before the last one writes its errors to its own standard
// error: they are the build's output all the same.
TEST(BuildRunner, TakesTheErrorsOfEveryStepOfTheCommand) {
    std::vector<std::string> lines;
    int status = Ombrel::Tools::RunShellCommand(
        "echo compiling&& echo scene.cpp:3:1: error: expected 1>&2&& exit 2&& echo copied",
        [&](const std::string& line) { lines.push_back(line); });
    EXPECT_EQ(status, 2);
    std::vector<std::string> expected = {"compiling", "scene.cpp:3:1: error: expected"};
    EXPECT_EQ(lines, expected);
}

TEST(BuildErrors, TheFirstLinesThatSpeakOfAnErrorElseTheLast) {
    std::vector<std::string> make = {
        "[ 33%] Building CXX object CMakeFiles/scene.dir/error/scene.cpp.o",
        "[2/3] Building CXX object error/x.cpp.o",
        "scene.cpp: In function 'void Draw()':",
        "scene.cpp:12:5: error: 'colour' was not declared in this scope",
        "   12 |     colour = 1;",
        "scene.cpp:14:1: error: expected ';' before '}' token",
        "error_paths.cpp: note: errors seen in error_log",
        "make[2]: *** [CMakeFiles/scene.dir/build.make:76: scene.cpp.o] Error 1",
    };
    EXPECT_EQ(BuildErrorLine(make), make[3]);
    std::vector<std::string> firstTwo = {make[3], make[5]};
    EXPECT_EQ(BuildErrorLines(make, 2), firstTwo);
    EXPECT_EQ(BuildErrorLines(make, 9).back(), make[7]) << "make's own line comes last";
    EXPECT_FALSE(SpeaksOfError(make[0])) << "progress lines never count";
    EXPECT_FALSE(SpeaksOfError(make[6]));

    std::vector<std::string> quiet = {"one", "two", "three"};
    std::vector<std::string> lastTwo = {"two", "three"};
    EXPECT_EQ(BuildErrorLines(quiet, 2), lastTwo);
    EXPECT_EQ(BuildErrorLine({}), "");
    EXPECT_EQ(BuildOutputText(quiet), "one\ntwo\nthree\n");
}

}  // namespace
