#include "packs/scene/octree_scene.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "packs/scene/animation.h"
#include "packs/scene/cell_mesh.h"
#include "packs/scene/solid.h"

namespace {

const GLfloat Background[4] = {0.02f, 0.03f, 0.09f, 1.0f};

// The direction in which a new level sweeps across the solid, and how far
// from the centre the sweep starts and ends (past every corner of the cube).
const double SweepDirection[3] = {0.80, 0.48, 0.36};
const double SweepReach = 1.75;

const GLfloat SatelliteColors[6][3] = {
    {1.0f, 0.9f, 0.5f}, {0.6f, 0.9f, 1.0f}, {1.0f, 0.55f, 0.75f},
    {0.7f, 1.0f, 0.6f}, {0.9f, 0.7f, 1.0f}, {1.0f, 1.0f, 1.0f},
};

// The view transform of a camera at `pose.eye` looking at `pose.target`,
// with the y axis up, multiplied onto the current matrix.
void LookAt(const CameraPose& pose) {
    float f[3], s[3], u[3];
    for (int i = 0; i < 3; ++i) f[i] = pose.target[i] - pose.eye[i];
    float length = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (float& c : f) c /= length;
    // s = f x up, with up = (0, 1, 0).
    s[0] = -f[2];
    s[1] = 0.0f;
    s[2] = f[0];
    length = std::sqrt(s[0] * s[0] + s[2] * s[2]);
    for (float& c : s) c /= length;
    u[0] = s[1] * f[2] - s[2] * f[1];
    u[1] = s[2] * f[0] - s[0] * f[2];
    u[2] = s[0] * f[1] - s[1] * f[0];
    const GLfloat m[16] = {s[0], u[0], -f[0], 0.0f, s[1], u[1], -f[1], 0.0f,
                           s[2], u[2], -f[2], 0.0f, 0.0f, 0.0f, 0.0f,  1.0f};
    glMultMatrixf(m);
    glTranslatef(-pose.eye[0], -pose.eye[1], -pose.eye[2]);
}

void SetUpLights() {
    const GLfloat key[4] = {0.45f, 0.8f, 0.35f, 0.0f};
    const GLfloat keyColor[4] = {0.9f, 0.88f, 0.82f, 1.0f};
    const GLfloat rim[4] = {-0.5f, -0.6f, -0.45f, 0.0f};
    const GLfloat rimColor[4] = {0.2f, 0.28f, 0.55f, 1.0f};
    const GLfloat ambient[4] = {0.26f, 0.26f, 0.32f, 1.0f};
    glEnable(GL_LIGHTING);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, key);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, keyColor);
    glEnable(GL_LIGHT1);
    glLightfv(GL_LIGHT1, GL_POSITION, rim);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, rimColor);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

}  // namespace

COctreeScene::COctreeScene(const char* title, int wantedDepth)
    : depth(Octree::ClampDepth(wantedDepth)) {
    Solid solid;
    Octree octree(solid, depth);
    std::vector<MeshVertex> vertices;
    for (int level = 1; level <= depth; ++level) {
        vertices.clear();
        AppendLevel(vertices, solid, octree.GetLevel(level));
        levels[level].Upload(vertices, true);
    }
    const OctreeCell unitCube = {0.0f, 0.0f, 0.0f, 1.0f};
    const unsigned char white[4] = {255, 255, 255, 255};
    vertices.clear();
    AppendCube(vertices, unitCube, white, 0x3Fu);
    satellite.Upload(vertices, false);

    // The caption keeps its own copy of the title, which as the host gives
    // it may start with blanks.
    const char* name = title != nullptr ? title : "";
    while (*name == ' ') ++name;
    titleLine.Set(name);
    char line[Caption::MaxText + 1];
    std::snprintf(line, sizeof(line), "An octree of depth %d around a ringed planet", depth);
    englishLine.Set(line);
    std::snprintf(line, sizeof(line), "Octree de profundidad %d sobre un planeta anillado", depth);
    spanishLine.Set(line);
}

void COctreeScene::Draw(float time, int count, bool english) {
    // The per-frame path: from here on everything is drawn from what the
    // constructor built, and nothing is allocated.
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    int width = viewport[2];
    int height = viewport[3];
    if (width <= 0 || height <= 0) return;
    if (count < 0) count = 0;
    if (count > MaxSatellites) count = MaxSatellites;

    // Leave the context as it was found: it belongs to the OpenGL pack.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    const double nearPlane = 0.1;
    const double top = nearPlane * 0.41421356;  // tan of half of 45 degrees
    const double aspect = static_cast<double>(width) / height;
    glFrustum(-top * aspect, top * aspect, -top, top, nearPlane, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    LookAt(CameraAt(time));

    glClearColor(Background[0], Background[1], Background[2], Background[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glShadeModel(GL_FLAT);
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 3.0f);
    glFogf(GL_FOG_END, 7.0f);
    glFogfv(GL_FOG_COLOR, Background);
    SetUpLights();

    DrawSolid(time);
    DrawSatellites(time, count);
    DrawOverlay(time, count, english, width, height);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();
}

void COctreeScene::DrawSolid(float time) {
    LevelBlend blend = LevelsAt(time, depth);
    if (blend.next == blend.shown || blend.sweep <= 0.0f) {
        levels[blend.shown].Draw();
        return;
    }
    // A plane crosses the solid: behind it the next level, ahead of it the
    // level that was shown.
    const double position = -SweepReach + 2.0 * SweepReach * blend.sweep;
    const GLdouble keepShown[4] = {SweepDirection[0], SweepDirection[1], SweepDirection[2],
                                   -position};
    const GLdouble keepNext[4] = {-SweepDirection[0], -SweepDirection[1], -SweepDirection[2],
                                  position};
    glEnable(GL_CLIP_PLANE0);
    glClipPlane(GL_CLIP_PLANE0, keepShown);
    levels[blend.shown].Draw();
    glClipPlane(GL_CLIP_PLANE0, keepNext);
    levels[blend.next].Draw();
    glDisable(GL_CLIP_PLANE0);
}

void COctreeScene::DrawSatellites(float time, int count) {
    glEnable(GL_NORMALIZE);  // the satellites are scaled cubes
    for (int i = 0; i < count; ++i) {
        Orbit orbit = OrbitAt(i, time);
        const GLfloat* color = SatelliteColors[i % 6];
        glColor3f(color[0], color[1], color[2]);
        glPushMatrix();
        glRotatef(orbit.heading, 0.0f, 1.0f, 0.0f);
        glRotatef(orbit.tilt, 1.0f, 0.0f, 0.0f);
        glRotatef(orbit.angle, 0.0f, 1.0f, 0.0f);
        glTranslatef(orbit.radius, 0.0f, 0.0f);
        glRotatef(2.0f * orbit.angle, 1.0f, 1.0f, 0.0f);
        glScalef(orbit.size, orbit.size, orbit.size);
        satellite.Draw();
        glPopMatrix();
    }
    glDisable(GL_NORMALIZE);
}

void COctreeScene::DrawOverlay(float time, int count, bool english, int width, int height) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    LevelBlend blend = LevelsAt(time, depth);
    int level = blend.sweep >= 0.5f ? blend.next : blend.shown;
    char status[Caption::MaxText + 1];
    std::snprintf(status, sizeof(status),
                  english ? "level %d of %d, %d satellites" : "nivel %d de %d, %d satelites", level,
                  depth, count);
    statusLine.Set(status);

    const Caption* lines[3] = {&titleLine, english ? &englishLine : &spanishLine, &statusLine};
    int widest = 0;
    for (const Caption* line : lines)
        widest = line->GetWidth() > widest ? line->GetWidth() : widest;
    // The largest of a few even sizes at which the widest line fits.
    float scale = height >= 720 ? 3.0f : 2.0f;
    while (scale > 1.0f && (widest + 10) * scale > width) scale -= 0.5f;
    const float lineHeight = 11.0f * scale;
    const float x = 5.0f * scale;
    const float top = height - 6.0f * scale - 3.0f * lineHeight;
    for (int i = 0; i < 3; ++i) {
        float y = top + i * lineHeight;
        glColor3f(0.0f, 0.0f, 0.0f);
        lines[i]->Draw(x + scale, y + scale, scale);
        if (i == 0) {
            glColor3f(1.0f, 0.85f, 0.4f);
        } else {
            glColor3f(0.82f, 0.88f, 1.0f);
        }
        lines[i]->Draw(x, y, scale);
    }

    float fade = FadeAt(time);
    if (fade < 1.0f) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(0.0f, 0.0f, 0.0f, 1.0f - fade);
        glRectf(0.0f, 0.0f, static_cast<float>(width), static_cast<float>(height));
    }
}
