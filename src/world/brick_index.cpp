// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/brick_index.h"

#include <algorithm>

#include "geometry/box_distance.h"
#include <cmath>

namespace orbiton {

namespace {

constexpr float kRelativeMargin = 1e-3f;
constexpr float kAbsoluteMargin = 1e-5f;
constexpr int kMaxDims = 64;

} // namespace

bool BrickIndex::cellRange(const Box& box, int lo[3], int hi[3]) const {
    for (int a = 0; a < 3; ++a) {
        if (!(box.min[a] >= -kHalfWidth && box.max[a] <= kHalfWidth))
            return false;
        lo[a] = std::clamp(int((box.min[a] + kHalfWidth) / cellSize), 0, dims - 1);
        hi[a] = std::clamp(int((box.max[a] + kHalfWidth) / cellSize), 0, dims - 1);
    }
    return true;
}

void BrickIndex::build(const BrickList& bricks) {
    const std::size_t n = bricks.size();
    dims = std::clamp(int(std::lround(2.0 * std::cbrt(double(n)))), 1, kMaxDims);
    cellSize = 2.0f * kHalfWidth / float(dims);
    boxes.assign(n, Box{});
    bySequence.assign(n, nullptr);
    outside.clear();
    const std::size_t cells = std::size_t(dims) * dims * dims;
    std::vector<std::uint32_t> counts(cells + 1, 0);
    std::vector<char> inGrid(n, 0);
    for (std::size_t s = 0; s < n; ++s) {
        const BoundingBox& b = bricks[s]->shape->bounds;
        const float bmin[3] = {b.min.x, b.min.y, b.min.z};
        const float bmax[3] = {b.max.x, b.max.y, b.max.z};
        const float margin = b.extent * kRelativeMargin + kAbsoluteMargin;
        for (int a = 0; a < 3; ++a) {
            boxes[s].min[a] = bmin[a] - margin;
            boxes[s].max[a] = bmax[a] + margin;
        }
        bySequence[s] = bricks[s].get();
        int lo[3], hi[3];
        if (!cellRange(boxes[s], lo, hi)) {
            outside.push_back({std::uint32_t(s), bricks[s].get()});
            continue;
        }
        inGrid[s] = 1;
        for (int x = lo[0]; x <= hi[0]; ++x)
            for (int y = lo[1]; y <= hi[1]; ++y)
                for (int z = lo[2]; z <= hi[2]; ++z)
                    ++counts[(std::size_t(x) * dims + y) * dims + z];
    }
    cellStart.assign(cells + 1, 0);
    for (std::size_t c = 0; c < cells; ++c)
        cellStart[c + 1] = cellStart[c] + counts[c];
    entries.assign(cellStart[cells], Entry{0, nullptr});
    std::vector<std::uint32_t> fill(cellStart.begin(), cellStart.end() - 1);
    for (std::size_t s = 0; s < n; ++s) {
        if (!inGrid[s])
            continue;
        int lo[3], hi[3];
        cellRange(boxes[s], lo, hi);
        for (int x = lo[0]; x <= hi[0]; ++x)
            for (int y = lo[1]; y <= hi[1]; ++y)
                for (int z = lo[2]; z <= hi[2]; ++z)
                    entries[fill[(std::size_t(x) * dims + y) * dims + z]++] = {std::uint32_t(s),
                                                                               bricks[s].get()};
    }
}

void BrickIndex::remove(const Brick* brick) {
    // Find its sequence (the list only shrinks, so a linear search of the
    // sequences is rare work: once per hit).
    for (std::size_t s = 0; s < bySequence.size(); ++s) {
        if (bySequence[s] != brick)
            continue;
        bySequence[s] = nullptr;
        int lo[3], hi[3];
        if (cellRange(boxes[s], lo, hi)) {
            for (int x = lo[0]; x <= hi[0]; ++x)
                for (int y = lo[1]; y <= hi[1]; ++y)
                    for (int z = lo[2]; z <= hi[2]; ++z) {
                        const std::size_t c = (std::size_t(x) * dims + y) * dims + z;
                        for (std::uint32_t e = cellStart[c]; e < cellStart[c + 1]; ++e)
                            if (entries[e].brick == brick)
                                entries[e].brick = nullptr;
                    }
        }
        for (Entry& e : outside)
            if (e.brick == brick)
                e.brick = nullptr;
        return;
    }
}

void BrickIndex::near(const Vec3& centre, float radius, std::vector<Brick*>& out) const {
    const double r2 = double(radius) * radius;
    found.clear();
    for (const Entry& e : outside)
        if (e.brick &&
            boxDistanceSquared(boxes[e.sequence].min, boxes[e.sequence].max, centre) <= r2)
            found.push_back(e.sequence);
    const Box query = {{centre.x - radius, centre.y - radius, centre.z - radius},
                       {centre.x + radius, centre.y + radius, centre.z + radius}};
    int lo[3], hi[3];
    bool any = true;
    for (int a = 0; a < 3 && any; ++a) {
        if (query.max[a] < -kHalfWidth || query.min[a] > kHalfWidth || std::isnan(query.min[a]))
            any = false;
        else {
            lo[a] = std::clamp(int((query.min[a] + kHalfWidth) / cellSize), 0, dims - 1);
            hi[a] = std::clamp(int((query.max[a] + kHalfWidth) / cellSize), 0, dims - 1);
        }
    }
    if (any && !cellStart.empty())
        for (int x = lo[0]; x <= hi[0]; ++x)
            for (int y = lo[1]; y <= hi[1]; ++y)
                for (int z = lo[2]; z <= hi[2]; ++z) {
                    const std::size_t c = (std::size_t(x) * dims + y) * dims + z;
                    for (std::uint32_t e = cellStart[c]; e < cellStart[c + 1]; ++e) {
                        const Entry& en = entries[e];
                        if (en.brick && boxDistanceSquared(boxes[en.sequence].min,
                                                           boxes[en.sequence].max, centre) <= r2)
                            found.push_back(en.sequence);
                    }
                }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    for (std::uint32_t s : found)
        out.push_back(bySequence[s]);
}

} // namespace orbiton
