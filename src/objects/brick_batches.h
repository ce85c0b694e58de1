// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once


#include <cstdint>
#include <memory>
#include <vector>

#include "objects/brick.h"
#include "render/buffer_object.h"

namespace orbiton {

// Draws a level's bricks in few draw calls with the pixels of each brick's own
// passes in list order. Every brick's faces live in one vertex buffer as
// triangles (a side quad as the two triangles the rasteriser would cut it
// into, the diagonal's edge flag off, so the outlines stay quads); each frame
// the live, unhidden bricks are drawn as runs that share a material and an
// alpha, one indexed draw a run, solid passes first, then outlines. A brick
// whose cap on the first radius lies hidden inside a shell draws its outline
// without that cap and without its sides' lower edges.
class BrickBatches {
  public:
    static constexpr int kVerticesPerBrick = 24; // two caps, three sides of two triangles
    // Each brick's block in the buffer: its triangles' corners, then the three
    // that start a side's lower edge once more with that edge's flag off.
    static constexpr int kVerticesPerSlot = kVerticesPerBrick + 3;

    // Takes the bricks in list order; their vertices are laid out and sent
    // to GL by buildLists (or the first draw).
    void assign(const std::vector<std::unique_ptr<Brick>>& bricks);
    // The brick is gone from the list: it is left out from now on.
    void forget(const Brick* brick);
    void buildLists();
    void releaseLists();

    // The solid passes of every brick, then the outline passes, with the
    // alphas of this frame's fade step (each left in its material record);
    // bricks marked hidden are left out.
    void draw(const std::vector<std::unique_ptr<Brick>>& bricks);

  private:
    struct Vertex {
        float position[3];
        float normal[3];
    };
    struct Run {
        const Material* material;
        float alpha;
        std::size_t first; // into indices
        std::size_t count;
    };

    void gather();
    void drawRuns(const std::vector<Run>& runs, bool outline);

    std::vector<Brick*> slots; // list order; null once removed
    BufferObject vertexBuffer;
    BufferObject edgeFlagBuffer;
    BufferObject indexBuffer;
    std::vector<std::uint32_t> indices; // solid passes, then outlines
    std::vector<Run> solidRuns;
    std::vector<Run> outlineRuns;
};

} // namespace orbiton
