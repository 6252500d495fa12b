#pragma once

#include "foundation/exception.h"
#include "foundation/string.h"
#include "plugin/contract.h"
#include "plugin/variable.h"

// Reading "in" arguments and filling "out" arguments through the slots that
// SetArgument received. A slot is the address of a host variable's value
// pointer: read *slot afresh at every Run, never keep what it points to.
//
// The host binds every argument and fills every "in" slot before it calls Run;
// these helpers still check, and throw an exception that names the plugin and
// the argument, which the host reports instead of crashing.

inline Value& InValue(Value** slot, const char* plugin, const char* argument) {
    if (slot == nullptr)
        throw Ombrel::Exception("Plugin %s: argument %s is not bound", plugin, argument);
    if (*slot == nullptr)
        throw Ombrel::Exception("Plugin %s: argument %s holds no value", plugin, argument);
    return **slot;
}

// "int": the 32-bit payload of the host's IntValue.
inline int ReadInt(Value** slot, const char* plugin, const char* argument) {
    return static_cast<IntValue&>(InValue(slot, plugin, argument)).value;
}

// "bool": an IntValue holding 0 or 1, of which only the lowest-addressed byte
// counts.
inline bool ReadBool(Value** slot, const char* plugin, const char* argument) {
    const IntValue& flag = static_cast<IntValue&>(InValue(slot, plugin, argument));
    return *reinterpret_cast<const unsigned char*>(&flag.value) != 0;
}

// "float": the 32-bit float payload of the host's FloatValue.
inline float ReadFloat(Value** slot, const char* plugin, const char* argument) {
    return static_cast<FloatValue&>(InValue(slot, plugin, argument)).value;
}

// "String": a copy made with this pack's own String code. The host's String is
// never written, and no pointer to its text is kept.
inline String ReadString(Value** slot, const char* plugin, const char* argument) {
    return String(static_cast<String&>(InValue(slot, plugin, argument)));
}

// Puts a value that this plugin owns into an "out" slot. The value is made on
// the first call and reused afterwards: a plugin that runs every frame updates
// its values in place instead of allocating a new one per frame.
template <typename T>
T& OutValue(Value** slot, T*& owned, const char* plugin, const char* argument) {
    if (slot == nullptr)
        throw Ombrel::Exception("Plugin %s: argument %s is not bound", plugin, argument);
    if (owned == nullptr) owned = new T();
    *slot = owned;
    return *owned;
}

// Frees a value that OutValue made, in Stop. A host variable that still points
// at it is set back to null, so nothing is left pointing at freed memory.
template <typename T>
void FreeOutValue(Value** slot, T*& owned) {
    if (owned == nullptr) return;
    if (slot != nullptr && *slot == owned) *slot = nullptr;
    delete owned;
    owned = nullptr;
}
