// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/game_listener.h"
#include "app/input_recorder.h"
#include "app/input_replay.h"
#include "app/input_source.h"
#include "paddle_arena/quaternion.h"
#include "platform/platform.h"
#include "render/display_list.h"
#include "world/world.h"

namespace orbiton {

// The game: window and context, input, camera, overlay, the counters and
// the current World. run() is the whole life of the program; each turn of
// its loop handles one pending event or, when none is pending, one frame.
class App : public GameCounters {
  public:
    App();
    ~App();

    // Plays until Escape or the close box; false when the window or the
    // context could not be made (a message box has said why). It is start,
    // turn until the quit message, stop.
    bool run(Platform& platform);

    // The game's life in three calls, for run and for anything that drives
    // the game itself (tests, benchmarks). start opens the window and the
    // first level; false when that failed (a message box has said why, and
    // nothing is left to stop).
    bool start(Platform& platform);
    // One turn of the loop: one pending event, or one idle turn (a frame,
    // the first only arms the frame loop) when none is pending.
    enum class Turn { Event, Idle, Quit };
    Turn turn();
    // Gives back the level's lists, the window and the platform.
    void stop();

    // One idle turn: the first only arms the frame, later ones run frames.
    void firstIdle();
    void runFrame();
    void startLevel(int score, int level, int lives);
    // On a level's first visit: what makes it unplayable, or that its file,
    // there at the start, is gone.
    void reportLevel(int level);
    // The overlay's line for a level's problems ("" when it has none), and
    // the box's text when the first level is not there.
    std::string noticeFor(int level) const;
    std::string noLevelsText() const;
    // At the start: level numbers missing between levels, on stderr and
    // (where notices show) on screen.
    void sayMissingLevels();
    float tick();
    void updateCamera(float dt);
    void render(float dt);
    static Vec3 rotateVector(const Quaternion& q, const Vec3& v);

    // Window, context and render state.
    bool registerWindowClass();
    void unregisterWindowClass();
    bool createWindow(bool fullscreen);
    void destroyWindow();
    void setupLights();
    void resize(int w, int h);

    // Input.
    // An event handled, and heard by the recording.
    void takeEvent(const PlatformEvent& event);
    void handleMessage(const PlatformEvent& event);
    void onKeyDown(int key);
    void onKeyUp(int key);
    void switchFullscreen();
    void switchMouseCapture();
    void launchBall();
    void recentreMouse();
    // The player's first input ends the attract mode; play goes on from there.
    void handOver();

    // Overlay text and frame rate.
    void createFont();
    void setRasterPosition(int x, int y);
    void drawText(const char* text, int x, int y);
    // How far drawing the text moves the raster position, in pixels.
    float textWidth(const char* text) const;
    void countFrame(float dt);
    // The word top right: "REPLAY" (or "REPLAY PAUSED") while a replay plays,
    // else "DEMO" in the attract mode, else "PAUSED", else the
    // launch speed for a second after it changed ("SPEED 0.45"), else
    // "REPLAY OVER" for a while after a watched replay handed over, else
    // "MOUSE FREE" while the mouse is released; empty in plain play.
    std::string statusWord() const;

    // Moves the launched ball through one frame in equal sub-steps short
    // enough that it cannot pass through a wall or brick.
    void stepBall(float dt);

    void (App::*idleHandler)() = &App::firstIdle;
    Platform* platform = nullptr;
    bool windowOpen = false;
    bool cursorHidden = false; // by this App, through the platform's counter
    DisplayList fontLists;     // one a character, 32..127
    // The overlay glyphs, rasterised once: every new context compiles them again.
    std::vector<Glyph> overlayGlyphs;
    bool overlayGlyphsLoaded = false;
    int width = 0;
    int height = 0;
    char fpsText[32] = "fps: ---";
    bool fullscreen = false;
    bool smoothOutlines = true;
    bool paused = false;
    bool zoomKeyUp = true;
    bool mouseCaptured = true;
    bool paddleVisible = true;
    int mouseDx = 0;
    int mouseDy = 0;
    // Set by a new window (at start and at each full-screen switch): the
    // cursor's offset from its centre is the window change's doing, not the
    // player's, until the first recentring.
    bool discardMouse = false;
    Vec3 viewDirection;
    Vec3 viewUp;
    float viewDistance = 1.15f;
    float zoomBlend = 0.0f;
    float launchSpeed = 0.4f;
    // Seconds the launch speed stays shown after keypad + or -.
    static constexpr float kSpeedShownSeconds = 1.0f;
    float speedShownFor = 0.0f;
    std::unique_ptr<World> world;
    int lives = 3;
    int level = 1;

    // Where the level files are ("%d.lvl"); the working directory when empty.
    std::string levelDirectory;
    // The levels whose files were there when the run started, and the levels
    // already played (their problems are said on the first visit only).
    std::set<int> levelsAtStart;
    std::set<int> levelsVisited;
    // A played game (not a headless run) also shows the player what it says
    // of the levels on standard error, which a game started from a desktop
    // or a file manager writes nowhere: a box at start when the first level
    // is not there, and a line under the level number for a level with
    // problems.
    bool showLevelNotices = false;
    // The line under the level number, and the seconds it stays.
    static constexpr float kNoticeShownSeconds = 6.0f;
    std::string levelNotice;
    float levelNoticeShownFor = 0.0f;
    // Missing level numbers with later levels after them ("NO LEVEL 2:
    // SKIPPED"), under the level line for as long, from the start.
    std::string gapNotice;
    float gapNoticeShownFor = 0.0f;
    // The level numbers from the first level to the last one there at the
    // start that have no file: each plays as an empty level, skipped at once.
    std::vector<int> missingLevels() const;
    // Past the last level there at the start, having played from one at or
    // before it: nothing is left to clear.
    bool allCleared() const;
    // Start in full screen rather than in a window.
    bool startFullscreen = false;
    // A run that plays the levels round and round (the soak run): once this
    // level is cleared the next is level 1 again. 0, as in play: the level
    // number climbs on.
    int roundAfterLevel = 0;
    // The level the run starts on.
    int firstLevel = 1;
    struct DrawOptions {
        // Off: frames run and swap but draw nothing (fast scripted runs).
        bool drawing = true;
        // Bricks are drawn from one vertex buffer, in runs that share a
        // material and an alpha (the pixels are the same); off, every brick
        // draws its own passes: the reference drawing.
        bool batchBricks = true;
        // The arena shells drawn from vertex buffers (the same pixels); off,
        // from their display lists.
        bool bufferArena = true;
        // With the batches, bricks an intact opaque shell hides are left out,
        // and with the arena's buffers its far wall behind them (the pixels
        // are the same).
        bool hideEnclosed = true;
        // Off only to time a frame without them: the bricks, the arena shells.
        bool drawBricks = true;
        bool drawArena = true;
    } drawOptions;
    // Who else plays (the attract mode), through the same mouse and click;
    // the player's first input takes over.
    std::unique_ptr<InputSource> inputSource;
    // A recording hears what each frame takes from outside the game (the
    // events before it, its time, its mouse motion); a replay gives those in
    // the player's place. Neither is owned.
    InputRecorder* recorder = nullptr;
    InputReplay* replay = nullptr;
    // A replay shown in a window: paced to its recorded times, held and let
    // go by P, left by Escape or the close box (the rest of the player's
    // input waits for its end); at its end the game is the player's, from
    // where the replay left it. Off, a replay runs as fast as it can and the
    // run ends with it.
    bool replayWatched = false;
    bool replayHeld = false;
    // Seconds "REPLAY OVER" stays shown once a watched replay has handed over.
    static constexpr float kReplayOverShownSeconds = 3.0f;
    float replayOverShownFor = 0.0f;
    // The mouse motion this frame read, for the recording.
    int frameMouseDx = 0;
    int frameMouseDy = 0;
    // Whether an event of the replay's own window is for the watcher (the
    // size, the close box, Escape; P holds the replay): the rest is dropped.
    bool watcherTakes(const PlatformEvent& event);
    // No recorded frame is left (or the replay does not fit the game).
    void replayEnded();
    // Who hears of the game's events; not owned.
    std::vector<GameListener*> listeners;

    // Timing and frame-rate state that lives for the whole run.
    std::uint32_t previousTick = 0;
    bool previousTickSet = false;
    int fpsFrames = 0;
    double fpsSeconds = 0.0;

    // A World's owner hears of each hit as it happens.
    void brickHit() override;

  private:
    void notify(void (GameListener::*event)(App&));
};

// The game's one App.
extern App app;

} // namespace orbiton
