// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/stop_signals.h"

#include <cstdlib>

namespace orbiton {

// A Windows program is asked to stop through its window (the close box), which
// the game already handles at a frame boundary; nothing is held here.
void holdStopSignals() {}

int takeStopSignal() {
    return 0;
}

void endByStopSignal(int signal) {
    std::_Exit(128 + signal);
}

} // namespace orbiton
