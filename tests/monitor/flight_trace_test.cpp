// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "monitor/flight_trace.h"

namespace orbiton {
namespace {

TEST(FlightTrace, HexFloatsAsCWritesThem) {
    // By hand: 3 = 1.5 * 2^1; 0.1f = 0x1.99999ap-4; 2^-149 the least float;
    // 0.70710677f = 0x3F3504F3 = 1.0110101000001001111001 1 * 2^-1.
    EXPECT_EQ(FlightTrace::hexFloat(3.0f), "0x1.8p+1");
    EXPECT_EQ(FlightTrace::hexFloat(1.0f), "0x1p+0");
    EXPECT_EQ(FlightTrace::hexFloat(-0.1f), "-0x1.99999ap-4");
    EXPECT_EQ(FlightTrace::hexFloat(0.0f), "0x0p+0");
    EXPECT_EQ(FlightTrace::hexFloat(-0.0f), "-0x0p+0");
    EXPECT_EQ(FlightTrace::hexFloat(std::numeric_limits<float>::denorm_min()), "0x1p-149");
    EXPECT_EQ(FlightTrace::hexFloat(0.70710677f), "0x1.6a09e6p-1");
    EXPECT_EQ(FlightTrace::hexFloat(std::numeric_limits<float>::max()), "0x1.fffffep+127");
    EXPECT_EQ(FlightTrace::hexFloat(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(FlightTrace::hexFloat(std::numeric_limits<float>::quiet_NaN()), "nan");
}

} // namespace
} // namespace orbiton
