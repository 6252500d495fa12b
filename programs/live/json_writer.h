#pragma once

#include <string>
#include <vector>

namespace Ombrel::Live {

// `text` as a JSON string, quotes included: quotes, backslashes and control
// characters escaped, and every byte that is not part of well-formed UTF-8
// written as U+FFFD, so that what a pack or a file name holds can never make
// the answer something a JSON reader refuses.
std::string JsonString(const std::string& text);

// `value` as a JSON number with at most `decimals` decimals and no trailing
// zeros ("12.5", "3"); null when it is not finite.
std::string JsonNumber(double value, int decimals = 6);

// One JSON value written piece by piece, with the commas between the members
// of objects and arrays put in by itself.
class JsonWriter {
public:
    JsonWriter& Open(char bracket);  // '{' or '['
    JsonWriter& Close();
    JsonWriter& Key(const char* name);
    JsonWriter& String(const std::string& text);
    JsonWriter& Number(double value, int decimals = 6);
    JsonWriter& Whole(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();
    // A value already written as JSON.
    JsonWriter& Raw(const std::string& json);

    const std::string& Text() const { return text; }

private:
    void Next();

    std::string text;
    std::vector<char> closers;  // what each open bracket ends with
    bool first = true;          // the next value is the first of its object or array
    bool keyed = false;         // the next value follows its key
};

}  // namespace Ombrel::Live
