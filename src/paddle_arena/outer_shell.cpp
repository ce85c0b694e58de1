#include "paddle_arena/outer_shell.h"

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
}

void OuterShell::releaseLists() {
    displayList.reset();
}

void OuterShell::draw() {
    // Back faces are culled and the triangles face inwards: the far wall.
    glCallList(solidStateList.name());
    applyMaterial(*material);
    glCallList(displayList.name());
    glPopAttrib();

    glCallList(outlineStateList.name());
    glColor4f(0, 0, 0, 0.3f);
    glCallList(displayList.name());
    glPopAttrib();
}

void OuterShell::drawBlended() {
    // Front faces culled: the near wall, blended over everything else.
    glCallList(translucentStateList.name());
    material->diffuse[3] = 0.2f;
    applyMaterial(*material);
    glCallList(displayList.name());
    glPopAttrib();

    glCallList(outlineStateList.name());
    glCullFace(GL_FRONT); // restored by the outline list's pop
    glColor4f(0, 0, 0, 0.2f);
    glCallList(displayList.name());
    glPopAttrib();
}

} // namespace orbiton
