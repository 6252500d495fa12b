#include "tools/validate/test_values.h"

#include <climits>
#include <limits>

namespace {

const int FramesPerSecond = 60;
const size_t LongTextLength = 100000;

}  // namespace

ValueSet OrdinaryValues() {
    // Small numbers: an int may be a size, a count or a level of detail.
    return {"ordinary values (5, false, the frame time, \"Ombrel validator\")",
            5,
            false,
            0.0f,
            true,
            "Ombrel validator"};
}

std::vector<ValueSet> EdgeValueSets() {
    const float infinity = std::numeric_limits<float>::infinity();
    return {
        {"edge values 1 (-1, false, NaN, an empty text)", -1, false,
         std::numeric_limits<float>::quiet_NaN(), false, ""},
        {"edge values 2 (2147483647, true, infinity, a text of 100000 characters)", INT_MAX, true,
         infinity, false, std::string(LongTextLength, 'x')},
        {"edge values 3 (-2147483648, true, -infinity, an empty text)", INT_MIN, true, -infinity,
         false, ""},
    };
}

bool IsHostType(const std::string& typeName) {
    return typeName == "int" || typeName == "bool" || typeName == "float" || typeName == "String";
}

Variable* NewEmptyVariable(const std::string& typeName) {
    static std::vector<Variable*>* const kept = new std::vector<Variable*>();
    Variable* variable = new Variable();
    kept->push_back(variable);
    variable->typeName.Assign(typeName.c_str());
    return variable;
}

Variable* NewHostVariable(const std::string& typeName, const ValueSet& values) {
    if (!IsHostType(typeName)) return nullptr;
    Variable* variable = NewEmptyVariable(typeName);
    if (typeName == "int") {
        variable->value = new IntValue(values.intValue);
    } else if (typeName == "bool") {
        variable->value = new IntValue(values.boolValue ? 1 : 0);
    } else if (typeName == "float") {
        variable->value = new FloatValue(values.floatValue);
    } else {
        String* text = new String();
        text->Assign(values.text.c_str());
        variable->value = text;
    }
    return variable;
}

float FloatForRun(const ValueSet& values, int run) {
    return values.floatIsFrameTime ? static_cast<float>(run) / FramesPerSecond : values.floatValue;
}
