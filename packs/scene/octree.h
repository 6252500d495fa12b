#pragma once

#include <vector>

#include "packs/scene/solid.h"

// One cube of the octree: its centre and half its edge.
struct OctreeCell {
    float x, y, z;
    float half;
};

// An octree over the cube from -1 to 1, refined only where the solid's surface
// may pass: a cell is split into its eight children when the surface may cross
// it, and the cells that do not touch the surface are dropped. Level 0 is the
// whole cube; level `depth` holds the leaves.
class Octree {
public:
    static constexpr int MinDepth = 1;
    static constexpr int MaxDepth = 8;

    // Depths outside MinDepth..MaxDepth are brought to the nearest bound: the
    // tree below level 8 would take hundreds of megabytes to draw.
    static int ClampDepth(int wanted);

    // A cell may hold part of the surface when the solid's distance bound at
    // its centre does not exceed its half diagonal.
    static bool MayCrossSurface(const Solid& solid, const OctreeCell& cell);

    Octree(const Solid& solid, int wantedDepth);

    int GetDepth() const { return depth; }
    // The cells of one level, 0 to GetDepth(); those of an empty level (or of
    // a level out of range) are an empty list.
    const std::vector<OctreeCell>& GetLevel(int level) const;
    const std::vector<OctreeCell>& GetLeaves() const { return GetLevel(depth); }

private:
    int depth;
    std::vector<OctreeCell> levels[MaxDepth + 1];
};
