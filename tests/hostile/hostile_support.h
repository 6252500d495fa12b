#pragma once

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "plugin/registry.h"
#include "tests/foundation/test_support.h"
#include "tests/plugin/fixture_packs.h"

// How many packs a registry holds.
inline int CountPacks(const PluginRegistry& registry) {
    return static_cast<int>(std::distance(registry.packs.begin(), registry.packs.end()));
}
