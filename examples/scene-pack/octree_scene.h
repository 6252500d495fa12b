#pragma once

#include "plugin/contract.h"

// The value behind the signature type "COctreeScene" in this example: a cube
// split into eighths, `depth` times over, drawn as lines, with satellites
// around it. LoadCOctreeScene makes it and PrintCOctreeScene draws it; the
// host only holds it by pointer and hands it on.
class COctreeScene final : public Value {
public:
    int depth;

    COctreeScene() : depth(0) {}
    ~COctreeScene() = default;

    // A scene is not serialized: both leave the stream untouched.
    void Write(Stream&) override {}
    void Read(Stream&) override {}
    int GetSize() override { return static_cast<int>(sizeof(COctreeScene)); }

    // Draws the frame for demo time `time`, with `count` satellites, into
    // the current OpenGL context.
    void Draw(float time, int count) const;
};
