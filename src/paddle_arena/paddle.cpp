// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paddle_arena/paddle.h"

#include "render/state_lists.h"

namespace orbiton {

namespace {
constexpr float kDegreesPerRadian = 57.295776f;
}

Paddle::Paddle(float planeDistance_, const Vec3& homePosition, const Vec3& up, bool solid_)
    : SceneObject(Vec3(0, 0, 0), Vec3(0, 0, 0), 0.1f), yawAxis(up),
      pitchAxis(cross(up, homePosition)), planeDistance(planeDistance_), solid(solid_) {
    position = homePosition;
    mass = 1000.0f;
    material = findMaterial("Paddle");
    shape = std::make_unique<Mesh>();
    shape->vertices.resize(4);
    for (int i = 0; i < 4; ++i)
        corners[i] = &shape->vertices[i];
    // Wound so that cross(C - A, B - A) points at the centre: the ball's
    // fallback normal for a mesh without stored normals.
    shape->triangles = {{0, 2, 1}, {0, 3, 2}};
    updateCorners();
}

Paddle::~Paddle() {
    if (solidList || outlineList)
        releaseLists();
}

void Paddle::updateCorners() {
    const float d = planeDistance, h = halfSize;
    const Vec3 local[4] = {Vec3(d, h, h), Vec3(d, h, -h), Vec3(d, -h, -h), Vec3(d, -h, h)};
    for (int i = 0; i < 4; ++i)
        *corners[i] = rotate(orientation, local[i]);
}

void Paddle::steer(int dx, int dy) {
    orientation = multiply(orientation, fromAxisAngle(0.001f * float(dy), pitchAxis));
    orientation = multiply(orientation, fromAxisAngle(0.001f * float(dx), yawAxis));
    position = rotate(orientation, Vec3(1, 0, 0));
    updateCorners();
}

void Paddle::buildLists() {
    const float d = planeDistance, h = halfSize;
    if (solid) {
        solidList.generate();
        glNewList(solidList.name(), GL_COMPILE);
        applyMaterial(*material); // this list, unlike others, carries its material
        glBegin(GL_QUADS);
        const float s = h * 0.25f;
        for (int i = -4; i < 4; ++i)
            for (int j = -4; j < 4; ++j) {
                glNormal3f(-1, 0, 0);
                glVertex3f(d, j * s, i * s);
                glVertex3f(d, j * s, (i + 1) * s);
                glVertex3f(d, (j + 1) * s, (i + 1) * s);
                glVertex3f(d, (j + 1) * s, i * s);
            }
        glEnd();
        glEndList();
    }
    outlineList.generate();
    glNewList(outlineList.name(), GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_POLYGON_BIT | GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glLineWidth(2.0f);
    if (!solid) {
        glBegin(GL_QUADS);
        glVertex3f(d, h, h);
        glVertex3f(d, -h, h);
        glVertex3f(d, -h, -h);
        glVertex3f(d, h, -h);
        glEnd();
    }
    glBegin(GL_QUADS);
    glVertex3f(d, h / 2, h / 2);
    glVertex3f(d, -h / 2, h / 2);
    glVertex3f(d, -h / 2, -h / 2);
    glVertex3f(d, h / 2, -h / 2);
    glEnd();
    glBegin(GL_LINES);
    glVertex3f(d, 1.1f * h, 0);
    glVertex3f(d, -1.1f * h, 0);
    glVertex3f(d, 0, 1.1f * h);
    glVertex3f(d, 0, -1.1f * h);
    glEnd();
    glPopAttrib();
    glEndList();
}

void Paddle::releaseLists() {
    solidList.reset();
    outlineList.reset();
}

void Paddle::drawBlended() {
    const AxisAngle r = toAxisAngle(orientation);
    glCallList(translucentStateList.name());
    glPushMatrix();
    if (r.angle != 0.0f)
        glRotatef(r.angle * kDegreesPerRadian, r.axis.x, r.axis.y, r.axis.z);
    if (solidList)
        glCallList(solidList.name());
    glPopAttrib();
    glCallList(outlineStateList.name());
    glColor4f(0, 0, 0, 0.3f);
    glCallList(outlineList.name());
    glPopMatrix();
    glPopAttrib();
}

} // namespace orbiton
