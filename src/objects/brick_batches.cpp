#include "objects/brick_batches.h"

#include "render/state_lists.h"

namespace orbiton {

void BrickBatches::assign(const std::vector<std::unique_ptr<Brick>>& bricks) {
    chunks.clear();
    for (std::size_t i = 0; i < bricks.size(); ++i) {
        if (i % kChunkSize == 0)
            chunks.emplace_back();
        chunks.back().bricks.push_back(bricks[i].get());
    }
}

void BrickBatches::forget(const Brick* brick) {
    for (Chunk& c : chunks)
        for (Brick*& b : c.bricks)
            if (b == brick) {
                b = nullptr;
                c.stale = true;
                return;
            }
}

void BrickBatches::compile(Chunk& chunk) {
    if (!chunk.list)
        chunk.list.generate();
    glNewList(chunk.list.name(), GL_COMPILE);
    for (const Brick* b : chunk.bricks)
        if (b)
            b->emitGeometry();
    glEndList();
    chunk.stale = false;
}

void BrickBatches::buildLists() {
    for (Chunk& c : chunks)
        c.stale = true; // compiled when first drawn
}

void BrickBatches::releaseLists() {
    for (Chunk& c : chunks) {
        c.list.reset();
        c.stale = true;
    }
}

void BrickBatches::gather(bool byMaterial) {
    items.clear();
    for (Chunk& c : chunks) {
        const Brick* first = nullptr;
        bool uniform = true;
        for (const Brick* b : c.bricks) {
            if (!b)
                continue;
            if (!first)
                first = b;
            else if (b->alpha != first->alpha || (byMaterial && b->material != first->material))
                uniform = false;
        }
        if (!first)
            continue;
        if (uniform) {
            if (c.stale)
                compile(c);
            items.push_back({first->material, first->alpha, c.list.name()});
            continue;
        }
        for (const Brick* b : c.bricks)
            if (b)
                items.push_back({b->material, b->alpha, b->displayList.name()});
    }
}

void BrickBatches::drawSolid(const std::vector<std::unique_ptr<Brick>>& bricks) {
    for (const auto& b : bricks) {
        b->updateFade();
        b->material->diffuse[3] = b->alpha; // the record keeps the last writer's value
    }
    gather(true);
    for (std::size_t i = 0; i < items.size();) {
        const Item& first = items[i];
        names.clear();
        std::size_t j = i;
        for (; j < items.size() && items[j].material == first.material &&
               items[j].alpha == first.alpha;
             ++j)
            names.push_back(items[j].list);
        // Exactly the state of one brick's solid pass, for the whole run.
        glCallList(solidStateList.name());
        if (first.alpha < 0.999f)
            glEnable(GL_BLEND);
        Material shown = *first.material;
        shown.diffuse[3] = first.alpha;
        applyMaterial(shown);
        glCallLists(GLsizei(names.size()), GL_UNSIGNED_INT, names.data());
        glPopAttrib();
        i = j;
    }
}

void BrickBatches::drawOutlines(const std::vector<std::unique_ptr<Brick>>& bricks) {
    if (bricks.empty())
        return;
    gather(false);
    glCallList(outlineStateList.name());
    float colourAlpha = -1.0f;
    for (const Item& item : items) {
        const float a = item.alpha * 0.4f;
        if (a != colourAlpha) {
            glColor4f(0, 0, 0, a);
            colourAlpha = a;
        }
        glCallList(item.list);
    }
    glPopAttrib();
}

} // namespace orbiton
