#pragma once

#include <string>
#include <vector>

#include "plugin/host_types.h"
#include "plugin/variable.h"

// The values the validator puts into the "in" arguments of the types the host
// fills itself (see host_types.h): one ordinary set, like the demo's, and sets
// of edge values.
struct ValueSet {
    std::string name;  // for the steps of the report
    int set;           // the test values' set in the host types' table
};

ValueSet OrdinaryValues();
std::vector<ValueSet> EdgeValueSets();

// A type the host fills itself.
bool IsHostType(const std::string& typeName);

// A new variable of a host type holding the set's value at Run `run`, or null
// for any other type. Like the host's, it lives as long as the process: a
// plugin may keep its slot.
Variable* NewHostVariable(const std::string& typeName, const ValueSet& values, int run = 0);
// A new empty variable of the type, for an "out" argument or a pack's type.
Variable* NewEmptyVariable(const std::string& typeName);
