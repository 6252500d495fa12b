#pragma once

#include <gtest/gtest.h>

#include <string>

#include "plugin/registry.h"
#include "tests/foundation/test_support.h"
#include "tests/plugin/fixture_packs.h"

// How many packs a registry holds.
inline int CountPacks(const PluginRegistry& registry) {
    int count = 0;
    for (auto* node = registry.packs.head->next; node != registry.packs.tail; node = node->next) {
        ++count;
    }
    return count;
}
