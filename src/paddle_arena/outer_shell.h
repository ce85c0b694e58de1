#pragma once

#include <GL/gl.h>

#include "geometry/sphere_mesh.h"
#include "objects/scene_object.h"
#include "render/display_list.h"

namespace orbiton {

// The arena wall: an inward-wound geodesic sphere, or some of its octants.
// The far wall is drawn opaque in the solid phase, the near wall translucent
// at the very end, both with a thin black wireframe.
class OuterShell : public SceneObject {
  public:
    OuterShell(int depth, float radius, unsigned faceMask);
    ~OuterShell() override;

    void draw() override;
    void drawBlended() override;
    void buildLists() override;
    void releaseLists() override;

    const SphereMesh& sphere() const { return static_cast<const SphereMesh&>(*shape); }

    DisplayList displayList;
};

} // namespace orbiton
