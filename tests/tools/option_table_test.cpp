#include "programs/support/option_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "tests/foundation/test_support.h"

using namespace Ombrel::Tools;

namespace {

// A program of four options and words, read in the wording the tests give.
struct Program {
    std::string output;
    bool quiet = false;
    int level = 0;
    std::vector<std::string> words;
    std::vector<std::string> extra;

    std::vector<Option> Table() {
        return {
            Option("--output", "FILE", "where it goes", TakeText(output)).Alias("-o"),
            Option("--quiet", "", "says less,\nand this on a line of its own", SetFlag(quiet)),
            Option("\nMore:\n"),
            Option("--level", "N", "from 1 to 3",
                   [this](const std::string& v) { return ReadInteger(v, 1, 3, level); })
                .Needs("a level")
                .Refusal("{option} takes 1 to 3, not {value}"),
            Option("--with-a-long-name", "", "", SetFlag(quiet)).Ends(),
            Option("--pair", "A", "", nullptr)
                .Reads([this](const std::string& first, FollowingArguments& more) {
                    std::string second;
                    extra = {first};
                    if (!more.Take(second)) return false;
                    extra.push_back(second);
                    return true;
                }),
        };
    }

    Wording Words(bool equalsForm, bool takesWords) {
        Wording wording;
        wording.unknown = "what is {argument}?";
        wording.needsValue = "{option} needs {needs}{name}";
        wording.noValue = "{option} takes nothing";
        wording.refusal = "{option} {value}: no";
        wording.equalsForm = equalsForm;
        if (takesWords) wording.word = [this](const std::string& word) { words.push_back(word); };
        return wording;
    }

    void Read(const std::vector<std::string>& arguments, bool equalsForm = true,
              bool takesWords = true) {
        ReadOptions(arguments, Table(), Words(equalsForm, takesWords));
    }
};

std::string Refusal(const std::vector<std::string>& arguments, bool equalsForm = true,
                    bool takesWords = true) {
    Program program;
    return MessageOf([&] { program.Read(arguments, equalsForm, takesWords); }, "(accepted)");
}

}  // namespace

TEST(OptionTable, ReadsEverySpellingAndForm) {
    Program p;
    p.Read({"-o", "a", "w1", "--quiet", "--level=2", "", "--pair", "x", "y", "--output=b"});
    EXPECT_EQ(p.output, "b") << "the last one given counts";
    EXPECT_TRUE(p.quiet);
    EXPECT_EQ(p.level, 2);
    EXPECT_EQ(p.words, (std::vector<std::string>{"w1", ""}));
    EXPECT_EQ(p.extra, (std::vector<std::string>{"x", "y"}));

    Program value;
    value.Read({"-o", "--quiet"});
    EXPECT_EQ(value.output, "--quiet") << "a value is taken whatever it looks like";
    EXPECT_FALSE(value.quiet);

    Program ended;
    ended.Read({"--with-a-long-name", "--nonsense"});
    EXPECT_TRUE(ended.quiet) << "reading stops after an option that ends it";
}

TEST(OptionTable, RefusesInTheProgramsOwnWords) {
    EXPECT_EQ(Refusal({"--nonsense=1"}), "what is --nonsense=1?");
    EXPECT_EQ(Refusal({"-"}), "what is -?");
    EXPECT_EQ(Refusal({"word"}, true, false), "what is word?");
    EXPECT_EQ(Refusal({"--level=2"}, false), "what is --level=2?");
    EXPECT_EQ(Refusal({"--level"}), "--level needs a levelN");
    EXPECT_EQ(Refusal({"-o"}), "-o needs FILE") << "the option as it was spelt";
    EXPECT_EQ(Refusal({"--quiet=yes"}), "--quiet takes nothing");
    EXPECT_EQ(Refusal({"--level", "4"}), "--level takes 1 to 3, not 4");
    EXPECT_EQ(Refusal({"--output="}), "--output : no");
    EXPECT_EQ(Refusal({"--pair", "x"}), "--pair x: no");
    EXPECT_EQ(Refusal({"--level", "{option}"}), "--level takes 1 to 3, not {option}")
        << "what was given is not filled in again";

    Program dash;
    Wording wording = dash.Words(false, true);
    wording.dashIsWord = true;
    ReadOptions({"-"}, dash.Table(), wording);
    EXPECT_EQ(dash.words, std::vector<std::string>{"-"});
}

// A form past the column keeps two blanks; hidden rows are left out.
TEST(OptionTable, TheUsageIsMadeFromTheTable) {
    Program p;
    EXPECT_EQ(OptionLines(p.Table(), 14),
              "  --output FILE  where it goes\n"
              "  --quiet     says less,\n"
              "              and this on a line of its own\n"
              "\n"
              "More:\n"
              "  --level N   from 1 to 3\n");
    EXPECT_EQ(OptionSummary(p.Table()), "[--output FILE] [--quiet] [--level N]");
}

TEST(OptionTable, SharedValueReaders) {
    int n = 7;
    EXPECT_TRUE(ReadInteger("+12", 0, 20, n) && n == 12);
    for (const char* text : {"", "x", "12x", "21", "-1", "99999999999999999999"})
        EXPECT_FALSE(ReadInteger(text, 0, 20, n)) << text;
    EXPECT_EQ(n, 12) << "a refused number leaves the value as it was";
    long long big = 0;
    EXPECT_TRUE(ReadInteger("9007199254740993", 0, std::numeric_limits<long long>::max(), big));
    EXPECT_EQ(big, 9007199254740993LL);

    int w = 0, h = 0;
    EXPECT_TRUE(ReadSize("16X8192", w, h) && w == 16 && h == 8192);
    for (const char* text : {"15x16", "16x8193", "640", "640x", "x480", "640x480x2"})
        EXPECT_FALSE(ReadSize(text, w, h)) << text;

    int top = 0, bottom = 0;
    EXPECT_TRUE(ReadRate("60000/1001", top, bottom) && top == 60000 && bottom == 1001);
    EXPECT_TRUE(ReadRate("29.97", top, bottom) && top == 2997 && bottom == 100);
    EXPECT_TRUE(ReadRate("120/4", top, bottom) && top == 30 && bottom == 1);
    for (const char* text : {"0", "1/2", "30/0", "1001", "29.", "1.-5", "29.12345", "-30"})
        EXPECT_FALSE(ReadRate(text, top, bottom)) << text;

    double s = -1.0;
    EXPECT_TRUE(ReadSeconds("0", 10.0, true, s) && s == 0.0);
    EXPECT_FALSE(ReadSeconds("0", 10.0, false, s));
    EXPECT_TRUE(ReadSeconds("inf", std::numeric_limits<double>::infinity(), false, s));
    for (const char* text : {"", "nan", "inf", "-1", "10.5", "1s"})
        EXPECT_FALSE(ReadSeconds(text, 10.0, true, s)) << text;

    std::string first, last;
    EXPECT_TRUE(SplitRange("-1-2", first, last) && first == "-1" && last == "2");
    EXPECT_FALSE(SplitRange("12", first, last));
}
