#include "plugin/variable.h"

#include <gtest/gtest.h>

TEST(Variable, StartsEmptyAndLeavesItsValueAliveWhenDestroyed) {
    IntValue* value = new IntValue(42);
    {
        Variable variable;
        EXPECT_STREQ(variable.name.GetText(), "");
        EXPECT_STREQ(variable.typeName.GetText(), "");
        EXPECT_EQ(variable.value, nullptr);
        variable.typeName.Assign("int");
        variable.value = value;
    }
    EXPECT_EQ(value->value, 42);
    delete value;
}
