#include "tools/validate/value_type_check.h"

#include <cxxabi.h>

#include <cstdlib>
#include <typeinfo>

#include "plugin/variable.h"

namespace {

// The class of the value, from its table of operations.
std::string ClassName(Value* value) {
    const char* mangled = typeid(*value).name();
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : mangled;
    std::free(readable);
    return name;
}

}  // namespace

std::string ValueTypeProblem(Value* value, const std::string& typeName) {
    const char* expected = typeName == "int" || typeName == "bool" ? "IntValue"
                           : typeName == "float"                   ? "FloatValue"
                           : typeName == "String"                  ? "String"
                                                                   : nullptr;
    if (expected == nullptr) return "";
    const std::string actual = ClassName(value);
    if (actual != expected) {
        const char* article = expected[0] == 'I' ? "an " : "a ";
        return "an object of class " + actual + ", where \"" + typeName + "\" needs " + article +
               expected;
    }
    if (typeName == "bool") {
        int flag = static_cast<IntValue*>(value)->value;
        if (flag != 0 && flag != 1)
            return "an IntValue holding " + std::to_string(flag) + ", where \"bool\" holds 0 or 1";
    }
    return "";
}
