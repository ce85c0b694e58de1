// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's meshes against the reference's, every field bit for bit: every
// sphere face mask at depths 1 to 4 in both windings, prisms, brick shells,
// and the arena and bricks of every bundled level.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "exactness/exact_inputs.h"
#include "exactness/fingerprint.h"
#include "geometry/prism_mesh.h"
#include "geometry/sphere_mesh.h"
#include "support/level_directory.h"
#include "support/reference_bridge.h"
#include "world/brick_shell.h"
#include "world/world.h"

namespace orbiton {
namespace {

using reference::firstDifference;
using reference::fromR;
using reference::RVec;
using reference::toR;

TEST(ExactMeshes, EverySphereMaskAtDepthsOneToFour) {
    exact::Fingerprint fp;
    int differ = 0;
    for (int depth = 1; depth <= 4; ++depth)
        for (unsigned mask = 0; mask < 256; ++mask)
            for (bool outward : {false, true}) {
                const float radius = outward ? 0.01f : 0.5f; // the ball's, the arena's
                const SphereMesh s(depth, radius, outward, mask);
                const reference::RMesh want = reference::sphere(depth, radius, outward, mask);
                fp.add(want);
                const std::string d = firstDifference(toR(s), want);
                if (!d.empty() && differ++ < 5)
                    ADD_FAILURE() << "depth " << depth << " mask " << mask << " outward " << outward
                                  << ": " << d;
            }
    EXPECT_EQ(differ, 0);
    exact::expectPinned("spheres", fp);
}

TEST(ExactMeshes, TheWorkedDepthOneSphere) {
    // Vertex 6 of the depth-1 outward sphere is (0, 0.70710677, 0.70710677).
    const reference::RMesh r = reference::sphere(1, 1.0f, true, 0xFF);
    ASSERT_EQ(r.vertices.size(), 18u);
    ASSERT_EQ(r.triangles.size(), 32u);
    EXPECT_EQ(r.vertices[6].y, 0.70710677f);
    EXPECT_EQ(r.vertices[6].z, 0.70710677f);
    const reference::Tri first[4] = {{0, 6, 8}, {6, 4, 7}, {8, 7, 2}, {6, 7, 8}};
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(r.triangles[std::size_t(t)], first[t]);
}

TEST(ExactMeshes, PrismsOnRandomCorners) {
    exact::Inputs in(11);
    exact::Fingerprint fp;
    int differ = 0;
    for (int i = 0; i < 20000; ++i) {
        std::array<RVec, 6> c;
        for (RVec& v : c)
            v = in.anyVec();
        const PrismMesh p(fromR(c[0]), fromR(c[1]), fromR(c[2]), fromR(c[3]), fromR(c[4]),
                          fromR(c[5]));
        const reference::RMesh want = reference::prism(c);
        fp.add(want);
        const std::string d = firstDifference(toR(p), want);
        if (!d.empty() && differ++ < 5)
            ADD_FAILURE() << "prism " << i << ": " << d;
    }
    EXPECT_EQ(differ, 0);
    exact::expectPinned("prisms", fp);
}

// Every brick of one shell line, corners and mesh.
void expectSameShell(int depth, float r1, float r2, unsigned faceMask, unsigned subMask,
                     exact::Fingerprint& fp) {
    BrickList bricks;
    addShell(bricks, depth, r1, r2, faceMask, subMask, "Red");
    const std::vector<reference::RBrick> want = reference::shell(depth, r1, r2, faceMask, subMask);
    for (const reference::RBrick& b : want) {
        for (const RVec& c : b.corners)
            fp.add(c);
        fp.add(b.mesh);
    }
    ASSERT_EQ(bricks.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const std::string d = firstDifference(toR(*bricks[i]->shape), want[i].mesh);
        ASSERT_EQ(d, "") << "brick " << i << " of shell " << depth << " " << r1 << " " << r2 << " "
                         << faceMask << " " << subMask;
    }
}

TEST(ExactMeshes, BrickShells) {
    // The worked shell: its first brick's corners, by hand.
    const std::vector<reference::RBrick> four = reference::shell(1, 0.3f, 0.35f, 0x80, 0xF);
    ASSERT_EQ(four.size(), 4u);
    const float r = 0.70710677f;
    const RVec want[6] = {{0, 0.3f, 0},  {0.3f * r, 0.3f * r, 0},   {0, 0.3f * r, 0.3f * r},
                          {0, 0.35f, 0}, {0.35f * r, 0.35f * r, 0}, {0, 0.35f * r, 0.35f * r}};
    for (int k = 0; k < 6; ++k)
        EXPECT_TRUE(reference::sameBits(four[0].corners[std::size_t(k)], want[k])) << k;

    exact::Fingerprint fp;
    for (int depth = 1; depth <= 4; ++depth)
        for (unsigned subMask : {0xFu, 0x7u, 0x8u, 0xEu, 0x5u})
            for (unsigned faceMask : {0xFFu, 0x80u, 0x5Au, 0x01u})
                expectSameShell(depth, 0.3f, 0.35f, faceMask, subMask, fp);
    expectSameShell(3, 0.41f, 0.39f, 0xFF, 0xF, fp); // radii in either order
    expectSameShell(2, 0.1f, 0.14f, 0xFF, 0xF, fp);
    exact::expectPinned("shells", fp);
}

// The arena shells and bricks of each bundled level, from its own lines.
TEST(ExactMeshes, EveryBundledLevel) {
    exact::Fingerprint fp;
    for (int level = 1;; ++level) {
        const std::string text = test::fileText(std::string(ORBITON_SOURCE_LEVELS) + "/" +
                                                std::to_string(level) + ".lvl");
        if (text.empty()) {
            EXPECT_GE(level, 13) << "the twelve bundled levels";
            break;
        }
        SCOPED_TRACE("level " + std::to_string(level));
        std::vector<reference::RMesh> arenas, bricks;
        std::istringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            int depth;
            float r1, r2;
            unsigned a, b;
            char name[64];
            if (std::sscanf(line.c_str(), "OuterShell %d %x", &depth, &a) == 2)
                arenas.push_back(reference::sphere(depth, 0.5f, false, a));
            else if (std::sscanf(line.c_str(), "Shell %d %f %f %x %x %63s", &depth, &r1, &r2, &a,
                                 &b, name) == 6)
                for (const reference::RBrick& brick : reference::shell(depth, r1, r2, a, b))
                    bricks.push_back(brick.mesh);
        }
        for (const reference::RMesh& m : arenas)
            fp.add(m);
        for (const reference::RMesh& m : bricks)
            fp.add(m);
        GameCounters counters;
        std::istringstream in(text);
        const World world(in, "level", &counters, World::Lists::Defer);
        ASSERT_EQ(world.others.size(), arenas.size());
        for (std::size_t i = 0; i < arenas.size(); ++i)
            EXPECT_EQ(firstDifference(toR(*world.others[i]->shape), arenas[i]), "") << i;
        ASSERT_EQ(world.bricks.size(), bricks.size());
        int differ = 0;
        for (std::size_t i = 0; i < bricks.size(); ++i)
            differ += !firstDifference(toR(*world.bricks[i]->shape), bricks[i]).empty();
        EXPECT_EQ(differ, 0);
    }
    exact::expectPinned("levels", fp);
}

} // namespace
} // namespace orbiton
