#pragma once

#include "foundation/stream.h"
#include "packs/scene/caption.h"
#include "packs/scene/gl_mesh.h"
#include "packs/scene/octree.h"

// The value behind the signature type "COctreeScene": an octree built around
// the procedural solid, with every level's cells ready to draw, and the
// captions. It is made by LoadCOctreeScene and drawn by PrintCOctreeScene;
// the host holds it only by pointer.
class COctreeScene final : public Value {
public:
    // The most satellites drawn, whatever count a frame asks for.
    static constexpr int MaxSatellites = 256;

    // Builds the octree of `wantedDepth` (clamped to Octree's range) and hands
    // its levels to the current OpenGL context, if there is one.
    COctreeScene(const char* title, int wantedDepth);
    ~COctreeScene() = default;

    // A scene is not serialized.
    void Write(Stream&) override {}
    void Read(Stream&) override {}
    int GetSize() override { return static_cast<int>(sizeof(COctreeScene)); }

    int GetDepth() const { return depth; }

    // Draws the whole frame for demo time `time` into the current context's
    // back buffer: background, octree, `count` satellites, the caption in
    // English or Spanish, and the fade from black.
    void Draw(float time, int count, bool english);

private:
    void DrawSolid(float time);
    void DrawSatellites(float time, int count);
    void DrawOverlay(float time, int count, bool english, int width, int height);

    int depth;
    GlMesh levels[Octree::MaxDepth + 1];
    GlMesh satellite;
    Caption titleLine;
    Caption englishLine;
    Caption spanishLine;
    Caption statusLine;
};
