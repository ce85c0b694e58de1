// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include "platform/offscreen_context.h"

namespace orbiton::test {

// A fixture with a current off-screen GL context, shared by every test of the
// program (making one costs tens of milliseconds on llvmpipe).
class GlTest : public ::testing::Test {
  protected:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 150;

    void SetUp() override;
    void TearDown() override;

    OffscreenContext& context();
};

} // namespace orbiton::test
