// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once


#include <cstdint>
#include <vector>

#include "geometry/sphere_mesh.h"
#include "objects/scene_object.h"
#include "render/buffer_object.h"
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
    // Drawn from a vertex buffer instead of the list (the same triangles in
    // the same order, so the same pixels); the list stays the reference.
    bool buffered = true;
    // With the buffer: the triangles of the opaque far wall drawn this frame,
    // by number in mesh order, when some are hidden; empty draws them all.
    std::vector<std::uint32_t> farWall;
    bool farWallCut = false;

  private:
    // Binds the buffer's vertices and normals; false when there is none.
    bool bindVertices();
    void drawTriangles(bool cut);
    static void unbindVertices();

    BufferObject vertexBuffer;
    BufferObject indexBuffer;
};

} // namespace orbiton
