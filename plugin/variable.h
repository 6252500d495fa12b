#pragma once

#include "foundation/stream.h"
#include "foundation/string.h"
#include "plugin/scalar_value.h"

// A host variable: the address of `value` is the argument slot that plugins
// receive, so a Variable must not move while a plugin is bound to it.
// Destroying it frees its two Strings and never the value it points to.
// Host-only: a pack sees nothing but the slot.
class Variable {
public:
    String name;
    String typeName;
    Value* value;

    Variable() : value(nullptr) {}
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;
};
