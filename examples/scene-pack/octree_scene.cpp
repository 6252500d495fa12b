#include "octree_scene.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Each level draws eight times the cubes of the one before: past two levels
// the lines only fill the cube.
const int MaxDrawnDepth = 2;
const int MaxSatellites = 256;

// The twelve edges of the cube with its lowest corner at `corner`.
void DrawEdges(const float corner[3], float size) {
    for (int axis = 0; axis < 3; ++axis) {
        for (int edge = 0; edge < 4; ++edge) {
            float from[3] = {corner[0], corner[1], corner[2]};
            if (edge & 1) from[(axis + 1) % 3] += size;
            if (edge & 2) from[(axis + 2) % 3] += size;
            float to[3] = {from[0], from[1], from[2]};
            to[axis] += size;
            glVertex3fv(from);
            glVertex3fv(to);
        }
    }
}

// A cell and, `levels` times over, its eight children.
void DrawCell(const float corner[3], float size, int levels) {
    DrawEdges(corner, size);
    if (levels <= 0) return;
    const float half = size / 2.0f;
    for (int child = 0; child < 8; ++child) {
        const float childCorner[3] = {corner[0] + ((child & 1) ? half : 0.0f),
                                      corner[1] + ((child & 2) ? half : 0.0f),
                                      corner[2] + ((child & 4) ? half : 0.0f)};
        DrawCell(childCorner, half, levels - 1);
    }
}

}  // namespace

void COctreeScene::Draw(float time, int count) const {
    // The viewport is the window's client area, set by the device pack. The
    // matrices are this pack's own: set them at every frame.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    if (viewport[2] <= 0 || viewport[3] <= 0) return;
    const double aspect = static_cast<double>(viewport[2]) / viewport[3];
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-0.1 * aspect, 0.1 * aspect, -0.1, 0.1, 0.2, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -3.0f);
    glRotatef(25.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(time * 30.0f, 0.0f, 1.0f, 0.0f);

    // No clearing: the device pack clears to black after each frame it shows.
    const float corner[3] = {-0.5f, -0.5f, -0.5f};
    glColor3ub(255, 176, 32);
    glBegin(GL_LINES);
    DrawCell(corner, 1.0f, depth < MaxDrawnDepth ? depth : MaxDrawnDepth);
    glEnd();

    if (count > MaxSatellites) count = MaxSatellites;
    glPointSize(5.0f);
    glColor3ub(96, 224, 255);
    glBegin(GL_POINTS);
    for (int i = 0; i < count; ++i) {
        const float angle = time + 6.2831853f * static_cast<float>(i) / static_cast<float>(count);
        glVertex3f(1.2f * std::cos(angle), 0.0f, 1.2f * std::sin(angle));
    }
    glEnd();
}
