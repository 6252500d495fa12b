#include "programs/live/build_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "programs/support/process.h"

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

}  // namespace
