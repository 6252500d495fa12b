// The 64-bit layout that host and packs share, checked when an x86-64 build
// (Linux or Windows) compiles. The parts of a Value keep their order with
// 8-byte pointers: the table pointer, the reserved 4-byte word, then the
// payload: a scalar's 4 bytes right after the reserved word (offset 12), a
// String's 8-byte aligned characters array after 4 bytes of padding (16).
#include <cstddef>

#include "foundation/exception.h"
#include "plugin/contract.h"

static_assert(sizeof(void*) == 8, "this build is 64-bit");
static_assert(sizeof(String) == 40, "String is 40 bytes");
static_assert(sizeof(IntValue) == 16 && sizeof(FloatValue) == 16, "scalars are 16 bytes");
static_assert(sizeof(Ombrel::Exception) == 512, "Exception is its 512-byte message");

#pragma GCC diagnostic ignored "-Winvalid-offsetof"

static_assert(offsetof(String, text) == 16, "a String's characters array starts at offset 16");
static_assert(offsetof(IntValue, value) == 12, "an IntValue's payload is at offset 12");
static_assert(offsetof(FloatValue, value) == 12, "a FloatValue's payload is at offset 12");
