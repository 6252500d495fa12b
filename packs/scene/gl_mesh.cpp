#include "packs/scene/gl_mesh.h"

#include <GL/gl.h>

GlMesh::~GlMesh() {
    if (list_ != 0) glDeleteLists(list_, 1);
}

void GlMesh::Upload(std::vector<MeshVertex>& vertices, bool withColors) {
    if (list_ != 0) glDeleteLists(list_, 1);
    vertices_.clear();
    vertices_.swap(vertices);
    vertexCount_ = static_cast<int>(vertices_.size());
    withColors_ = withColors;
    list_ = vertexCount_ > 0 ? glGenLists(1) : 0;
    if (list_ == 0) return;
    glNewList(list_, GL_COMPILE);
    DrawArrays();
    glEndList();
    // The list holds its own copy of the vertices now.
    std::vector<MeshVertex>().swap(vertices_);
}

void GlMesh::Draw() const {
    if (list_ != 0) {
        glCallList(list_);
    } else if (vertexCount_ > 0) {
        DrawArrays();
    }
}

void GlMesh::DrawArrays() const {
    const MeshVertex* first = vertices_.data();
    const GLsizei stride = sizeof(MeshVertex);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, stride, first->position);
    glNormalPointer(GL_FLOAT, stride, first->normal);
    if (withColors_) {
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(4, GL_UNSIGNED_BYTE, stride, first->color);
    }
    glDrawArrays(GL_QUADS, 0, vertexCount_);
    glPopClientAttrib();
}
