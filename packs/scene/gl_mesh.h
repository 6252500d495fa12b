#pragma once

#include <vector>

#include "packs/scene/cell_mesh.h"

// A set of quads handed to OpenGL once. When a rendering context is current
// at Upload, the quads are compiled into a display list and the pack's own
// copy is dropped; without a context they stay in a vertex array, drawn from
// there. Either way, drawing allocates nothing.
class GlMesh {
public:
    GlMesh() : list(0), vertexCount(0), withColors(false) {}
    ~GlMesh();
    GlMesh(const GlMesh&) = delete;
    GlMesh& operator=(const GlMesh&) = delete;

    // Takes the vertices (the vector is left empty). With `colored` the
    // vertices' colours are used; without, the current colour is.
    void Upload(std::vector<MeshVertex>& built, bool colored);
    void Draw() const;

    int GetVertexCount() const { return vertexCount; }
    bool IsCompiled() const { return list != 0; }

private:
    void DrawArrays() const;

    unsigned list;
    int vertexCount;
    bool withColors;
    std::vector<MeshVertex> vertices;
};
