#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The command lines of the programs beside the host. Each program has one
// table of its options: their spellings, their values, their lines of the
// usage text and what reading them does; the reader below walks the command
// line through it, and the usage is printed from it. The readers of the
// values the programs share (whole numbers, sizes, frame rates, times and
// ranges) keep their limits here, in one place.
namespace Ombrel::Tools {

// The frame sizes and rates the programs make.
const int SmallestSide = 16;
const int LargestSide = 8192;
const int LargestRate = 1000;

// The arguments after an option's value, for an option that may take more.
class FollowingArguments {
public:
    FollowingArguments(const std::vector<std::string>& all, std::size_t& at)
        : arguments(all), next(at) {}
    // Takes the next argument; false when there is none.
    bool Take(std::string& argument);

private:
    const std::vector<std::string>& arguments;
    std::size_t& next;
};

// One row of a program's table. A row without a name is a heading: its help
// stands in the usage as it is, between the options.
struct Option {
    using Read = std::function<bool(const std::string& value)>;
    using ReadMore = std::function<bool(const std::string& value, FollowingArguments& more)>;

    std::string name;   // "--size"
    std::string value;  // the value's name in the usage, "WxH"; empty: a switch
    // The usage's text; later lines go under the first. Empty: an option the
    // programs give one another, not shown.
    std::string help;
    Read read;            // false: the value is refused
    std::string alias;    // another spelling: "-o" beside "--output"
    std::string refusal;  // the message for a refused value, see Wording
    std::string needs;    // what the value is, for a program's "needs" message
    std::string form;     // the usage's form, where it is not name and value
    bool ends = false;    // reading stops after it
    ReadMore readMore;    // in place of `read`: may take further arguments

    Option(std::string spelling, std::string valueName, std::string text, Read reader);
    // A heading of the usage.
    explicit Option(std::string text);

    // For the table's rows, one after another.
    Option& Alias(std::string other) { return Set(alias, std::move(other)); }
    Option& Refusal(std::string message) { return Set(refusal, std::move(message)); }
    Option& Needs(std::string what) { return Set(needs, std::move(what)); }
    Option& Form(std::string shown) { return Set(form, std::move(shown)); }
    Option& Ends() { return Set(ends, true); }
    Option& Reads(ReadMore more) { return Set(readMore, std::move(more)); }

    // What the usage shows: "--size WxH".
    std::string Shown() const;

private:
    template <typename Field, typename Value>
    Option& Set(Field& field, Value given) {
        field = std::move(given);
        return *this;
    }
};

// How a program words a command line it cannot use. In the messages
// {option} stands for the option as it was spelt, {value} for the value
// given, {argument} for the whole argument, {name} for the row's value name
// and {needs} for the row's `needs`.
struct Wording {
    std::string unknown;     // an argument no row has
    std::string needsValue;  // an option without its value
    std::string noValue;     // a switch given a value with "="
    std::string refusal;     // a refused value, for rows without one of their own
    // "--name=value" as well as "--name value".
    bool equalsForm = false;
    // "-" alone is a word, not an option.
    bool dashIsWord = false;
    // Takes an argument that is not an option; null: such an argument is
    // unknown. May throw Ombrel::Exception.
    std::function<void(const std::string& word)> word;
};

// Reads `arguments` (without the program's name) through `table`. Throws
// Ombrel::Exception with the program's message for what it cannot use.
void ReadOptions(const std::vector<std::string>& arguments, const std::vector<Option>& table,
                 const Wording& wording);

// The usage's lines of the shown options and headings: each form at two
// blanks, its help at `column` (or two blanks after a longer form).
std::string OptionLines(const std::vector<Option>& table, std::size_t column);
// "[--demo FOLDER] [--size WxH]": every shown option, in brackets.
std::string OptionSummary(const std::vector<Option>& table);

// {key} replaced by its text, for each pair of `fills`.
std::string FillIn(const std::string& message,
                   const std::vector<std::pair<const char*, std::string>>& fills);

// Reads for the common rows.
Option::Read SetFlag(bool& flag);
// Any text, or only a text that is not empty.
Option::Read TakeText(std::string& field);
Option::Read TakeWord(std::string& field);

// A whole number that is the whole text (leading blanks and a sign allowed),
// in `low` to `high`; false otherwise, with `value` untouched.
bool ReadInteger(const std::string& text, long long low, long long high, long long& value);
bool ReadInteger(const std::string& text, int low, int high, int& value);

// "WIDTHxHEIGHT" (or "X"), each side from SmallestSide to LargestSide.
bool ReadSize(const std::string& text, int& width, int& height);

// Frames per second: "60", "60000/1001" or "29.97" (read as 2997/100), from 1
// to LargestRate, kept in lowest terms.
bool ReadRate(const std::string& text, int& numerator, int& denominator);

// Seconds: a number up to `longest` (which may be infinite), above zero or,
// with `zeroToo`, from zero.
bool ReadSeconds(const std::string& text, double longest, bool zeroToo, double& seconds);

// "A-B": the texts before and after the first '-' past the first character.
bool SplitRange(const std::string& text, std::string& first, std::string& last);

}  // namespace Ombrel::Tools
