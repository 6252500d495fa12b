#include "foundation/memory_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

static const char NotEnough[] = "Not enough bytes to read from MemoryStream";
static const char InvalidPosition[] = "Invalid position in MemoryStream";

// Position, length and the valid bytes, to show that a failed call moved nothing.
static std::string State(const MemoryStream& s) {
    return std::to_string(s.position) + "/" + std::to_string(s.length) + ":" +
           std::string(s.buffer.data, static_cast<size_t>(s.length));
}

static std::vector<char> Pattern(int size) {
    std::vector<char> bytes(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(i * 31 + i / 251);
    return bytes;
}

static void ExpectContent(MemoryStream& s, const std::vector<char>& expected) {
    ASSERT_EQ(static_cast<int>(expected.size()), s.length);
    s.Seek(0, Stream::SeekBegin);
    std::vector<char> back(expected.size());
    s.Read(back.data(), static_cast<int>(back.size()));
    EXPECT_TRUE(back == expected) << "bytes read back differ from those written";
}

TEST(MemoryStream, NewStreamIsEmptyWithInitialBuffer) {
    MemoryStream s;
    EXPECT_EQ(0, s.Tell());
    EXPECT_TRUE(s.IsEOF());
    EXPECT_EQ(65536, s.buffer.capacity);
    EXPECT_EQ(2.0f, s.buffer.growthFactor);
    EXPECT_EQ(65536, s.reservedSize);
    EXPECT_TRUE(Throws([&] { s.ReadByte(); }, NotEnough));
}

TEST(MemoryStream, BytesReadBackInOrderUntilTheEnd) {
    MemoryStream s;
    Fill(s, "hello");
    EXPECT_EQ(5, s.length);
    for (char expected : std::string("hello")) {
        EXPECT_FALSE(s.IsEOF());
        EXPECT_EQ(expected, s.ReadByte());
    }
    EXPECT_TRUE(s.IsEOF());
    EXPECT_TRUE(Throws([&] { s.ReadByte(); }, NotEnough));
    EXPECT_EQ("5/5:hello", State(s));
}

TEST(MemoryStream, SeekMovesWithinTheLengthOnly) {
    MemoryStream s;
    Fill(s, "12345");
    s.Seek(0, Stream::SeekEnd);
    EXPECT_EQ(5, s.Tell());
    s.Seek(-2, Stream::SeekEnd);
    EXPECT_EQ(3, s.Tell());
    s.Seek(-1, Stream::SeekCurrent);
    EXPECT_EQ(2, s.Tell());
    s.Seek(5, Stream::SeekBegin);
    EXPECT_EQ(5, s.Tell());
    s.Seek(3, Stream::SeekBegin);

    EXPECT_TRUE(Throws([&] { s.Seek(1, Stream::SeekEnd); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Seek(6, Stream::SeekBegin); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Seek(3, Stream::SeekCurrent); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Seek(0, 3); }, "Invalid Seek Option in MemoryStream"));
    EXPECT_TRUE(Throws([&] { s.Seek(-1, -1); }, "Invalid Seek Option in MemoryStream"));
    // Targets below 0 are refused just like targets past the end.
    EXPECT_TRUE(Throws([&] { s.Seek(-1, Stream::SeekBegin); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Seek(-4, Stream::SeekCurrent); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Seek(-6, Stream::SeekEnd); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Seek(-2147483647 - 1, Stream::SeekCurrent); }, InvalidPosition));
    EXPECT_EQ("3/5:12345", State(s)) << "failed seeks leave the stream as it was";
}

TEST(MemoryStream, ReadNeedsEnoughBytesAndANonNegativeCount) {
    MemoryStream s;
    Fill(s, "abcde");
    s.Seek(3, Stream::SeekBegin);
    char out[8] = {};
    EXPECT_TRUE(Throws([&] { s.Read(out, 3); }, NotEnough));
    EXPECT_TRUE(Throws([&] { s.Read(out, -1); }, NotEnough));
    EXPECT_TRUE(Throws([&] { s.Read(out, 2147483647); }, NotEnough));
    EXPECT_EQ("3/5:abcde", State(s));
    EXPECT_STREQ("", out) << "a failed Read copies nothing";
    s.Read(out, 0);
    s.Read(out, 2);
    EXPECT_STREQ("de", out);
    EXPECT_TRUE(s.IsEOF());
}

TEST(MemoryStream, WriteOverwritesAndExtendsTheLength) {
    MemoryStream s;
    Fill(s, "abcde");
    s.Seek(1, Stream::SeekBegin);
    s.Write("XY", 2);
    EXPECT_EQ("3/5:aXYde", State(s)) << "overwriting inside keeps the length";
    s.Write("1234", 4);
    EXPECT_EQ("7/7:aXY1234", State(s));
    s.Seek(0, Stream::SeekEnd);
    s.WriteByte('!');
    EXPECT_EQ("8/8:aXY1234!", State(s));
    s.Seek(0, Stream::SeekBegin);
    s.WriteByte('_');
    EXPECT_EQ("1/8:_XY1234!", State(s));
}

TEST(MemoryStream, NegativeOrOverflowingWriteFailsAndChangesNothing) {
    MemoryStream s;
    Fill(s, "abc");
    s.Seek(2, Stream::SeekBegin);
    EXPECT_TRUE(Throws([&] { s.Write("x", -1); }, InvalidPosition));
    EXPECT_TRUE(Throws([&] { s.Write("x", 2147483647); }, InvalidPosition));
    EXPECT_EQ("2/3:abc", State(s));
    EXPECT_EQ(65536, s.buffer.capacity);
}

TEST(MemoryStream, LargeWritesKeepEveryByte) {
    std::vector<char> big = Pattern(300000);
    MemoryStream one;
    one.Write(big.data(), static_cast<int>(big.size()));
    EXPECT_EQ(300000, one.Tell());
    EXPECT_GE(one.buffer.capacity, 300000);
    ExpectContent(one, big);

    MemoryStream many;
    for (size_t at = 0; at < big.size(); at += 7000) {
        int count = static_cast<int>(std::min<size_t>(7000, big.size() - at));
        many.Write(big.data() + at, count);
    }
    ExpectContent(many, big);

    MemoryStream exact;
    exact.Write(big.data(), 65536);
    exact.Write(big.data() + 65536, 1);
    ExpectContent(exact, std::vector<char>(big.begin(), big.begin() + 65537));

    MemoryStream bytes;
    for (int i = 0; i < 70000; ++i) bytes.WriteByte(big[static_cast<size_t>(i)]);
    bytes.Write(big.data() + 70000, 100000);
    ExpectContent(bytes, std::vector<char>(big.begin(), big.begin() + 170000));
}

TEST(MemoryStream, GrowsWhenItsValidBytesReachTheCapacity) {
    std::vector<char> big = Pattern(65537);
    MemoryStream s;
    s.Write(big.data(), 65535);
    EXPECT_EQ(65536, s.buffer.capacity) << "one byte short of the capacity: no growth";
    s.Write(big.data() + 65535, 1);
    EXPECT_EQ(131072, s.buffer.capacity) << "the valid bytes reached the capacity";
    EXPECT_EQ(65536, s.reservedSize) << "that growth leaves the reserved size";
    s.Write(big.data() + 65536, 1);
    EXPECT_EQ(262144, s.buffer.capacity) << "past the reserved size: the buffer doubles again";
    EXPECT_EQ(262144, s.reservedSize);
    ExpectContent(s, big);
}

TEST(MemoryStream, ClearEmptiesAndRestoresTheInitialBuffer) {
    std::vector<char> big = Pattern(200000);
    MemoryStream s;
    s.Write(big.data(), static_cast<int>(big.size()));
    s.Clear();
    EXPECT_EQ(0, s.length);
    EXPECT_TRUE(s.IsEOF());
    EXPECT_EQ(65536, s.buffer.capacity);
    EXPECT_EQ(65536, s.reservedSize);
    EXPECT_EQ(2.0f, s.buffer.growthFactor);
    s.Write("xy", 2);
    EXPECT_EQ("2/2:xy", State(s)) << "the next write starts at offset 0";
}
