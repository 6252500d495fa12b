#include "programs/live/live_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "programs/live/control_command.h"
#include "tests/foundation/test_support.h"

using namespace Ombrel::Live;

namespace {

std::string OptionRefusal(const std::vector<std::string>& arguments) {
    return MessageOf([&] { ParseLiveOptions(arguments); }, "(accepted)");
}

TEST(LiveOptions, ReadsTheCommandLine) {
    LiveOptions options = ParseLiveOptions(
        {"--demo", "my demo", "--size", "320x200", "--english", "--start", "12.5", "--loop",
         "1-2.5", "--paused", "--fps", "30", "--build", "make pack", "--sources", "src"});
    EXPECT_EQ(options.demoFolder, "my demo");
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 200);
    EXPECT_TRUE(options.english && options.paused && options.looping);
    EXPECT_DOUBLE_EQ(options.start, 12.5);
    EXPECT_DOUBLE_EQ(options.loopEnd, 2.5);
    EXPECT_EQ(options.buildCommand, "make pack");
    EXPECT_EQ(options.fps, 30);
    LiveOptions plain = ParseLiveOptions({});
    EXPECT_EQ(plain.width, 640);
    EXPECT_EQ(plain.fps, -1) << "the display's rate";
    EXPECT_FALSE(plain.looping || plain.paused);
}

TEST(LiveOptions, RefusesWhatMakesNoSenseNamingIt) {
    EXPECT_EQ(OptionRefusal({"--fast"}), "unknown option \"--fast\"");
    EXPECT_EQ(OptionRefusal({"--size"}), "--size needs a value: WxH");
    EXPECT_EQ(OptionRefusal({"--size", "8x8"}), "--size 8x8: expected WxH");
    EXPECT_EQ(OptionRefusal({"--loop", "2-1"}), "--loop 2-1: expected A-B");
    EXPECT_EQ(OptionRefusal({"--start", "-1"}), "--start -1: expected S");
    EXPECT_EQ(OptionRefusal({"--fps", "fast"}), "--fps fast: expected N");
    EXPECT_EQ(OptionRefusal({"--build", "make"}), "--build and --sources go together");
}

TEST(LiveOptions, TheUsageShowsEveryOptionAnAuthorGivesAndNoInternalOne) {
    std::string usage = LiveUsage();
    for (const char* option :
         {"--demo FOLDER", "--size WxH", "--english", "--start S", "--loop A-B", "--paused",
          "--fps N", "--build \"CMD\"", "--sources DIR"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    EXPECT_EQ(usage.find("--resume"), std::string::npos);
    EXPECT_EQ(usage.find("--channel"), std::string::npos);
}

// The guide's copy of the options and commands, kept in step with the
// program's own table of options and of commands.
TEST(LiveOptions, TheGuideNamesEveryOptionAndCommand) {
    std::ifstream file(std::string(OMBREL_SOURCE_DIR) + "/docs/writing-a-pack.md");
    std::stringstream guide;
    guide << file.rdbuf();
    const std::string text = guide.str();
    ASSERT_NE(text.find("## Live development"), std::string::npos);
    std::string usage = LiveUsage();
    for (std::size_t at = usage.find("[--"); at != std::string::npos;
         at = usage.find("[--", at + 1)) {
        std::string option = usage.substr(at + 1, usage.find(']', at) - at - 1);
        if (option == "--help" || option == "--version") continue;
        EXPECT_NE(text.find("| `" + option + "`"), std::string::npos) << option;
    }
    std::stringstream commands(ControlCommandList());
    for (std::string command; std::getline(commands, command, ',');) {
        command.erase(0, command.find_first_not_of(' '));
        EXPECT_NE(text.find("`" + command + "`"), std::string::npos) << command;
    }
}

}  // namespace
