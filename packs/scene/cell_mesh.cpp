#include "packs/scene/cell_mesh.h"

#include <cmath>

namespace {

const unsigned char PartColors[3][3] = {
    {235, 120, 55},   // the planet
    {70, 170, 250},   // the first ring
    {150, 240, 110},  // the second ring
};

}  // namespace

void AppendCube(std::vector<MeshVertex>& vertices, const OctreeCell& cube,
                const unsigned char color[4], unsigned faces) {
    const float centre[3] = {cube.x, cube.y, cube.z};
    for (int face = 0; face < 6; ++face) {
        if (!(faces & (1u << face))) continue;
        int axis = face / 2;
        float sign = (face % 2) ? -1.0f : 1.0f;
        // u x v points along the outward normal, so (-,-) (+,-) (+,+) (-,+)
        // runs counter-clockwise seen from outside.
        int u = (axis + 1) % 3;
        int v = (axis + 2) % 3;
        if (sign < 0.0f) {
            int swap = u;
            u = v;
            v = swap;
        }
        static const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
        for (const auto& corner : corners) {
            MeshVertex vertex;
            vertex.position[axis] = centre[axis] + sign * cube.half;
            vertex.position[u] = centre[u] + corner[0] * cube.half;
            vertex.position[v] = centre[v] + corner[1] * cube.half;
            for (int i = 0; i < 3; ++i) vertex.normal[i] = i == axis ? sign : 0.0f;
            for (int i = 0; i < 4; ++i) vertex.color[i] = color[i];
            vertices.push_back(vertex);
        }
    }
}

void AppendLevel(std::vector<MeshVertex>& vertices, const Solid& solid,
                 const std::vector<OctreeCell>& cells) {
    for (const OctreeCell& cell : cells) {
        float edge = 2.0f * cell.half;
        // Only the faces that look into empty space are drawn. A neighbour of
        // the same level is either outside the tree's cube, kept too (it may
        // cross the surface), wholly inside or wholly outside the solid; a cell inside is never
        // next to one outside, so the kept cells close the solid off and the faces between them or
        // into the inside are never seen except through the thin gaps.
        unsigned faces = 0;
        for (int face = 0; face < 6; ++face) {
            float step = (face % 2) ? -edge : edge;
            OctreeCell neighbour = {cell.x + (face / 2 == 0 ? step : 0.0f),
                                    cell.y + (face / 2 == 1 ? step : 0.0f),
                                    cell.z + (face / 2 == 2 ? step : 0.0f), cell.half};
            bool outsideTree = std::fabs(neighbour.x) > 1.0f || std::fabs(neighbour.y) > 1.0f ||
                               std::fabs(neighbour.z) > 1.0f;
            if (outsideTree || (!Octree::MayCrossSurface(solid, neighbour) &&
                                solid.Distance(neighbour.x, neighbour.y, neighbour.z) > 0.0f)) {
                faces |= 1u << face;
            }
        }
        // Alternate brightness like a chequerboard so that neighbours differ.
        int ix = static_cast<int>((cell.x + 1.0f) / edge);
        int iy = static_cast<int>((cell.y + 1.0f) / edge);
        int iz = static_cast<int>((cell.z + 1.0f) / edge);
        int shade = ((ix + iy + iz) & 1) ? 255 : 205;
        const unsigned char* base = PartColors[solid.NearestPart(cell.x, cell.y, cell.z)];
        unsigned char color[4];
        for (int i = 0; i < 3; ++i) color[i] = static_cast<unsigned char>(base[i] * shade / 255);
        color[3] = 255;
        OctreeCell shrunk = cell;
        shrunk.half *= CellShrink;
        AppendCube(vertices, shrunk, color, faces);
    }
}
