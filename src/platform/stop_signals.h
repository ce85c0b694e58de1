// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orbiton {

// A request to stop (SIGINT, SIGTERM, SIGHUP) waits for the end of a frame,
// where the platform takes it as a quit: the run ends with its logs written
// whole instead of cut wherever the signal fell. Held from the start of a
// run, before any thread starts, so that every thread holds them alike.
// Where the system has no such signals these do nothing.
void holdStopSignals();
// The stop signal waiting, taken; 0 when none is.
int takeStopSignal();
// Ends the process by that signal, as it would have ended had it not been
// held, so that whoever sent it sees the run killed.
[[noreturn]] void endByStopSignal(int signal);

} // namespace orbiton
