#include "packs/scene/gl_mesh.h"

#include <GL/gl.h>

GlMesh::~GlMesh() {
    if (list != 0) glDeleteLists(list, 1);
}

void GlMesh::Upload(std::vector<MeshVertex>& built, bool colored) {
    if (list != 0) glDeleteLists(list, 1);
    vertices.clear();
    vertices.swap(built);
    vertexCount = static_cast<int>(vertices.size());
    withColors = colored;
    list = vertexCount > 0 ? glGenLists(1) : 0;
    if (list == 0) return;
    glNewList(list, GL_COMPILE);
    DrawArrays();
    glEndList();
    // The list holds its own copy of the vertices now.
    std::vector<MeshVertex>().swap(vertices);
}

void GlMesh::Draw() const {
    if (list != 0) {
        glCallList(list);
    } else if (vertexCount > 0) {
        DrawArrays();
    }
}

void GlMesh::DrawArrays() const {
    const MeshVertex* first = vertices.data();
    const GLsizei stride = sizeof(MeshVertex);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, first->position);
    glNormalPointer(GL_FLOAT, stride, first->normal);
    if (withColors) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, stride, first->color);
    }
    glDrawArrays(GL_QUADS, 0, vertexCount);
    glPopClientAttrib();
}
