#include "programs/validate/value_type_check.h"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include "plugin/host_types.h"
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
    const HostType* type = FindHostType(typeName);
    if (type == nullptr) return "";
    const std::string actual = ClassName(value);
    if (actual != type->className) {
        const char* article = std::strchr("AEIOU", type->className[0]) ? "an " : "a ";
        return "an object of class " + actual + ", where \"" + typeName + "\" needs " + article +
               type->className;
    }
    return type->payloadProblem(*value);
}
