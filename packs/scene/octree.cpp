#include "packs/scene/octree.h"

namespace {

const float HalfDiagonalPerHalfEdge = 1.7320508f;  // sqrt 3

}  // namespace

int Octree::ClampDepth(int wanted) {
    if (wanted < MinDepth) return MinDepth;
    if (wanted > MaxDepth) return MaxDepth;
    return wanted;
}

bool Octree::MayCrossSurface(const Solid& solid, const OctreeCell& cell) {
    float distance = solid.Distance(cell.x, cell.y, cell.z);
    float reach = cell.half * HalfDiagonalPerHalfEdge;
    return distance <= reach && distance >= -reach;
}

Octree::Octree(const Solid& solid, int wantedDepth) : depth(ClampDepth(wantedDepth)) {
    OctreeCell root = {0.0f, 0.0f, 0.0f, 1.0f};
    if (MayCrossSurface(solid, root)) levels[0].push_back(root);
    // Level by level: a child of a dropped cell can never cross the surface,
    // so only the children of kept cells are looked at.
    for (int level = 1; level <= depth; ++level) {
        const std::vector<OctreeCell>& parents = levels[level - 1];
        std::vector<OctreeCell>& children = levels[level];
        children.reserve(parents.size() * 4);
        for (const OctreeCell& parent : parents) {
            float half = parent.half * 0.5f;
            for (int corner = 0; corner < 8; ++corner) {
                OctreeCell child = {parent.x + ((corner & 1) ? half : -half),
                                    parent.y + ((corner & 2) ? half : -half),
                                    parent.z + ((corner & 4) ? half : -half), half};
                if (MayCrossSurface(solid, child)) children.push_back(child);
            }
        }
    }
}

const std::vector<OctreeCell>& Octree::GetLevel(int level) const {
    static const std::vector<OctreeCell> none;
    if (level < 0 || level > depth) return none;
    return levels[level];
}
