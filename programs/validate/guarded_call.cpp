#include "programs/validate/guarded_call.h"

#include <cxxabi.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <typeinfo>

#include "foundation/exception.h"

namespace {

// The readable name of the type of the exception being handled.
std::string CurrentTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (type == nullptr) return "an exception of unknown type";
    int status = 0;
    char* readable = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : type->name();
    std::free(readable);
    return name;
}

}  // namespace

CallOutcome CurrentExceptionOutcome() {
    CallOutcome outcome;
    try {
        throw;
    } catch (const Ombrel::Exception& e) {
        outcome.kind = CallOutcome::OmbrelException;
        const void* end = std::memchr(e.message, '\0', sizeof e.message);
        outcome.textEnded = end != nullptr;
        size_t length = end ? static_cast<const char*>(end) - e.message : sizeof e.message;
        outcome.text.assign(e.message, length);
    } catch (const std::exception& e) {
        outcome.kind = CallOutcome::OtherException;
        outcome.text = CurrentTypeName() + " (\"" + e.what() + "\")";
    } catch (...) {
        outcome.kind = CallOutcome::OtherException;
        outcome.text = CurrentTypeName();
    }
    return outcome;
}
