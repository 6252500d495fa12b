#pragma once

#include <string>

// What came of one call into a pack: it returned, or it threw the system's
// exception, or it threw something else, which would end the host on the spot.
struct CallOutcome {
    enum Kind { Returned, OmbrelException, OtherException };

    Kind kind = Returned;
    // The Ombrel::Exception's message, or the other exception's type (and
    // what() for a standard exception).
    std::string text;
    // False when the Ombrel::Exception's message fills its buffer without
    // ending: the host would read past it.
    bool textEnded = true;
};

// Inside a catch block: what the exception being handled is.
CallOutcome CurrentExceptionOutcome();

template <typename Call>
CallOutcome GuardedCall(Call call) {
    try {
        call();
    } catch (...) {
        return CurrentExceptionOutcome();
    }
    return CallOutcome();
}
