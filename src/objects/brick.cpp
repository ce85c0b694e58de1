// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "objects/brick.h"

#include "render/state_lists.h"
#include "geometry/primitives.h"
#include "geometry/prism_mesh.h"

namespace orbiton {

Brick::Brick(const Vec3& c0, const Vec3& c1, const Vec3& c2, const Vec3& c3, const Vec3& c4,
             const Vec3& c5, const std::string& materialName)
    : SceneObject(Vec3(0, 0, 0), Vec3(0, 0, 0), 0.1f) {
    mass = 1000.0f;
    shape = std::make_unique<PrismMesh>(c0, c1, c2, c3, c4, c5);
    material = findMaterial(materialName);
    if (!material)
        material = fallbackMaterial(); // drawn loud rather than crashing
}

Brick::~Brick() {
    if (displayList)
        releaseLists();
}

float Brick::sightLineDistance() const {
    const Vec3& c = shape->bounds.centre;
    Vec3 nearest;
    closestPointOnSegment(sightPoint, focusPoint, c, nearest);
    return float(length(c - nearest));
}

void Brick::updateFade() {
    const Vec3& c = shape->bounds.centre;
    const float e = shape->bounds.extent;
    fading = dot(c - focusPoint, sightPoint - focusPoint) > 0.0 && sightLineDistance() < e;
    fade = fade + (fading ? -1.0f : 1.0f) * 5.0f * frameTime;
    if (fade < 0.0f)
        fade = 0.0f;
    else if (fade > 1.0f)
        fade = 1.0f;
    alpha = (1.0f - 0.3f) * fade + 0.3f;
}

void Brick::draw() {
    updateFade();
    glCallList(solidStateList.name());
    if (alpha < 0.999f)
        glEnable(GL_BLEND);
    material->diffuse[3] = alpha; // shared record: each brick writes its own
    applyMaterial(*material);
    glCallList(displayList.name());
    glPopAttrib();
}

void Brick::drawBlended() {
    glCallList(outlineStateList.name());
    glColor4f(0, 0, 0, alpha * 0.4f);
    glCallList(displayList.name());
    glPopAttrib();
}

void Brick::emitGeometry() const {
    const Mesh& m = *shape;
    auto vertex = [&](int i) { glVertex3fv(&m.vertices[i].x); };
    auto normal = [&](int k) { glNormal3fv(&m.faceNormals[k].x); };
    glBegin(GL_TRIANGLES);
    normal(0); // cap on the second radius
    vertex(3), vertex(5), vertex(4);
    normal(1); // cap on the first radius
    vertex(0), vertex(1), vertex(2);
    glEnd();
    // Each side is planar and takes the normal of its second triangle.
    glBegin(GL_QUADS);
    normal(3);
    vertex(3), vertex(0), vertex(2), vertex(5);
    normal(5);
    vertex(5), vertex(2), vertex(1), vertex(4);
    normal(7);
    vertex(4), vertex(1), vertex(0), vertex(3);
    glEnd();
}

void Brick::buildLists() {
    displayList.generate();
    glNewList(displayList.name(), GL_COMPILE);
    emitGeometry();
    glEndList();
}

void Brick::releaseLists() {
    displayList.reset();
}

} // namespace orbiton
