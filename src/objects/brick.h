// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once


#include <string>

#include "objects/scene_object.h"
#include "render/display_list.h"
#include "render/sight_line.h"

namespace orbiton {

// One prism tile of a brick shell. Corners 0-2 lie on the shell's first
// sphere, 3-5 on the second, in the same directions. While it stands between
// the viewer and the ball its solid pass fades to alpha 0.3.
class Brick : public SceneObject {
  public:
    Brick(const Vec3& c0, const Vec3& c1, const Vec3& c2, const Vec3& c3, const Vec3& c4,
          const Vec3& c5, const std::string& materialName);
    ~Brick() override;

    void draw() override;        // lit solid pass, with fading
    void drawBlended() override; // black outline pass
    void buildLists() override;
    void releaseLists() override;

    // Distance from the box centre to the segment sightPoint..focusPoint.
    float sightLineDistance() const;
    // The fade step of the solid pass: fading, fade and alpha for this frame.
    void updateFade();

    // The brick's faces with their normals, as its list holds them.
    void emitGeometry() const;
    // True when the level named a material the library does not hold.
    bool hasFallbackMaterial() const { return material == fallbackMaterial(); }

    bool fading = false;
    float fade = 1.0f;
    float alpha = 1.0f;
    // Out of sight behind an intact opaque shell this frame: the batched
    // drawing leaves it out (its own passes never look at this).
    bool hidden = false;
    // Its cap on the first radius, and with it the lower edges of its sides,
    // lies inside such a shell where no hole comes near: the batched outlines
    // leave those edges out.
    bool innerEdgesHidden = false;
    DisplayList displayList;
};

} // namespace orbiton
