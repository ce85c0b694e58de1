// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/gl.h"

#include <string>
#include <vector>

namespace orbiton::test {

// The pieces of fixed-function state that a drawing pass may change, read
// back from GL so that a pass can be shown to leave them as it found them.
struct GlState {
    std::vector<double> values;
    std::vector<std::string> names;

    static GlState capture();
    // The names of the entries that differ, empty when the states agree.
    std::vector<std::string> differences(const GlState& other) const;
};

} // namespace orbiton::test

#include <functional>

namespace orbiton::test {

// Runs draw in feedback mode and returns the RGBA colour of every vertex GL
// produced (after lighting and culling), in order.
struct FeedbackVertex {
    float x, y, z;
    float rgba[4];
};
std::vector<FeedbackVertex> feedbackVertices(const std::function<void()>& draw);

} // namespace orbiton::test
