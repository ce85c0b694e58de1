#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "objects/brick.h"
#include "render/display_list.h"

namespace orbiton {

// Draws a level's bricks with few draw calls and the same pixels as drawing
// each brick's own passes in list order. Bricks are grouped, in list order,
// into chunks of a fixed size with one display list each; a chunk whose live
// bricks share one material and one alpha this frame is drawn by its chunk
// list, any other chunk brick by brick. A removed brick marks its chunk for
// recompiling at the next draw.
class BrickBatches {
  public:
    static constexpr std::size_t kChunkSize = 64;

    // Takes the bricks in list order; nothing is compiled yet.
    void assign(const std::vector<std::unique_ptr<Brick>>& bricks);
    void forget(const Brick* brick);
    void buildLists();
    void releaseLists();

    // The solid passes (fading first), then the outline passes, of every brick.
    void drawSolid(const std::vector<std::unique_ptr<Brick>>& bricks);
    void drawOutlines(const std::vector<std::unique_ptr<Brick>>& bricks);

  private:
    struct Chunk {
        std::vector<Brick*> bricks; // null once removed
        DisplayList list;
        bool stale = true;
    };
    struct Item {
        const Material* material;
        float alpha;
        GLuint list;
    };

    void compile(Chunk& chunk);
    // The chunks' lists or the bricks' own, in list order, with the state they need.
    void gather(bool byMaterial);

    std::vector<Chunk> chunks;
    std::vector<Item> items;
    std::vector<GLuint> names;
};

} // namespace orbiton
