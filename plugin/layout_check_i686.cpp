// The 32-bit layout that host and packs share, checked when the i686 build
// compiles.
#include <cstddef>

#include "foundation/exception.h"
#include "plugin/contract.h"

static_assert(sizeof(void*) == 4, "the Windows build is 32-bit");
static_assert(sizeof(String) == 24, "String is 24 bytes");
static_assert(sizeof(IntValue) == 12 && sizeof(FloatValue) == 12, "scalars are 12 bytes");
static_assert(sizeof(Ombrel::Exception) == 512, "Exception is its 512-byte message");

#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace {
struct PayloadProbe : Value {
    int payload;
    void Write(Stream&) override {}
    void Read(Stream&) override {}
    int GetSize() override { return 12; }
};
}  // namespace
static_assert(offsetof(PayloadProbe, payload) == 8, "a Value's payload starts at offset 8");
static_assert(offsetof(String, text) == 8, "a String's characters array starts at offset 8");
static_assert(offsetof(IntValue, value) == 8, "an IntValue's payload is at offset 8");
