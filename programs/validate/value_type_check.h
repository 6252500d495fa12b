#pragma once

#include <string>

#include "foundation/stream.h"

// What is wrong with a value that a plugin stored through an "out" argument of
// the type: empty when it is a value of that type (for the host's types, of
// the class behind it; for a pack's own type, any value), otherwise what it is.
std::string ValueTypeProblem(Value* value, const std::string& typeName);
