// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/render_setup.h"

#include "platform/gl.h"

namespace orbiton {

namespace {
constexpr double kNear = 0.01;
constexpr double kFar = 2 * 1.6 + 0.01; // twice the farthest camera, plus the near plane
} // namespace

void applyFixedRenderState() {
    glEnable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0.9f, 0.9f, 0.9f, 1.0f);
}

void setupLights() {
    const GLfloat white[] = {1, 1, 1, 1};
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glEnable(GL_LIGHT1);
    glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 0.0f);
    glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 20.0f);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT1, GL_SPECULAR, white);
}

void setProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = height > 0 ? double(width) / double(height) : 1.0;
    gluPerspective(45.0, aspect, kNear, kFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void placeCameraAndLights(const Vec3& viewDirection, const Vec3& viewUp, float viewDistance,
                          const Vec3& ballPosition) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vec3 eye = viewDirection * viewDistance;
    gluLookAt(eye.x, eye.y, eye.z, 0, 0, 0, viewUp.x, viewUp.y, viewUp.z);
    const GLfloat light0[] = {viewDirection.x, viewDirection.y, viewDirection.z, 1};
    const GLfloat light1[] = {ballPosition.x, ballPosition.y, ballPosition.z, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light0);
    glLightfv(GL_LIGHT1, GL_POSITION, light1);
}

} // namespace orbiton
