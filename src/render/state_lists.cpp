// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/state_lists.h"

namespace orbiton {

DisplayList outlineStateList;
DisplayList solidStateList;
DisplayList translucentStateList;

namespace {

void recompile(DisplayList& list) {
    glNewList(list.generate(), GL_COMPILE);
}

} // namespace

void buildStateLists(bool smoothOutlines) {
    recompile(outlineStateList);
    if (smoothOutlines) {
        glPushAttrib(GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_LINE_BIT | GL_CURRENT_BIT |
                     GL_DEPTH_BUFFER_BIT | GL_HINT_BIT);
        glDisable(GL_LIGHTING);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glDepthMask(GL_FALSE);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_LINE_SMOOTH);
        glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    } else {
        glPushAttrib(GL_LIGHTING_BIT | GL_POLYGON_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
        glDisable(GL_LIGHTING);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glLineWidth(2.0f);
    }
    glEndList();

    // Polygon offset pushes filled faces back so outlines at the same depth win.
    recompile(solidStateList);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);
    glDisable(GL_BLEND);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(0.3f, 1.0f);
    glEndList();

    // Front faces culled: only the far, inward-facing side is drawn.
    recompile(translucentStateList);
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_POLYGON_BIT);
    glCullFace(GL_FRONT);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEndList();
}

void forgetStateLists() {
    outlineStateList.forget();
    solidStateList.forget();
    translucentStateList.forget();
}

} // namespace orbiton
