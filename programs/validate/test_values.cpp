#include "programs/validate/test_values.h"

namespace {

// "ordinary values (5, false, the frame time, "Ombrel validator")": the
// values of the set, in the order of the host types' table.
ValueSet Set(const std::string& title, int set) {
    int count = 0;
    const HostType* rows = HostTypes(count);
    std::string name = title + " (";
    for (int i = 0; i < count; ++i) name += std::string(i ? ", " : "") + rows[i].describe(set);
    return {name + ")", set};
}

}  // namespace

ValueSet OrdinaryValues() {
    return Set("ordinary values", 0);
}

std::vector<ValueSet> EdgeValueSets() {
    std::vector<ValueSet> sets;
    for (int set = 1; set < HostTypeTestSets; ++set)
        sets.push_back(Set("edge values " + std::to_string(set), set));
    return sets;
}

bool IsHostType(const std::string& typeName) {
    return FindHostType(typeName) != nullptr;
}

Variable* NewEmptyVariable(const std::string& typeName) {
    static std::vector<Variable*>* const kept = new std::vector<Variable*>();
    Variable* variable = new Variable();
    kept->push_back(variable);
    variable->typeName.Assign(typeName.c_str());
    return variable;
}

Variable* NewHostVariable(const std::string& typeName, const ValueSet& values, int run) {
    const HostType* type = FindHostType(typeName);
    if (type == nullptr) return nullptr;
    Variable* variable = NewEmptyVariable(typeName);
    variable->value = type->make(values.set, run);
    return variable;
}
