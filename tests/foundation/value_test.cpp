#include <gtest/gtest.h>

#include <cstring>

#include "foundation/memory_stream.h"
#include "foundation/string.h"
#include "plugin/scalar_value.h"
#include "test_support.h"

// The Value operations reached through the interface, as a pack reaches them.
TEST(ValueInterface, StringRoundTripsAsTheLastThingInAStream) {
    MemoryStream stream;
    String written;
    written.Assign("in String name");
    Value& out = written;
    out.Write(stream);
    EXPECT_EQ(14, stream.length) << "no NUL and no length prefix";
    EXPECT_EQ(24 + written.text.capacity, out.GetSize());

    stream.Seek(0, Stream::SeekBegin);
    String read;
    Value& in = read;
    in.Read(stream);
    EXPECT_STREQ("in String name", read.GetText());
}

TEST(ValueInterface, ScalarsWriteTheirFourBytesLittleEndian) {
    MemoryStream stream;
    IntValue number(0x04030201);
    FloatValue time(2.5f);
    Value& a = number;
    Value& b = time;
    a.Write(stream);
    b.Write(stream);
    EXPECT_EQ(12, a.GetSize());
    EXPECT_EQ(12, b.GetSize());
    ASSERT_EQ(8, stream.length);
    EXPECT_EQ(0, std::memcmp(stream.buffer.data, "\x01\x02\x03\x04", 4));

    stream.Seek(0, Stream::SeekBegin);
    IntValue numberBack;
    FloatValue timeBack;
    numberBack.Read(stream);
    timeBack.Read(stream);
    EXPECT_EQ(0x04030201, numberBack.value);
    EXPECT_EQ(2.5f, timeBack.value);

    stream.Seek(-3, Stream::SeekEnd);
    EXPECT_TRUE(
        Throws([&] { numberBack.Read(stream); }, "Not enough bytes to read from MemoryStream"));
    EXPECT_EQ(0x04030201, numberBack.value) << "a short read leaves the value";
}
