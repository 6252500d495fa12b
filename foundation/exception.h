#pragma once

// OMBREL_EXPORTED_TYPE is set by the build: on Linux it keeps this type's
// identity visible across modules, so that an exception thrown inside a pack is
// caught by the host as this very type.
#ifndef OMBREL_EXPORTED_TYPE
#define OMBREL_EXPORTED_TYPE
#endif

namespace Ombrel {

// The one exception type of the system: exactly a 512-byte message buffer,
// formatted printf-style at construction and copied byte for byte. Messages
// longer than 511 characters are cut.
class OMBREL_EXPORTED_TYPE Exception {
public:
    char message[512];

    explicit Exception(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Shows the message in a modal box captioned "Exception" with the stop icon
    // and one OK button. Lives in the reporting library, which only the host
    // links.
    void Show();
};

}  // namespace Ombrel
