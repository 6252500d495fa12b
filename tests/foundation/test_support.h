#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/exception.h"
#include "foundation/memory_stream.h"

// Success when `action` throws an Ombrel::Exception whose message is exactly
// `expected`; otherwise a failure that says what happened instead.
template <typename Action>
::testing::AssertionResult Throws(Action action, const char* expected) {
    try {
        action();
    } catch (const Ombrel::Exception& e) {
        if (std::strcmp(e.message, expected) == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "threw \"" << e.message << "\" instead of \"" << expected << "\"";
    }
    return ::testing::AssertionFailure() << "threw nothing, expected \"" << expected << "\"";
}

// The message of the Ombrel::Exception that `action` throws, or `none` when it
// throws none.
template <typename Action>
std::string MessageOf(Action action, const char* none = "(no exception)") {
    try {
        action();
    } catch (const Ombrel::Exception& e) {
        return e.message;
    }
    return none;
}

// Writes `bytes` (NULs included) into the stream and rewinds it.
inline void Fill(MemoryStream& stream, const std::string& bytes) {
    stream.Write(bytes.data(), static_cast<int>(bytes.size()));
    stream.Seek(0, Stream::SeekBegin);
}
