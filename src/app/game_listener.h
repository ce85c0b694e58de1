// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orbiton {

class App;

// Hears what happens in the game, where it happens: the one seam for tools
// that watch a run (the event log, the soak monitor, tests). Each call comes
// after the change, with the App in its new state.
class GameListener {
  public:
    virtual ~GameListener() = default;

    virtual void frameStarted(App&) {}
    virtual void frameEnded(App&) {}
    virtual void levelStarted(App&) {} // a new World is in place
    virtual void launched(App&) {}
    virtual void brickHit(App&) {}           // the brick is gone and scored
    virtual void ballLost(App&) {}           // it left the arena and is back on the paddle
    virtual void ballReset(App&) {}          // the R key
    virtual void fullscreenSwitched(App&) {} // the new window and its lists are ready
    virtual void demoEnded(App&) {}          // the player took over from the attract mode
};

} // namespace orbiton
