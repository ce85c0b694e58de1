// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/stop_signals.h"

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <pthread.h>

namespace orbiton {

namespace {

sigset_t stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

// Blocked and asked for, not caught: no handler runs in the middle of a frame.
void holdStopSignals() {
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int takeStopSignal() {
    sigset_t pending;
    if (sigpending(&pending) != 0)
        return 0;
    const sigset_t set = stopSignals();
    for (const int s : {SIGINT, SIGTERM, SIGHUP})
        if (sigismember(&pending, s) == 1) {
            const timespec now{0, 0};
            const int taken = sigtimedwait(&set, nullptr, &now);
            return taken > 0 ? taken : s;
        }
    return 0;
}

void endByStopSignal(int signal) {
    std::signal(signal, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal); // raise does not come back from these; should it, the same status
}

} // namespace orbiton
