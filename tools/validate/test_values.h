#pragma once

#include <string>
#include <vector>

#include "plugin/variable.h"

// The values the validator puts into the "in" arguments of the four types the
// host fills itself ("int", "bool", "float", "String"): one ordinary set, like
// the demo's, and sets of edge values.
struct ValueSet {
    std::string name;  // for the steps of the report
    int intValue;
    bool boolValue;
    float floatValue;
    // The float is the frame time: it moves on by a frame at every Run.
    bool floatIsFrameTime;
    std::string text;
};

ValueSet OrdinaryValues();
std::vector<ValueSet> EdgeValueSets();

// "int", "bool", "float" or "String".
bool IsHostType(const std::string& typeName);

// A new variable of a host type holding the set's value, or null for any other
// type. Like the host's, it lives as long as the process: a plugin may keep
// its slot.
Variable* NewHostVariable(const std::string& typeName, const ValueSet& values);
// A new empty variable of the type, for an "out" argument or a pack's type.
Variable* NewEmptyVariable(const std::string& typeName);

// The frame time of Run number `run` (0-based) for a set whose float is the
// frame time; the set's float otherwise.
float FloatForRun(const ValueSet& values, int run);
