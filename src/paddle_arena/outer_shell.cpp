#include "paddle_arena/outer_shell.h"

#include "app/state_lists.h"

namespace orbiton {

OuterShell::OuterShell(int depth, float radius, unsigned faceMask)
    : SceneObject(Vec3(0, 0, 0), Vec3(0, 0, 0), 0.1f) {
    material = findMaterial("ShinyBlue");
    shape = std::make_unique<SphereMesh>(depth, radius, false, faceMask);
    mass = 1000.0f;
}

OuterShell::~OuterShell() {
    if (displayList != 0)
        releaseLists();
}

void OuterShell::buildLists() {
    const Mesh& m = *shape;
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (std::size_t k = 0; k < m.triangles.size(); ++k) {
        glNormal3fv(&m.faceNormals[k].x); // lit flat, one normal a face
        for (std::uint16_t i : m.triangles[k])
            glVertex3fv(&m.vertices[i].x);
    }
    glEnd();
    glEndList();
}

void OuterShell::releaseLists() {
    glDeleteLists(displayList, 1);
    displayList = 0;
}

void OuterShell::draw() {
    // Back faces are culled and the triangles face inwards: the far wall.
    glCallList(solidStateList);
    applyMaterial(*material);
    glCallList(displayList);
    glPopAttrib();

    glCallList(outlineStateList);
    glColor4f(0, 0, 0, 0.3f);
    glCallList(displayList);
    glPopAttrib();
}

void OuterShell::drawBlended() {
    // Front faces culled: the near wall, blended over everything else.
    glCallList(translucentStateList);
    material->diffuse[3] = 0.2f;
    applyMaterial(*material);
    glCallList(displayList);
    glPopAttrib();

    glCallList(outlineStateList);
    glCullFace(GL_FRONT); // restored by the outline list's pop
    glColor4f(0, 0, 0, 0.2f);
    glCallList(displayList);
    glPopAttrib();
}

} // namespace orbiton
