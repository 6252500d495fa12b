#include "plugin/scalar_value.h"

#include <gtest/gtest.h>

#include <cstring>

#include "foundation/memory_stream.h"

TEST(ScalarValue, WritesAndReadsItsFourPayloadBytesLittleEndian) {
    IntValue width(640);
    MemoryStream stream;
    width.Write(stream);
    ASSERT_EQ(stream.length, 4);
    const unsigned char expected[] = {0x80, 0x02, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(stream.buffer.data, expected, 4), 0);

    stream.Seek(0, Stream::SeekBegin);
    IntValue copy(0);
    copy.Read(stream);
    EXPECT_EQ(copy.value, 640);

    FloatValue time(1.5f);
    MemoryStream floats;
    time.Write(floats);
    floats.Seek(0, Stream::SeekBegin);
    FloatValue timeCopy;
    timeCopy.Read(floats);
    EXPECT_EQ(timeCopy.value, 1.5f);
}

TEST(ScalarValue, SizeIsTheContractsTwelveAndBoolIsZeroOrOne) {
    IntValue truth(true), falsehood(false);
    FloatValue time;
    EXPECT_EQ(truth.GetSize(), 12);
    EXPECT_EQ(time.GetSize(), 12);
    EXPECT_EQ(truth.value, 1);
    EXPECT_EQ(falsehood.value, 0);
    EXPECT_EQ(time.value, 0.0f);
}
