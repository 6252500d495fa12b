#pragma once

// Keeps this type's identity visible across modules on Linux, where packs are
// built with hidden symbols, so that an exception thrown inside a pack is
// caught by the host as this very type. Windows modules share it through the
// one C++ runtime they all use.
#if defined(_WIN32)
#define OMBREL_EXPORTED_TYPE
#else
#define OMBREL_EXPORTED_TYPE __attribute__((visibility("default")))
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
