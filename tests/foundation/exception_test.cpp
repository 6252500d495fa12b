#include "foundation/exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>

static void Fail(const char* name) {
    throw Ombrel::Exception("Unable to load: %s", name);
}

TEST(Exception, IsItsFormattedMessageAndNothingElse) {
    static_assert(sizeof(Ombrel::Exception) == 512, "an exception is its 512-byte message");
    Ombrel::Exception e("Plugin %s not found (%d of %d)", "OpenGLInit", 2, 4);
    EXPECT_STREQ("Plugin OpenGLInit not found (2 of 4)", e.message);
    Ombrel::Exception plain("Invalid position in MemoryStream");
    EXPECT_STREQ("Invalid position in MemoryStream", plain.message);
}

TEST(Exception, CaughtCopyCarriesTheMessage) {
    try {
        Fail("Kestrelia.dll");
        FAIL() << "nothing was thrown";
    } catch (Ombrel::Exception copy) {
        EXPECT_STREQ("Unable to load: Kestrelia.dll", copy.message);
        Ombrel::Exception again = copy;
        EXPECT_EQ(0, std::memcmp(&again, &copy, sizeof copy)) << "copies are byte for byte";
    }
}

// A long message is cut at 511 characters and nothing past the object is touched.
TEST(Exception, LongMessageIsTruncatedInsideItsBuffer) {
    alignas(Ombrel::Exception) unsigned char memory[sizeof(Ombrel::Exception) + 64];
    std::memset(memory, 0xA5, sizeof memory);
    std::string name(2000, 'n');
    auto* e = new (memory) Ombrel::Exception("Unable to load: %s", name.c_str());
    EXPECT_EQ(511u, std::strlen(e->message));
    EXPECT_EQ(0, std::strncmp("Unable to load: nnn", e->message, 19));
    for (size_t i = sizeof(Ombrel::Exception); i < sizeof memory; ++i) {
        ASSERT_EQ(0xA5, memory[i]) << "byte " << i << " past the message was overwritten";
    }
}
