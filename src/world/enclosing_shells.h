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
// overdrawn or fails the depth test: leaving it out keeps every pixel. Only
// while each of the shell's bricks stands and no brick anywhere is blended:
// a blended brick writes depth yet lets through what was drawn before it.
class EnclosingShells {
  public:
    // How far inside the inner caps a sight line must pass. It keeps the
    // hidden bricks' outline fringes well inside the shell's own pixels and
    // their depth well behind its faces, even in a 16-bit depth buffer.
    static constexpr double kMargin = 0.02;

    // Finds the closed shells among the loader's applied lines; the bricks
    // are the level's, in load order.
    void find(const LevelReport& report, const BrickList& bricks);
    // The brick was knocked out: its shell, if any, has a hole now.
    void removed(const Brick* brick);
    // Marks each brick hidden or not for a viewer at eye; nothing is hidden
    // while any brick is blended (its alpha below 0.999).
    void markHidden(const BrickList& bricks, const Vec3& eye) const;

    std::size_t count() const { return shells.size(); }
    // The ball a sight line must cross for shell i to hide what lies beyond.
    double clearRadius(std::size_t i) const { return shells[i].clearRadius; }

  private:
    struct Shell {
        double clearRadius;                // of the ball kept clear, inside the inner caps
        double outerRadius;                // no corner lies farther out
        std::vector<const Brick*> members; // sorted, for the hole check
        bool intact = true;
    };
    std::vector<Shell> shells;
};

// Whether the segment from eye to point passes within radius of the centre.
bool segmentMeetsBall(const Vec3& eye, const Vec3& point, double radius);

} // namespace orbiton
