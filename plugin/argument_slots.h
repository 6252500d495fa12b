#pragma once

#include "foundation/exception.h"
#include "foundation/string.h"
#include "plugin/scalar_value.h"

// Reading "in" arguments and filling "out" arguments through the slots that
// SetArgument received. A slot is the address of a host variable's value
// pointer: read *slot afresh at every Run, never keep what it points to.
//
// The host binds every argument and fills every "in" slot before it calls Run;
// the checked readers still check, and throw an exception that names the
// plugin and the argument, which the host reports instead of crashing. Only
// ReadString (a copy) and the first OutValue of a value allocate: the rest
// serve a per-frame Run.

// The value in a slot, or null when the slot is not bound or holds nothing.
inline Value* FindInValue(Value** slot) {
    return slot != nullptr ? *slot : nullptr;
}

inline Value& InValue(Value** slot, const char* plugin, const char* argument) {
    if (slot == nullptr)
        throw Ombrel::Exception("Plugin %s: argument %s is not bound", plugin, argument);
    if (*slot == nullptr)
        throw Ombrel::Exception("Plugin %s: argument %s holds no value", plugin, argument);
    return **slot;
}

// The payloads as the host lays them out.
// "int": the 32-bit payload of an IntValue.
inline int IntPayload(const Value& value) {
    return static_cast<const IntValue&>(value).value;
}

// "bool": an IntValue holding 0 or 1, of which only the lowest-addressed byte
// counts.
inline bool BoolPayload(const Value& value) {
    const IntValue& flag = static_cast<const IntValue&>(value);
    return *reinterpret_cast<const unsigned char*>(&flag.value) != 0;
}

// "float": the 32-bit float payload of a FloatValue.
inline float FloatPayload(const Value& value) {
    return static_cast<const FloatValue&>(value).value;
}

// "String": a copy made with this pack's own String code. The host's String is
// never written, and no pointer to its text is kept.
inline String StringPayload(const Value& value) {
    return String(static_cast<const String&>(value));
}

// Checked readers: the argument must be bound and hold a value.
inline int ReadInt(Value** slot, const char* plugin, const char* argument) {
    return IntPayload(InValue(slot, plugin, argument));
}

inline bool ReadBool(Value** slot, const char* plugin, const char* argument) {
    return BoolPayload(InValue(slot, plugin, argument));
}

inline float ReadFloat(Value** slot, const char* plugin, const char* argument) {
    return FloatPayload(InValue(slot, plugin, argument));
}

inline String ReadString(Value** slot, const char* plugin, const char* argument) {
    return StringPayload(InValue(slot, plugin, argument));
}

// Readers for an argument a plugin can do without: `fallback` when the slot is
// not bound or holds nothing.
inline int ReadIntOr(Value** slot, int fallback) {
    const Value* value = FindInValue(slot);
    return value != nullptr ? IntPayload(*value) : fallback;
}

inline bool ReadBoolOr(Value** slot, bool fallback) {
    const Value* value = FindInValue(slot);
    return value != nullptr ? BoolPayload(*value) : fallback;
}

inline float ReadFloatOr(Value** slot, float fallback) {
    const Value* value = FindInValue(slot);
    return value != nullptr ? FloatPayload(*value) : fallback;
}

inline String ReadStringOr(Value** slot, const char* fallback) {
    const Value* value = FindInValue(slot);
    if (value != nullptr) return StringPayload(*value);
    String text;
    text.Assign(fallback);
    return text;
}

// The host variable's value pointer behind an "out" slot, for the plugin to
// overwrite with a value of its own. What it held is neither looked at nor
// freed.
inline Value*& OutSlot(Value** slot, const char* plugin, const char* argument) {
    if (slot == nullptr)
        throw Ombrel::Exception("Plugin %s: argument %s is not bound", plugin, argument);
    return *slot;
}

// Puts a value that this plugin owns into an "out" slot. The value is made on
// the first call and reused afterwards: a plugin that runs every frame updates
// its values in place instead of allocating a new one per frame.
template <typename T>
T& OutValue(Value** slot, T*& owned, const char* plugin, const char* argument) {
    Value*& out = OutSlot(slot, plugin, argument);
    if (owned == nullptr) owned = new T();
    out = owned;
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
