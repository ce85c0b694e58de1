// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cerrno>
#include <ostream>

namespace orbiton {

// Why a stream a run writes first failed: the system's error number at that
// moment (EIO when the library left none), 0 while every write went through.
// Asked right after each write, so that the reason is the write's own.
struct WriteCheck {
    int error = 0;
    void after(const std::ostream& out) {
        if (!out && error == 0)
            error = errno != 0 ? errno : EIO;
    }
};

} // namespace orbiton
