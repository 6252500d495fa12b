#pragma once

#include <string>
#include <vector>

// The name among `names` nearest to `wanted`, for a misspelt plugin name:
// one that differs in letter case only, or in at most a quarter of its
// letters (two at least). Empty when none is that near.
std::string NearestName(const std::string& wanted, const std::vector<std::string>& names);
