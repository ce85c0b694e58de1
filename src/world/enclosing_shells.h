#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "geometry/vec3.h"
#include "objects/brick.h"
#include "world/level_loader.h"

namespace orbiton {

// The level's closed brick shells (every face, every part), wound outwards,
// and what they hide. Seen from outside, a sight line that passes through the
// ball inside such a shell has entered one of its bricks through a lit,
// opaque front face first, so everything the line reaches beyond that ball is
// overdrawn or fails the depth test: leaving it out keeps every pixel. Two
// things let a line through. A knocked-out brick is a hole. A blended brick
// writes depth yet lets through what was drawn before it, wherever it is.
// So a brick stays drawn when its cone of sight lines (from the eye, round
// its bounding ball) comes near the cone of a hole of the shell or of any
// blended brick.
class EnclosingShells {
  public:
    // How far inside the inner caps a sight line must pass. It keeps the
    // hidden bricks' outline fringes well inside the shell's own pixels and
    // their depth well behind its faces, even in a 16-bit depth buffer.
    static constexpr double kMargin = 0.02;

    // Finds the closed shells among the loader's applied lines; the bricks
    // are the level's, in load order.
    void find(const LevelReport& report, const BrickList& bricks);
    // How near two cones may come (radians) and still count as apart: some
    // pixels for line smoothing and edge rounding, even at 1920 x 1080 and beyond.
    static constexpr double kConeGap = 0.01;
    // Beyond this many holes and blended bricks nothing is hidden: the
    // search would cost more than the drawing it saves.
    static constexpr std::size_t kMaxOpenings = 512;

    // The brick was knocked out: its shell, if any, has a hole where it was.
    void removed(const Brick* brick);
    // Marks each brick hidden or not for a viewer at eye (blended bricks are
    // those with alpha below 0.999).
    void markHidden(const BrickList& bricks, const Vec3& eye);

    std::size_t count() const { return shells.size(); }
    // The ball a sight line must cross for shell i to hide what lies beyond.
    double clearRadius(std::size_t i) const { return shells[i].clearRadius; }

  private:
    struct Ball {
        Vec3 centre;
        double radius;
    };
    // The sight lines from an eye through a ball: an axis and a half-angle.
    struct Cone {
        double axis[3];
        double halfAngle;
    };
    struct Shell {
        double clearRadius;                // of the ball kept clear, inside the inner caps
        double outerRadius;                // no corner lies farther out
        std::vector<const Brick*> members; // sorted
        std::vector<Ball> holes;           // where knocked-out members were
    };
    static Ball boundingBall(const Brick& brick);
    static Cone coneOf(const Vec3& eye, const Ball& ball);
    static bool apart(const Cone& a, const Cone& b);

    std::vector<Shell> shells;
    std::vector<Cone> blended; // this frame's, kept for their memory
    std::vector<Cone> holes;
};

// Whether the segment from eye to point passes within radius of the centre.
bool segmentMeetsBall(const Vec3& eye, const Vec3& point, double radius);

} // namespace orbiton
