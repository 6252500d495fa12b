#include <gtest/gtest.h>

#include "foundation/string.h"

TEST(StringSmoke, DefaultIsEmpty) {
    String s;
    EXPECT_EQ(0, s.GetLength());
    EXPECT_EQ(34, s.GetSize());
}
