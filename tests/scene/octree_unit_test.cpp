#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "packs/scene/cell_mesh.h"
#include "packs/scene/octree.h"
#include "packs/scene/solid.h"

namespace {

using CellKey = std::tuple<int, int, int>;

// The integer position of a cell in the grid of its level.
CellKey KeyOf(const OctreeCell& cell) {
    float edge = 2.0f * cell.half;
    return CellKey(static_cast<int>(std::floor((cell.x + 1.0f) / edge)),
                   static_cast<int>(std::floor((cell.y + 1.0f) / edge)),
                   static_cast<int>(std::floor((cell.z + 1.0f) / edge)));
}

std::set<CellKey> KeysOf(const std::vector<OctreeCell>& cells) {
    std::set<CellKey> keys;
    for (const OctreeCell& cell : cells) keys.insert(KeyOf(cell));
    return keys;
}

}  // namespace

TEST(Octree, DepthIsClampedToOneToEight) {
    EXPECT_EQ(Octree::ClampDepth(INT_MIN), 1);
    EXPECT_EQ(Octree::ClampDepth(0), 1);
    EXPECT_EQ(Octree::ClampDepth(1), 1);
    EXPECT_EQ(Octree::ClampDepth(5), 5);
    EXPECT_EQ(Octree::ClampDepth(8), 8);
    EXPECT_EQ(Octree::ClampDepth(9), 8);
    EXPECT_EQ(Octree::ClampDepth(INT_MAX), 8);
    Solid solid;
    Octree shallow(solid, -2);
    EXPECT_EQ(shallow.GetDepth(), 1);
    EXPECT_TRUE(shallow.GetLevel(2).empty());
    EXPECT_TRUE(shallow.GetLevel(-1).empty());
}

TEST(Octree, LeavesCoverTheWholeSurfaceAndNothingFarFromIt) {
    Solid solid;
    Octree octree(solid, 5);
    const std::vector<OctreeCell>& leaves = octree.GetLeaves();
    ASSERT_FALSE(leaves.empty());
    for (const OctreeCell& leaf : leaves) {
        ASSERT_FLOAT_EQ(leaf.half, 1.0f / 32.0f);
        ASSERT_TRUE(Octree::MayCrossSurface(solid, leaf))
            << "a leaf at " << leaf.x << ", " << leaf.y << ", " << leaf.z << " misses the surface";
    }
    // Points on the surface, found by walking out from the centre and along
    // the rings' planes until the distance changes sign, must all be in a leaf.
    std::set<CellKey> keys = KeysOf(leaves);
    int checked = 0;
    for (int i = 0; i < 400; ++i) {
        float theta = 0.7f * i;
        float phi = std::acos(1.0f - 2.0f * (i + 0.5f) / 400.0f);
        float dx = std::sin(phi) * std::cos(theta);
        float dy = std::cos(phi);
        float dz = std::sin(phi) * std::sin(theta);
        float previous = solid.Distance(0, 0, 0);
        for (float r = 0.002f; r < 1.0f; r += 0.002f) {
            float now = solid.Distance(r * dx, r * dy, r * dz);
            if ((previous < 0.0f) != (now < 0.0f)) {
                OctreeCell point = {r * dx, r * dy, r * dz, 1.0f / 32.0f};
                EXPECT_EQ(keys.count(KeyOf(point)), 1u)
                    << "surface point " << point.x << ", " << point.y << ", " << point.z
                    << " lies in no leaf";
                ++checked;
            }
            previous = now;
        }
    }
    EXPECT_GT(checked, 400);
}

TEST(Octree, EveryCellLiesInACellOfTheLevelAbove) {
    Solid solid;
    Octree octree(solid, 6);
    for (int level = 1; level <= 6; ++level) {
        std::set<CellKey> parents = KeysOf(octree.GetLevel(level - 1));
        for (const OctreeCell& cell : octree.GetLevel(level)) {
            CellKey key = KeyOf(cell);
            CellKey parent(std::get<0>(key) / 2, std::get<1>(key) / 2, std::get<2>(key) / 2);
            ASSERT_EQ(parents.count(parent), 1u) << "an orphan cell at level " << level;
        }
        EXPECT_GT(octree.GetLevel(level).size(), octree.GetLevel(level - 1).size());
    }
}

TEST(CellMesh, CubeFacesRunCounterClockwiseSeenFromOutside) {
    const OctreeCell cube = {0.5f, -0.25f, 0.125f, 0.25f};
    const unsigned char color[4] = {1, 2, 3, 4};
    std::vector<MeshVertex> vertices;
    AppendCube(vertices, cube, color, 0x3Fu);
    ASSERT_EQ(vertices.size(), 24u);
    const float centre[3] = {cube.x, cube.y, cube.z};
    for (size_t quad = 0; quad < 24; quad += 4) {
        const MeshVertex* v = &vertices[quad];
        float a[3], b[3], cross[3], outward = 0.0f, facing = 0.0f;
        for (int i = 0; i < 3; ++i) {
            a[i] = v[1].position[i] - v[0].position[i];
            b[i] = v[2].position[i] - v[1].position[i];
        }
        cross[0] = a[1] * b[2] - a[2] * b[1];
        cross[1] = a[2] * b[0] - a[0] * b[2];
        cross[2] = a[0] * b[1] - a[1] * b[0];
        for (int i = 0; i < 3; ++i) {
            float faceCentre = (v[0].position[i] + v[2].position[i]) * 0.5f;
            outward += (faceCentre - centre[i]) * v[0].normal[i];
            facing += cross[i] * v[0].normal[i];
        }
        EXPECT_NEAR(outward, cube.half, 1e-6f) << "quad " << quad / 4 << " is not on its face";
        EXPECT_GT(facing, 0.0f) << "quad " << quad / 4 << " would be culled from outside";
    }
    EXPECT_EQ(vertices[5].color[3], 4);
}

TEST(CellMesh, ExactlyTheFacesTowardEmptySpaceAreDrawn) {
    // A face must be drawn when the neighbour it looks at is neither a cell of
    // the level nor inside the solid: a missing one is a hole in the picture,
    // an extra one is work for nothing.
    // The coarse levels reach the border of the tree's cube, beyond which
    // there is only empty space.
    Solid solid;
    Octree octree(solid, 4);
    for (int level = 1; level <= 4; ++level) {
        SCOPED_TRACE(level);
        const std::vector<OctreeCell>& cells = octree.GetLevel(level);
        std::set<CellKey> kept = KeysOf(cells);
        const float edge = 2.0f / (1 << level);
        const int steps[6][3] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                 {0, -1, 0}, {0, 0, 1},  {0, 0, -1}};
        std::set<std::pair<CellKey, int>> expected;
        for (const OctreeCell& cell : cells) {
            for (int face = 0; face < 6; ++face) {
                OctreeCell neighbour = {cell.x + steps[face][0] * edge,
                                        cell.y + steps[face][1] * edge,
                                        cell.z + steps[face][2] * edge, cell.half};
                bool empty = solid.Distance(neighbour.x, neighbour.y, neighbour.z) > 0.0f;
                if (kept.count(KeyOf(neighbour)) == 0 && empty)
                    expected.insert({KeyOf(cell), face});
            }
        }
        std::vector<MeshVertex> vertices;
        AppendLevel(vertices, solid, cells);
        std::set<std::pair<CellKey, int>> drawn;
        for (size_t quad = 0; quad < vertices.size(); quad += 4) {
            const MeshVertex& corner = vertices[quad];
            const MeshVertex& opposite = vertices[quad + 2];
            // The quad's centre lies inside its (shrunk) cell.
            OctreeCell centre = {(corner.position[0] + opposite.position[0]) / 2,
                                 (corner.position[1] + opposite.position[1]) / 2,
                                 (corner.position[2] + opposite.position[2]) / 2, edge / 2};
            int face = 0;
            while (face < 6 &&
                   !(corner.normal[0] == steps[face][0] && corner.normal[1] == steps[face][1] &&
                     corner.normal[2] == steps[face][2])) {
                ++face;
            }
            ASSERT_LT(face, 6) << "a quad with a normal off the axes";
            drawn.insert({KeyOf(centre), face});
        }
        EXPECT_EQ(drawn.size() * 4, vertices.size()) << "a face is drawn twice";
        EXPECT_EQ(drawn, expected);
        EXPECT_FALSE(expected.empty());
    }
}
