#pragma once

#include <string>

// The long texts of the long-texts pack, shared with the tests that check
// what the host makes of them.
const int LongSignatureArguments = 3000;
const int LongNameLength = 4000;

// "out COctreeScene scene, in String title, in int depth, in int extra3, ...",
// `arguments` arguments in all.
inline std::string MakeLongSignature(int arguments) {
    std::string text = "out COctreeScene scene, in String title, in int depth";
    for (int i = 3; i < arguments; ++i) text += ", in int extra" + std::to_string(i);
    return text;
}
