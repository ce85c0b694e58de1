// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paddle_arena/outer_shell.h"

#include "platform/gl.h"

#include "render/state_lists.h"

namespace orbiton {

OuterShell::OuterShell(int depth, float radius, unsigned faceMask)
    : SceneObject(Vec3(0, 0, 0), Vec3(0, 0, 0), 0.1f) {
    material = findMaterial("ShinyBlue");
    shape = std::make_unique<SphereMesh>(depth, radius, false, faceMask);
    mass = 1000.0f;
}

OuterShell::~OuterShell() {
    if (displayList)
        releaseLists();
}

void OuterShell::buildLists() {
    const Mesh& m = *shape;
    displayList.generate();
    glNewList(displayList.name(), GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (std::size_t k = 0; k < m.triangles.size(); ++k) {
        glNormal3fv(&m.faceNormals[k].x); // lit flat, one normal a face
        for (std::uint16_t i : m.triangles[k])
            glVertex3fv(&m.vertices[i].x);
    }
    glEnd();
    glEndList();

    // The same triangles for the buffer: each corner with its face's normal.
    std::vector<float> data;
    data.reserve(m.triangles.size() * 18);
    for (std::size_t k = 0; k < m.triangles.size(); ++k)
        for (std::uint16_t i : m.triangles[k]) {
            const Vec3& p = m.vertices[i];
            const Vec3& n = m.faceNormals[k];
            data.insert(data.end(), {p.x, p.y, p.z, n.x, n.y, n.z});
        }
    if (!data.empty())
        vertexBuffer.upload(GL_ARRAY_BUFFER, data.data(), data.size() * sizeof(float),
                            GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void OuterShell::releaseLists() {
    displayList.reset();
    vertexBuffer.reset();
    indexBuffer.reset();
}

bool OuterShell::bindVertices() {
    if (!buffered || !vertexBuffer)
        return false;
    vertexBuffer.bind(GL_ARRAY_BUFFER);
    const GLsizei stride = 6 * sizeof(float);
    glVertexPointer(3, GL_FLOAT, stride, reinterpret_cast<const void*>(0));
    glNormalPointer(GL_FLOAT, stride, reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    return true;
}

void OuterShell::unbindVertices() {
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void OuterShell::drawTriangles(bool cut) {
    if (!cut) {
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(shape->triangles.size() * 3));
        return;
    }
    if (!farWall.empty())
        glDrawElements(GL_TRIANGLES, GLsizei(farWall.size()), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(0));
}

void OuterShell::draw() {
    const bool fromBuffer = bindVertices();
    const bool cut = fromBuffer && farWallCut;
    if (cut && !farWall.empty())
        indexBuffer.upload(GL_ELEMENT_ARRAY_BUFFER, farWall.data(),
                           farWall.size() * sizeof(std::uint32_t), GL_STREAM_DRAW);
    // Back faces are culled and the triangles face inwards: the far wall.
    glCallList(solidStateList.name());
    applyMaterial(*material);
    fromBuffer ? drawTriangles(cut) : glCallList(displayList.name());
    glPopAttrib();

    glCallList(outlineStateList.name());
    glColor4f(0, 0, 0, 0.3f);
    fromBuffer ? drawTriangles(cut) : glCallList(displayList.name());
    glPopAttrib();
    if (fromBuffer)
        unbindVertices();
}

void OuterShell::drawBlended() {
    const bool fromBuffer = bindVertices();
    // Front faces culled: the near wall, blended over everything else.
    glCallList(translucentStateList.name());
    material->diffuse[3] = 0.2f;
    applyMaterial(*material);
    fromBuffer ? drawTriangles(false) : glCallList(displayList.name());
    glPopAttrib();

    glCallList(outlineStateList.name());
    glCullFace(GL_FRONT); // restored by the outline list's pop
    glColor4f(0, 0, 0, 0.2f);
    fromBuffer ? drawTriangles(false) : glCallList(displayList.name());
    glPopAttrib();
    if (fromBuffer)
        unbindVertices();
}

} // namespace orbiton
