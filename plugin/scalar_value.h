#pragma once

#include "foundation/stream.h"

// The scalar values behind "int", "bool" (0 or 1) and "float": the Value
// layout with one 4-byte payload that both sides read directly. The host makes
// them for its variables; a pack makes its own for its "out" arguments.
template <typename T>
class ScalarValue : public Value {
public:
    T value;

    explicit ScalarValue(T initial) : value(initial) {}
    ~ScalarValue() = default;

    // The 4 payload bytes as they lie in memory (little-endian).
    void Write(Stream& stream) override { stream.Write(&value, 4); }
    void Read(Stream& stream) override { stream.Read(&value, 4); }
    // The contract's figure: table pointer, reserved word, payload.
    int GetSize() override { return 12; }
};

class IntValue final : public ScalarValue<int> {
public:
    explicit IntValue(int initial = 0) : ScalarValue<int>(initial) {}
};

class FloatValue final : public ScalarValue<float> {
public:
    explicit FloatValue(float initial = 0.0f) : ScalarValue<float>(initial) {}
};

static_assert(sizeof(int) == 4 && sizeof(float) == 4, "scalar payloads are 4 bytes");
