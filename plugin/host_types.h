#pragma once

#include <climits>
#include <cstring>
#include <limits>
#include <string>

#include "foundation/string.h"
#include "plugin/scalar_value.h"

// The types the host fills itself, one row each: the name a signature gives,
// the class of its values, what a plugin reads from one (the payload readers
// of argument_slots.h), how the validator makes its test values, and how it
// checks that a value is one of the type. A new type is one row here and its
// class.
//
// Test values: set 0 is the ordinary one, like the demo's; sets 1 to
// HostTypeTestSets - 1 hold edge values. A value may move on with the Runs
// (the frame time does); `run` counts them from 0.
const int HostTypeTestSets = 4;

struct HostType {
    const char* name;       // in a signature
    const char* className;  // of its values
    const char* payload;    // what a plugin reads from a value
    // The test value of a set, as the report describes it.
    const char* (*describe)(int set);
    // A new value holding the test value of `set` at Run `run`.
    Value* (*make)(int set, int run);
    // Whether `value`, of the row's class, holds exactly that test value.
    bool (*holds)(const Value& value, int set, int run);
    // Empty when `value`, of the row's class, holds a payload the type
    // allows; what is wrong otherwise.
    std::string (*payloadProblem)(const Value& value);
    // Deletes a value that `make` made, through the row's class (a Value has
    // no virtual destructor).
    void (*release)(Value* value);
};

namespace HostTypeRows {

const int FramesPerSecond = 60;

inline int IntOf(int set) {
    const int values[HostTypeTestSets] = {5, -1, INT_MAX, INT_MIN};
    return values[set];
}

inline float FloatOf(int set, int run) {
    const float infinity = std::numeric_limits<float>::infinity();
    const float values[HostTypeTestSets] = {static_cast<float>(run) / FramesPerSecond,
                                            std::numeric_limits<float>::quiet_NaN(), infinity,
                                            -infinity};
    return values[set];
}

inline std::string TextOf(int set) {
    return set == 0 ? "Ombrel validator" : set == 2 ? std::string(100000, 'x') : "";
}

inline bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline std::string NoProblem(const Value&) {
    return "";
}

}  // namespace HostTypeRows

inline const HostType* HostTypes(int& count) {
    using namespace HostTypeRows;
    static const HostType rows[] = {
        {"int", "IntValue", "its 32-bit int",
         [](int set) {
             const char* texts[] = {"5", "-1", "2147483647", "-2147483648"};
             return texts[set];
         },
         [](int set, int) -> Value* { return new IntValue(IntOf(set)); },
         [](const Value& value, int set, int) {
             return static_cast<const IntValue&>(value).value == IntOf(set);
         },
         NoProblem, [](Value* value) { delete static_cast<IntValue*>(value); }},
        {"bool", "IntValue", "0 or 1 in an int, of which the lowest-addressed byte counts",
         [](int set) { return set < 2 ? "false" : "true"; },
         [](int set, int) -> Value* { return new IntValue(set < 2 ? 0 : 1); },
         [](const Value& value, int set, int) {
             return static_cast<const IntValue&>(value).value == (set < 2 ? 0 : 1);
         },
         [](const Value& value) -> std::string {
             int flag = static_cast<const IntValue&>(value).value;
             if (flag == 0 || flag == 1) return "";
             return "an IntValue holding " + std::to_string(flag) + ", where \"bool\" holds 0 or 1";
         },
         [](Value* value) { delete static_cast<IntValue*>(value); }},
        {"float", "FloatValue", "its 32-bit float",
         [](int set) {
             const char* texts[] = {"the frame time", "NaN", "infinity", "-infinity"};
             return texts[set];
         },
         [](int set, int run) -> Value* { return new FloatValue(FloatOf(set, run)); },
         [](const Value& value, int set, int run) {
             return SameBits(static_cast<const FloatValue&>(value).value, FloatOf(set, run));
         },
         NoProblem, [](Value* value) { delete static_cast<FloatValue*>(value); }},
        {"String", "String", "a copy of its text, made with the pack's own String code",
         [](int set) {
             const char* texts[] = {"\"Ombrel validator\"", "an empty text",
                                    "a text of 100000 characters", "an empty text"};
             return texts[set];
         },
         [](int set, int) -> Value* {
             String* text = new String();
             text->Assign(TextOf(set).c_str());
             return text;
         },
         [](const Value& value, int set, int) {
             return static_cast<const String&>(value).GetText() == TextOf(set);
         },
         NoProblem, [](Value* value) { delete static_cast<String*>(value); }},
    };
    count = static_cast<int>(sizeof rows / sizeof rows[0]);
    return rows;
}

// The row of a type name (case counts, as for the host); null for a type the
// host does not fill.
inline const HostType* FindHostType(const std::string& name) {
    int count = 0;
    const HostType* rows = HostTypes(count);
    for (int i = 0; i < count; ++i) {
        if (name == rows[i].name) return &rows[i];
    }
    return nullptr;
}
