// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "geometry/vec3.h"
#include "objects/brick.h"
#include "world/level_loader.h"

namespace orbiton {

// The level's closed brick shells (every face, every part) and what they
// hide. A brick's cap on its line's second sphere faces outwards, whichever
// sphere is the larger, so those caps of a closed shell make a closed surface
// whose every face is drawn, lit and opaque when seen from outside. A sight
// line from outside that passes through the ball inside that surface has met
// one of those caps first, so everything the line reaches beyond that ball
// is overdrawn or fails the depth test: leaving it out keeps every pixel. Two
// things let a line through. A knocked-out brick is a hole. A blended brick
// writes depth yet lets through what was drawn before it, wherever it is.
// So a brick stays drawn when its cone of sight lines (from the eye, round
// its bounding ball) comes near the cone of a hole of the shell or of any
// blended brick.
class EnclosingShells {
  public:
    // How far inside the outward caps a sight line must pass. It keeps the
    // hidden bricks' outline fringes well inside the shell's own pixels and
    // their depth well behind its faces, even in a 16-bit depth buffer (from
    // the farthest camera, two pixels at 800 x 600 and one depth unit each
    // span about 0.004 or less at the near side of a shell). It is less than
    // the gap between the caps of the bundled levels' thick shells (0.0166 at
    // the least), so that their inner caps lie inside the ball.
    static constexpr double kMargin = 0.015;

    // How near two cones may come (radians) and still count as apart: some
    // pixels for line smoothing and edge rounding, even at 1920 x 1080 and beyond.
    static constexpr double kConeGap = 0.01;
    // Beyond this many holes and blended bricks nothing is hidden: the
    // search would cost more than the drawing it saves.
    static constexpr std::size_t kMaxOpenings = 512;

    // Finds the closed shells among the loader's applied lines; the bricks
    // are the level's, in load order.
    void find(const LevelReport& report, const BrickList& bricks);
    // The brick was knocked out: its shell, if any, has a hole where it was.
    void removed(const Brick* brick);
    // Takes this frame's viewer at eye and the bricks' alphas (blended
    // below 0.999): which shells can hide, and where they are open.
    void look(const BrickList& bricks, const Vec3& eye);
    // Whether this frame's shells hide the convex hull of the points.
    bool hides(const Vec3* points, std::size_t count) const;
    // The same for outlines alone. They are drawn after every solid face and
    // a blended brick writes depth, so only holes let a line show.
    bool hidesOutlines(const Vec3* points, std::size_t count) const;
    bool hidesAnything() const { return !usable.empty(); }
    // Looks, then marks each brick hidden or not, and whether the outline
    // edges round its cap on the first radius are.
    void markHidden(const BrickList& bricks, const Vec3& eye);

    std::size_t count() const { return shells.size(); }
    // The ball a sight line must cross for shell i to hide what lies beyond.
    double clearRadius(std::size_t i) const { return shells[i].clearRadius; }

  private:
    struct Ball {
        Vec3 centre;
        double radius;
    };
    // The sight lines from an eye through a ball: an axis and a half-angle,
    // and how near and how far from the eye the ball reaches.
    struct Cone {
        double axis[3];
        double halfAngle;
        double nearest, farthest;
    };
    struct Shell {
        double clearRadius;                // of the ball kept clear, inside the outward caps
        double outerRadius;                // no corner lies farther out
        std::vector<const Brick*> members; // sorted
        std::vector<Ball> holes;           // where knocked-out members were
    };
    static Ball boundingBall(const Vec3* points, std::size_t count);
    static Cone coneOf(const Vec3& eye, const Ball& ball);
    static bool apart(const Cone& a, const Cone& b);
    bool hidesBehind(const Vec3* points, std::size_t count, bool blendedOpen) const;

    std::vector<Shell> shells;
    // This frame's: the eye, the cones of the blended bricks, and for each
    // shell that can hide (the widest first) the cones of its holes.
    Vec3 eye;
    std::vector<Cone> blended;
    struct Usable {
        const Shell* shell;
        std::vector<Cone> holes;
    };
    std::vector<Usable> usable;
};

// Whether the segment from eye to point passes within radius of the centre.
bool segmentMeetsBall(const Vec3& eye, const Vec3& point, double radius);

} // namespace orbiton
