// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "support/world_text.h"
#include "world/world.h"

namespace orbiton {
namespace {

TEST(EnclosingShells, OnlyClosedShellsWithRoomInsideHide) {
    GameCounters c;
    // A brick's cap on the second sphere faces outwards. A depth-1 shell's
    // caps nearest the centre are the middle tiles, through (1, 1, 0) / sqrt(2)
    // and its turns: 2 / sqrt(6) of the radius away.
    auto ring = worldFrom("Shell 1 0.25 0.29 ff f Red\n", c);
    ASSERT_EQ(ring->enclosingShells.count(), 1u);
    EXPECT_NEAR(ring->enclosingShells.clearRadius(0), 0.29 * 2 / std::sqrt(6.0) - 0.015, 1e-6);
    // Wound inwards, the caps facing out are the inner ones.
    auto inward = worldFrom("Shell 1 0.29 0.25 ff f Red\n", c);
    ASSERT_EQ(inward->enclosingShells.count(), 1u);
    EXPECT_NEAR(inward->enclosingShells.clearRadius(0), 0.25 * 2 / std::sqrt(6.0) - 0.015, 1e-6);

    for (const char* open : {"Shell 2 0.3 0.35 ff 7 Red\n",    // lace
                             "Shell 1 0.25 0.29 7f f Red\n",   // a face missing
                             "Shell 1 0.25 0.25 ff f Red\n",   // flat
                             "Shell 1 0.01 0.018 ff f Red\n",  // no room beyond the margin
                             "Shell 1 -0.25 0.29 ff f Red\n"}) // through the centre
        EXPECT_EQ(worldFrom(open, c)->enclosingShells.count(), 0u) << open;
}

TEST(EnclosingShells, SightLinesThroughTheBallDecide) {
    const Vec3 eye(1.5f, 0, 0);
    EXPECT_TRUE(segmentMeetsBall(eye, Vec3(-0.3f, 0, 0), 0.1));     // straight through
    EXPECT_TRUE(segmentMeetsBall(eye, Vec3(0.05f, 0, 0), 0.1));     // ends inside
    EXPECT_FALSE(segmentMeetsBall(eye, Vec3(0.3f, 0, 0), 0.1));     // stops short
    EXPECT_FALSE(segmentMeetsBall(eye, Vec3(-0.3f, 0.3f, 0), 0.1)); // passes 0.25 away
    // From (1.5, 0, 0) to (-1.5, 0.2, 0): nearest to the centre 0.3 / sqrt(9.04) = 0.09978 away.
    EXPECT_TRUE(segmentMeetsBall(eye, Vec3(-1.5f, 0.2f, 0), 0.0998));
    EXPECT_FALSE(segmentMeetsBall(eye, Vec3(-1.5f, 0.2f, 0), 0.0997));
}

class HiddenBricks : public ::testing::Test {
  protected:
    void SetUp() override {
        // A closed ring, a closed core inside it and, at 0.45, the middle tile
        // of every face of a depth-3 lace (one small brick round each face's centre).
        world = worldFrom("Shell 1 0.25 0.29 ff f Red\nShell 1 0.05 0.06 ff f Blue\n"
                          "Shell 3 0.45 0.46 ff 8 Green\n",
                          counters);
        ASSERT_EQ(world->bricks.size(), 72u);
        ASSERT_EQ(world->enclosingShells.count(), 2u);
    }
    // The hidden bricks: the core's, and the lace's behind the centre or in front.
    struct Hidden {
        int ring = 0, core = 0, laceBehind = 0, laceInFront = 0;
        int total() const { return ring + core + laceBehind + laceInFront; }
    };
    Hidden hidden() const {
        Hidden h;
        for (const auto& b : world->bricks) {
            if (!b->hidden)
                continue;
            const Vec3& p = b->getShape()->bounds.centre;
            if (b->material == findMaterial("Red"))
                ++h.ring;
            else if (b->material == findMaterial("Blue"))
                ++h.core;
            else
                ++(dot(p, eye) < 0 ? h.laceBehind : h.laceInFront);
        }
        return h;
    }
    GameCounters counters;
    std::unique_ptr<World> world;
    // Looking at the centre of a face from 1.5 away.
    const Vec3 eye = Vec3(1, 1, 1) * float(1.5 / std::sqrt(3.0));
};

TEST_F(HiddenBricks, TheRingHidesItsCoreAndTheLaceTileStraightBehindIt) {
    world->markHidden(eye, true);
    // The ring's ball: 0.29 * 2 / sqrt(6) - 0.015 = 0.222. The core lies
    // inside it (0.06). The lace tile behind, 10 degrees round the face
    // centre at 0.46, is seen 0.06 from the centre; the other lace tiles
    // behind, 0.40 away. Of the ring's tiles the four of the face straight
    // behind are wholly behind the ball (its corners seen 0.211 away).
    const Hidden h = hidden();
    EXPECT_EQ(h.core, 32);
    EXPECT_EQ(h.laceBehind, 1);
    EXPECT_EQ(h.laceInFront, 0);
    EXPECT_EQ(h.ring, 4);

    world->markHidden(eye, false);
    EXPECT_EQ(hidden().total(), 0);
}

// The lace tile in front, round the face centre at 0.45, shows from the eye
// as a cone 4.4 degrees wide (ball 0.08 at 1.05) round the line to the centre,
// where the core (within 3.2 degrees), the lace tile behind and the ring's
// far face lie. The lace tile round (1, -1, 1) is 17.6 degrees off it, its
// cone 3.2 degrees wide.
const Brick& laceTile(const World& w, const Vec3& direction) {
    for (const auto& b : w.bricks)
        if (b->material == findMaterial("Green") &&
            dot(b->getShape()->bounds.centre, direction) > 0.4 * length(direction))
            return *b;
    throw std::logic_error("no lace tile there");
}

TEST_F(HiddenBricks, ABlendedBrickInFrontOpensOnlyWhatItCovers) {
    Brick& aside = const_cast<Brick&>(laceTile(*world, Vec3(1, -1, 1)));
    aside.alpha = 0.5f;
    world->markHidden(eye, true);
    EXPECT_EQ(hidden().total(), 37);

    aside.alpha = 1.0f;
    const_cast<Brick&>(laceTile(*world, Vec3(1, 1, 1))).alpha = 0.5f;
    world->markHidden(eye, true);
    EXPECT_EQ(hidden().total(), 0);
}

TEST_F(HiddenBricks, AHoleFacingTheEyeOpensTheShell) {
    // The ring's middle tile of the face in front: its bounding ball stays a hole.
    Brick* facing = nullptr;
    for (const auto& b : world->bricks)
        if (b->material == findMaterial("Red") &&
            dot(b->getShape()->bounds.centre, Vec3(1, 1, 1)) > 0.25)
            facing = b.get();
    ASSERT_NE(facing, nullptr);
    world->hitBrick(facing);
    world->markHidden(eye, true);
    // The core's own ball (0.06 * 2 / sqrt(6) - 0.015 = 0.0340) misses the
    // lace tile behind (seen 0.06 from the centre). It hides only the core's
    // own middle tile straight behind: its corners, at 0.05 and 0.06 towards
    // the midpoints of the far face's edges, are seen 0.0281 and 0.0335 from
    // the centre.
    const Hidden h = hidden();
    EXPECT_EQ(h.core, 1);
    EXPECT_EQ(h.ring + h.laceBehind + h.laceInFront, 0);
}

TEST_F(HiddenBricks, NothingIsHiddenFromInsideAShell) {
    // A viewer inside the ring's outer corners (0.29 from the centre).
    world->markHidden(Vec3(0.2f, 0.1f, 0), true);
    EXPECT_EQ(hidden().total(), 0);
}

TEST_F(HiddenBricks, ListsChangedByOtherMeansHideNothing) {
    // A ring tile taken out by hand, not hit: the ring is open, and the
    // world cannot tell which bricks its lines made any more.
    auto facing = std::find_if(world->bricks.begin(), world->bricks.end(), [](const auto& b) {
        return b->material == findMaterial("Red") &&
               dot(b->getShape()->bounds.centre, Vec3(1, 1, 1)) > 0.25;
    });
    ASSERT_NE(facing, world->bricks.end());
    world->bricks.erase(facing);
    world->indexObjects();
    world->markHidden(eye, true);
    EXPECT_EQ(hidden().total(), 0);
    EXPECT_EQ(world->enclosingShells.count(), 0u);
}

// A closed shell thick enough to hold its own caps on the first radius: its
// ball is 0.40 * 2 / sqrt(6) - 0.015 = 0.3116, and those caps lie at 0.30.
// Seen from 1.5 away towards the centre of face (1, 1, 1).
class InnerEdges : public ::testing::Test {
  protected:
    void SetUp() override {
        world = worldFrom("Shell 1 0.30 0.40 ff f Blue\n", counters);
        ASSERT_EQ(world->bricks.size(), 32u);
        ASSERT_EQ(world->enclosingShells.count(), 1u);
    }
    // The face's middle tile (nearest the axis) or its three corner tiles.
    std::vector<Brick*> tiles(const Vec3& face, bool middle) const {
        std::vector<Brick*> found;
        const Vec3 axis = face * float(1 / std::sqrt(3.0));
        for (const auto& b : world->bricks) {
            const Vec3 c = b->getShape()->bounds.centre;
            const double along = dot(c, axis) / length(c);
            // A middle tile's box centre lies on the axis; a corner tile's, at a
            // cosine of 0.92 from it; other faces' tiles, at 0.49 and less.
            if (middle ? along > 0.99 : along > 0.8 && along < 0.99)
                found.push_back(b.get());
        }
        return found;
    }
    Brick* middleTile(const Vec3& face) const {
        const std::vector<Brick*> found = tiles(face, true);
        if (found.size() != 1)
            throw std::logic_error("no single middle tile there");
        return found.front();
    }
    int innerHidden() const {
        int n = 0;
        for (const auto& b : world->bricks)
            n += b->innerEdgesHidden;
        return n;
    }
    GameCounters counters;
    std::unique_ptr<World> world;
    const Vec3 face = Vec3(1, 1, 1);
    const Vec3 eye = face * float(1.5 / std::sqrt(3.0));
};

TEST_F(InnerEdges, FromOutsideEveryBrickNotHiddenWholeHidesItsInnerCap) {
    ASSERT_EQ(tiles(face, false).size(), 3u);
    world->markHidden(eye, true);
    for (const auto& b : world->bricks) {
        EXPECT_NE(b->hidden, b->innerEdgesHidden); // one or the other, never both
    }
    // The middle tile straight behind: its corners are seen 0.169 and 0.224 from the centre.
    EXPECT_TRUE(middleTile(face * -1.0f)->hidden);
    // The tiles facing the eye stand in front of the ball, their inner caps inside it.
    for (bool middle : {true, false})
        for (const Brick* b : tiles(face, middle)) {
            EXPECT_FALSE(b->hidden);
            EXPECT_TRUE(b->innerEdgesHidden);
        }

    world->markHidden(eye, false);
    EXPECT_EQ(innerHidden(), 0);
    world->markHidden(Vec3(0.2f, 0.1f, 0), true); // inside the shell
    EXPECT_EQ(innerHidden(), 0);
}

TEST_F(InnerEdges, ABlendedBrickStillHidesOutlines) {
    // It writes depth like any other, and the outlines come after every solid face.
    Brick* front = middleTile(face);
    front->alpha = 0.5f;
    world->markHidden(eye, true);
    EXPECT_FALSE(middleTile(face * -1.0f)->hidden); // it lets this one through
    EXPECT_TRUE(front->innerEdgesHidden);
    for (const Brick* b : tiles(face, false))
        EXPECT_TRUE(b->innerEdgesHidden);
}

TEST_F(InnerEdges, OnlyAHoleOnTheWayOpensThem) {
    // The middle tile straight behind: its ball (1.55 from the eye at its
    // nearest) lies wholly beyond the front tiles' inner caps (1.43 at their
    // farthest), though in the same direction.
    world->hitBrick(middleTile(face * -1.0f));
    world->markHidden(eye, true);
    for (bool middle : {true, false})
        for (const Brick* b : tiles(face, middle))
            EXPECT_TRUE(b->innerEdgesHidden);

    // The middle tile in front: its three neighbours share its corners.
    world->hitBrick(middleTile(face));
    world->markHidden(eye, true);
    for (const Brick* b : tiles(face, false))
        EXPECT_FALSE(b->innerEdgesHidden);
}

} // namespace
} // namespace orbiton
