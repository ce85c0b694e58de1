// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Random inputs for the exactness tests: the same on every compiler, library
// and system (the standard distributions are not), so that a failure seen on
// one machine is seen on every other.

#include <cstdint>

#include "support/reference.h"

namespace orbiton::exact {

class Inputs {
  public:
    explicit Inputs(std::uint64_t seed) : state(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi), on a grid of 2^-24 of the span.
    float uniform(float lo, float hi) {
        const float u = float(next() >> 40) * (1.0f / 16777216.0f);
        return lo + (hi - lo) * u;
    }
    reference::RVec vec(float lo, float hi) {
        const float x = uniform(lo, hi), y = uniform(lo, hi), z = uniform(lo, hi);
        return {x, y, z};
    }
    // Mostly coordinates of the arena's size, now and then far smaller or
    // larger ones, where rounding falls differently.
    reference::RVec anyVec() {
        switch (next() % 8) {
        case 0:
            return vec(-1e-3f, 1e-3f);
        case 1:
            return vec(-40.0f, 40.0f);
        default:
            return vec(-1.0f, 1.0f);
        }
    }
    bool chance(unsigned outOf) { return next() % outOf == 0; }

  private:
    std::uint64_t state;
};

} // namespace orbiton::exact
