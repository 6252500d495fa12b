// The validator's command line: what the programs' shared reader hands it,
// and what it stops at.

#include "programs/validate/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
    bool usable;
    std::string error;
    Options options;
};

Parsed Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "ombrel-validate");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(&argument[0]);
    Parsed parsed;
    parsed.usable =
        ParseOptions(static_cast<int>(argv.size()), argv.data(), parsed.options, parsed.error);
    return parsed;
}

TEST(ValidatorOptions, ReadsEveryOptionAndTheChildsTask) {
    Parsed p = Parse({"--with",
                      "A.so",
                      "--with",
                      "B.so",
                      "--strictness",
                      "5",
                      "--format",
                      "junit",
                      "--only-failed",
                      "--time-limit",
                      "2.5",
                      "--graph",
                      "none",
                      "--child",
                      "plugin",
                      "3",
                      "-1",
                      "--channel",
                      "c",
                      "Pack.so"});
    ASSERT_TRUE(p.usable) << p.error;
    EXPECT_EQ(p.options.withPacks, (std::vector<std::string>{"A.so", "B.so"}));
    EXPECT_EQ(p.options.strictness, 5);
    EXPECT_EQ(p.options.format, Options::JUnit);
    EXPECT_TRUE(p.options.onlyFailed);
    EXPECT_DOUBLE_EQ(p.options.timeLimit, 2.5);
    EXPECT_EQ(p.options.graph, "none");
    EXPECT_EQ(p.options.child, "plugin");
    EXPECT_EQ(p.options.pluginIndex, 3);
    EXPECT_EQ(p.options.firstPhase, -1) << "the numbers after --child plugin are its own";
    EXPECT_EQ(p.options.channel, "c");
    EXPECT_EQ(p.options.pack, "Pack.so");
    EXPECT_EQ(Parse({"-"}).options.pack, "-") << "a lone dash is a file name";
}

TEST(ValidatorOptions, HelpAndTheListOfChecksStopTheReading) {
    Parsed help = Parse({"--strictness", "3", "-h", "--nonsense"});
    EXPECT_FALSE(help.usable);
    EXPECT_EQ(help.error, "") << "an empty error asks for the usage";
    Parsed list = Parse({"--list-checks", "--nonsense"});
    EXPECT_TRUE(list.usable && list.options.listChecks) << list.error;
}

TEST(ValidatorOptions, RefusalsNameTheOptionAndValue) {
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{}, "no pack file given"},
        {{"a", "b"}, "one pack at a time: a and b"},
        {{"--bogus", "a"}, "unknown option --bogus"},
        {{"--strictness=3", "a"}, "unknown option --strictness=3"},
        {{"a", "--with"}, "--with needs a pack file"},
        {{"--strictness", "0", "a"}, "--strictness takes a level from 1 to 5, not 0"},
        {{"--format", "xml", "a"}, "--format takes text, json or junit, not xml"},
        {{"--time-limit", "nan", "a"}, "--time-limit takes a number of seconds, not nan"},
        {{"--child", "plugin", "1"}, "--child plugin needs an index and a phase"},
        {{"--channel"}, "--channel needs a channel"},
    };
    for (const auto& c : cases) {
        Parsed p = Parse(c.arguments);
        EXPECT_FALSE(p.usable) << c.error;
        EXPECT_EQ(p.error, c.error);
    }
}

TEST(ValidatorOptions, TheUsageShowsEveryOptionButTheChildsOwn) {
    std::string usage = UsageText();
    for (const char* shown :
         {"  --with PACK        a pack whose", "  --strictness N     what counts",
          "                     1  what stops", "  --list-checks      print",
          "  --time-limit S     seconds one step"})
        EXPECT_NE(usage.find(shown), std::string::npos) << shown;
    EXPECT_EQ(usage.find("--child"), std::string::npos);
    EXPECT_EQ(usage.find("--channel"), std::string::npos);
}

}  // namespace
