// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "objects/brick_batches.h"

#include "platform/gl.h"

#include "render/state_lists.h"

namespace orbiton {

namespace {

// One brick's triangles as corner and face-normal numbers, in the order its
// own list draws them: the caps, then each side quad a, b, c, d cut as
// (a, b, d) and (b, c, d), which keeps d last (it lights the flat-shaded
// face) and leaves the edge b-d out of the outline.
struct Corner {
    std::uint8_t corner;
    std::uint8_t normal;
    bool edge; // the outline draws the edge from this corner to the next
};
constexpr Corner kLayout[BrickBatches::kVerticesPerBrick] = {
    {3, 0, true}, {5, 0, true},  {4, 0, true},  // cap on the second radius
    {0, 1, true}, {1, 1, true},  {2, 1, true},  // cap on the first radius
    {3, 3, true}, {0, 3, false}, {5, 3, true},  // side 3 0 2 5
    {0, 3, true}, {2, 3, true},  {5, 3, false}, //
    {5, 5, true}, {2, 5, false}, {4, 5, true},  // side 5 2 1 4
    {2, 5, true}, {1, 5, true},  {4, 5, false}, //
    {4, 7, true}, {1, 7, false}, {3, 7, true},  // side 4 1 0 3
    {1, 7, true}, {0, 7, true},  {3, 7, false}, //
};
// Where each side's lower edge starts (the first corner of its second
// triangle); each brick's block ends with a copy of these, their flag off.
constexpr std::uint32_t kLowerEdges[3] = {9, 15, 21};
// The cap on the first radius.
constexpr std::uint32_t kInnerCap = 3;

// Each starts a drawn edge joining two corners on the first radius (0 to 2).
constexpr bool lowerEdgesMatch() {
    for (std::uint32_t at : kLowerEdges)
        if (!kLayout[at].edge || kLayout[at].corner > 2 || kLayout[at + 1].corner > 2)
            return false;
    return true;
}
static_assert(lowerEdgesMatch(), "the copies must start the sides' lower edges");

// The outline of a brick whose inner cap is hidden, as places in its block:
// the same lines in the same order, less that cap, each side's lower edge
// started from its copy.
struct InnerHiddenOutline {
    std::uint32_t at[BrickBatches::kVerticesPerBrick - 3];
};
constexpr InnerHiddenOutline innerHiddenOutline() {
    InnerHiddenOutline o{};
    std::uint32_t n = 0;
    for (std::uint32_t k = 0; k < BrickBatches::kVerticesPerBrick; ++k) {
        if (k >= kInnerCap && k < kInnerCap + 3)
            continue;
        std::uint32_t place = k;
        for (std::uint32_t i = 0; i < 3; ++i)
            if (kLowerEdges[i] == k)
                place = BrickBatches::kVerticesPerBrick + i;
        o.at[n++] = place;
    }
    return o;
}
constexpr InnerHiddenOutline kInnerHiddenOutline = innerHiddenOutline();

} // namespace

void BrickBatches::assign(const std::vector<std::unique_ptr<Brick>>& bricks) {
    slots.clear();
    slots.reserve(bricks.size());
    for (const auto& b : bricks)
        slots.push_back(b.get());
    releaseLists(); // the buffers held another layout
}

void BrickBatches::forget(const Brick* brick) {
    for (Brick*& b : slots)
        if (b == brick) {
            b = nullptr;
            return;
        }
}

void BrickBatches::buildLists() {
    // Laid out in list order; a removed brick's slot keeps its place, unused.
    std::vector<Vertex> vertices;
    std::vector<GLboolean> edgeFlags;
    vertices.reserve(slots.size() * kVerticesPerSlot);
    edgeFlags.reserve(slots.size() * kVerticesPerSlot);
    for (Brick* b : slots) {
        if (!b) {
            vertices.resize(vertices.size() + kVerticesPerSlot, Vertex{});
            edgeFlags.resize(edgeFlags.size() + kVerticesPerSlot, GL_TRUE);
            continue;
        }
        const Mesh& m = *b->getShape();
        auto add = [&](const Corner& c) {
            const Vec3& p = m.vertices[c.corner];
            const Vec3& n = m.faceNormals[c.normal];
            vertices.push_back({{p.x, p.y, p.z}, {n.x, n.y, n.z}});
            edgeFlags.push_back(c.edge ? GL_TRUE : GL_FALSE);
        };
        for (const Corner& c : kLayout)
            add(c);
        for (std::uint32_t at : kLowerEdges)
            add({kLayout[at].corner, kLayout[at].normal, false});
    }
    if (vertices.empty())
        return;
    vertexBuffer.upload(GL_ARRAY_BUFFER, vertices.data(), vertices.size() * sizeof(Vertex),
                        GL_STATIC_DRAW);
    edgeFlagBuffer.upload(GL_ARRAY_BUFFER, edgeFlags.data(), edgeFlags.size(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void BrickBatches::releaseLists() {
    vertexBuffer.reset();
    edgeFlagBuffer.reset();
    indexBuffer.reset();
}

void BrickBatches::gather() {
    indices.clear();
    solidRuns.clear();
    outlineRuns.clear();
    for (std::size_t s = 0; s < slots.size(); ++s) {
        const Brick* b = slots[s];
        if (!b || b->hidden)
            continue;
        if (solidRuns.empty() || solidRuns.back().material != b->material ||
            solidRuns.back().alpha != b->alpha)
            solidRuns.push_back({b->material, b->alpha, indices.size(), 0});
        solidRuns.back().count += kVerticesPerBrick;
        const std::uint32_t first = std::uint32_t(s * kVerticesPerSlot);
        for (std::uint32_t k = 0; k < kVerticesPerBrick; ++k)
            indices.push_back(first + k);
    }
    for (std::size_t s = 0; s < slots.size(); ++s) {
        const Brick* b = slots[s];
        if (!b || b->hidden)
            continue;
        // The outline's colour depends on the alpha alone.
        if (outlineRuns.empty() || outlineRuns.back().alpha != b->alpha)
            outlineRuns.push_back({nullptr, b->alpha, indices.size(), 0});
        const std::size_t before = indices.size();
        const std::uint32_t first = std::uint32_t(s * kVerticesPerSlot);
        if (!b->innerEdgesHidden) {
            for (std::uint32_t k = 0; k < kVerticesPerBrick; ++k)
                indices.push_back(first + k);
        } else {
            for (std::uint32_t k : kInnerHiddenOutline.at)
                indices.push_back(first + k);
        }
        outlineRuns.back().count += indices.size() - before;
    }
}

void BrickBatches::drawRuns(const std::vector<Run>& runs, bool outline) {
    for (const Run& run : runs) {
        const void* offset = reinterpret_cast<const void*>(run.first * sizeof(std::uint32_t));
        if (outline) {
            glColor4f(0, 0, 0, run.alpha * 0.4f);
            glDrawElements(GL_TRIANGLES, GLsizei(run.count), GL_UNSIGNED_INT, offset);
            continue;
        }
        // Exactly the state of one brick's solid pass, for the whole run.
        glCallList(solidStateList.name());
        if (run.alpha < 0.999f)
            glEnable(GL_BLEND);
        Material shown = *run.material;
        shown.diffuse[3] = run.alpha;
        applyMaterial(shown);
        glDrawElements(GL_TRIANGLES, GLsizei(run.count), GL_UNSIGNED_INT, offset);
        glPopAttrib();
    }
}

void BrickBatches::draw(const std::vector<std::unique_ptr<Brick>>& bricks) {
    // As each brick's own pass would leave it: the record keeps the last writer's value.
    for (const auto& b : bricks)
        b->material->diffuse[3] = b->alpha;
    if (bricks.empty())
        return;
    if (!vertexBuffer)
        buildLists();
    gather();
    if (indices.empty() || !vertexBuffer || !edgeFlagBuffer)
        return;
    indexBuffer.upload(GL_ELEMENT_ARRAY_BUFFER, indices.data(),
                       indices.size() * sizeof(std::uint32_t), GL_STREAM_DRAW);
    vertexBuffer.bind(GL_ARRAY_BUFFER);
    glVertexPointer(3, GL_FLOAT, sizeof(Vertex), reinterpret_cast<const void*>(0));
    glNormalPointer(GL_FLOAT, sizeof(Vertex),
                    reinterpret_cast<const void*>(offsetof(Vertex, normal)));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    drawRuns(solidRuns, false);
    glDisableClientState(GL_NORMAL_ARRAY);

    edgeFlagBuffer.bind(GL_ARRAY_BUFFER);
    glEdgeFlagPointer(0, reinterpret_cast<const void*>(0));
    glEnableClientState(GL_EDGE_FLAG_ARRAY);
    glCallList(outlineStateList.name());
    drawRuns(outlineRuns, true);
    glPopAttrib();
    glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // The array left the last brick's flag current: the arena's outlines need it on.
    glEdgeFlag(GL_TRUE);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

} // namespace orbiton
