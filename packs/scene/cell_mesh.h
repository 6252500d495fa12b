#pragma once

#include <vector>

#include "packs/scene/octree.h"
#include "packs/scene/solid.h"

// One corner of a quad, laid out for OpenGL's interleaved vertex arrays.
struct MeshVertex {
    float position[3];
    float normal[3];
    unsigned char color[4];
};

// Cells are drawn a little smaller than they are, so that thin gaps between
// them show the octree's structure.
const float CellShrink = 0.95f;

// Appends the faces of an axis-aligned cube as counter-clockwise quads (four
// vertices each, outward normals). Bit i of `faces` selects face i, in the
// order +x, -x, +y, -y, +z, -z.
void AppendCube(std::vector<MeshVertex>& vertices, const OctreeCell& cube,
                const unsigned char color[4], unsigned faces);

// Appends the quads of one octree level: each cell, shrunk, coloured after the
// part of the solid it belongs to, with only its faces that look into empty
// space: those toward a neighbour of the level or into the solid are hidden.
void AppendLevel(std::vector<MeshVertex>& vertices, const Solid& solid,
                 const std::vector<OctreeCell>& cells);
