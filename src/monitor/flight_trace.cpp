// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/flight_trace.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "app/app.h"

namespace orbiton {

std::string FlightTrace::hexFloat(float value) {
    // Written out by hand: C libraries differ in how %a pads and rounds.
    const double v = value;
    if (std::isnan(v))
        return "nan";
    std::string text = std::signbit(v) ? "-" : "";
    if (std::isinf(v))
        return text + "inf";
    if (v == 0.0)
        return text + "0x0p+0";
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    // A float's value is never subnormal as a double: the leading digit is 1.
    const int exponent = int((bits >> 52) & 0x7FF) - 1023;
    std::uint64_t fraction = bits & ((std::uint64_t(1) << 52) - 1);
    text += "0x1";
    if (fraction != 0) {
        text += '.';
        for (int shift = 48; fraction != 0; shift -= 4) {
            text += "0123456789abcdef"[(fraction >> shift) & 0xF];
            fraction &= (std::uint64_t(1) << shift) - 1;
        }
    }
    text += exponent < 0 ? "p-" : "p+";
    return text + std::to_string(exponent < 0 ? -exponent : exponent);
}

void FlightTrace::frameEnded(App& app) {
    ++frame;
    const Vec3& p = app.world->ball->position;
    const Vec3& v = app.world->ball->velocity;
    out << frame << ' ' << hexFloat(p.x) << ' ' << hexFloat(p.y) << ' ' << hexFloat(p.z) << ' '
        << hexFloat(v.x) << ' ' << hexFloat(v.y) << ' ' << hexFloat(v.z) << '\n';
    written.after(out);
}

} // namespace orbiton
