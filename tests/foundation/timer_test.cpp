#include "foundation/timer.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "test_support.h"

namespace {

// A counter the test moves by hand.
int64_t ticks = 0;
int64_t ticksPerSecond = 1000000;
bool readable = true;

int64_t FakeFrequency() {
    return ticksPerSecond;
}
bool FakeRead(int64_t* out) {
    if (!readable) return false;
    *out = ticks;
    return true;
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ticks = 0;
        ticksPerSecond = 1000000;
        readable = true;
    }
    const PerformanceCounter fake = {FakeFrequency, FakeRead};
};

}  // namespace

TEST_F(TimerTest, SecondsAreTicksSinceResetOverFrequency) {
    Timer timer(fake);
    EXPECT_EQ(1000000, timer.frequency);
    ticks = 123456;
    timer.Reset();
    EXPECT_EQ(123456, timer.startCount);
    EXPECT_EQ(0.0, timer.Seconds());
    ticks += 2500000;
    EXPECT_DOUBLE_EQ(2.5, timer.Seconds());
    EXPECT_EQ(123456 + 2500000, timer.nowCount);

    timer.offset = 0.25f;
    EXPECT_DOUBLE_EQ(2.75, timer.Seconds()) << "the offset is added to every reading";
    timer.Reset();
    EXPECT_EQ(0.0f, timer.offset);
    ticks += 500000;
    EXPECT_DOUBLE_EQ(0.5, timer.Seconds()) << "a second Reset starts again from 0";
}

TEST_F(TimerTest, UsesTheFullSixtyFourBitCounter) {
    Timer timer(fake);
    ticks = INT64_C(0x7000000000000000);
    timer.Reset();
    ticks += 1500000;
    EXPECT_DOUBLE_EQ(1.5, timer.Seconds());
}

TEST_F(TimerTest, UnreadableCounterFailsResetAndChangesNothing) {
    Timer timer(fake);
    ticks = 777;
    timer.Reset();
    timer.offset = 1.0f;
    readable = false;
    ticks = 999;
    EXPECT_TRUE(
        Throws([&] { timer.Reset(); }, "High resolution performance counter not supported"));
    EXPECT_EQ(777, timer.startCount);
    EXPECT_EQ(1.0f, timer.offset);

    ticksPerSecond = 0;
    readable = true;
    Timer noFrequency(fake);
    EXPECT_TRUE(
        Throws([&] { noFrequency.Reset(); }, "High resolution performance counter not supported"))
        << "a counter without a frequency would divide by zero";
}

TEST(SystemTimer, ReadingsStartNearZeroAndNeverDecrease) {
    Timer timer;
    EXPECT_GT(timer.frequency, 0);
    timer.Reset();
    double first = timer.Seconds();
    double second = timer.Seconds();
    EXPECT_GE(first, 0.0);
    EXPECT_LT(first, 1.0);
    EXPECT_GE(second, first);
}
