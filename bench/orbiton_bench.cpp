// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Benchmarks behind docs/performance.md: level build (and the O(V*T) normal
// scan it replaced), the ball's step with and without its broad phase, the
// headless frame at two sizes, and the memory of the largest level.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/app.h"
#include "app/autopilot.h"
#include "platform/headless_platform.h"
#include "platform/process_memory.h"
#include "support/reference_bridge.h"
#include "world/world.h"

using namespace orbiton;

namespace {

// Several full depth-4 and depth-5 shells inside a depth-6 arena.
const std::string kStress = "OuterShell 6 ff\n"
                            "Shell 5 0.40 0.42 ff f Red\n"
                            "Shell 5 0.33 0.35 ff f Blue\n"
                            "Shell 4 0.26 0.28 ff f Green\n"
                            "Shell 4 0.19 0.21 ff f Yellow\n";
// The most a level may hold: 131,072 arena triangles in the two largest
// meshes the loader accepts (one face at depth 8: 33,156 vertices each) and
// 65,536 bricks in eight full depth-5 shells.
std::string largestLevel() {
    std::string text = "OuterShell 8 80\nOuterShell 8 02\n";
    for (int i = 0; i < 8; ++i)
        text += "Shell 5 0." + std::to_string(12 + 4 * i) + " 0." + std::to_string(13 + 4 * i) +
                " ff f Red\n";
    return text;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string bundled(int level) {
    return readFile(std::string(ORBITON_LEVELS) + "/" + std::to_string(level) + ".lvl");
}

int bundledCount() {
    int n = 0;
    while (
        std::filesystem::exists(std::string(ORBITON_LEVELS) + "/" + std::to_string(n + 1) + ".lvl"))
        ++n;
    return n;
}

std::unique_ptr<World> build(const std::string& text, GameCounters& counters) {
    std::istringstream in(text);
    return std::make_unique<World>(in, "bench.lvl", &counters, World::Lists::Defer);
}

std::string levelText(int which) {
    return which == 0 ? kStress : which < 0 ? largestLevel() : bundled(which);
}
std::string levelName(int which) {
    return which == 0 ? "stress" : which < 0 ? "largest" : "level " + std::to_string(which);
}

void BM_WorldBuild(benchmark::State& state) {
    const std::string text = levelText(int(state.range(0)));
    std::size_t bricks = 0;
    for (auto _ : state) {
        GameCounters c;
        auto w = build(text, c);
        bricks = w->bricks.size();
        benchmark::DoNotOptimize(w.get());
    }
    state.SetLabel(levelName(int(state.range(0))));
    state.counters["bricks"] = double(bricks);
}

// The vertex-normal scan the build would pay with the literal O(V*T) rule:
// every arena shell's and brick's mesh of the level.
void BM_WorldNormalsLiteral(benchmark::State& state) {
    const std::string text = levelText(int(state.range(0)));
    GameCounters c;
    auto w = build(text, c);
    for (auto _ : state) {
        for (auto& o : w->others)
            benchmark::DoNotOptimize(
                reference::scannedVertexNormals(reference::toR(*o->shape)).data());
        for (auto& b : w->bricks)
            benchmark::DoNotOptimize(
                reference::scannedVertexNormals(reference::toR(*b->shape)).data());
    }
    state.SetLabel(levelName(int(state.range(0))));
}

// Steps of a ball flying through the level; relaunched from a new place when
// it comes to rest or leaves, so that the bricks stay mostly in place.
void stepBall(benchmark::State& state, const std::string& text, bool broadPhase) {
    GameCounters c;
    auto w = build(text, c);
    w->broadPhase = broadPhase;
    unsigned launches = 0;
    auto launch = [&] {
        w->paddle->steer(int(37 * launches % 997) - 500, int(61 * launches % 991) - 500);
        w->resetBall();
        w->ball->velocity = w->paddle->position * -0.4f;
        c.ballLaunched = true;
        ++launches;
    };
    launch();
    const float dt = 1.0f / 120;
    for (auto _ : state) {
        w->ball->step(dt);
        if (!c.ballLaunched || w->bricks.empty())
            launch();
    }
    state.counters["bricks"] = double(w->bricks.size());
}

void BM_BallStep(benchmark::State& state) {
    stepBall(state, levelText(int(state.range(0))), state.range(1) != 0);
    state.SetLabel(levelName(int(state.range(0))) +
                   (state.range(1) ? " broad phase" : " full walk"));
}

// Step time against brick count: full depth-d shells in a depth-4 arena.
void BM_BallStepScaling(benchmark::State& state) {
    std::string text = "OuterShell 4 ff\n";
    const int shells = int(state.range(0));
    for (int i = 0; i < shells; ++i)
        text += "Shell 4 0." + std::to_string(10 + 5 * i) + " 0." + std::to_string(12 + 5 * i) +
                " ff f Red\n";
    stepBall(state, text, state.range(1) != 0);
    state.SetLabel(state.range(1) ? "broad phase" : "full walk");
}

// What a frame draws: the whole level, the level without its bricks, or
// neither bricks nor arena (the overlay, ball and paddle alone).
enum Scene { kWhole = 0, kArenaOnly = 1, kEmpty = 2 };
const char* const kSceneNames[] = {"whole", "arena only", "empty"};

// Frames of the real App on the headless platform, played by the autopilot:
// the same play for every scene, only the drawing differs.
void BM_RenderFrame(benchmark::State& state) {
    const int level = int(state.range(0));
    const int width = int(state.range(1)), height = int(state.range(2));
    const int scene = int(state.range(3));
    const std::string dir = std::filesystem::temp_directory_path() / "orbiton-bench-levels";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/1.lvl") << levelText(level);
    HeadlessPlatform::Options o;
    o.windowWidth = width;
    o.windowHeight = height;
    HeadlessPlatform platform(o);
    App a;
    a.levelDirectory = dir;
    a.inputSource = std::make_unique<Autopilot>(1);
    a.drawOptions.drawBricks = scene == kWhole;
    a.drawOptions.drawArena = scene != kEmpty;
    if (!a.start(platform)) {
        state.SkipWithError("no off-screen context");
        return;
    }
    // Turns until one frame has been drawn, its events handled first.
    auto frame = [&] {
        const long drawn = platform.framesDrawn();
        while (platform.framesDrawn() == drawn && a.turn() != App::Turn::Quit) {
        }
    };
    for (int i = 0; i < 30; ++i)
        frame();
    glFinish();
    for (auto _ : state) {
        frame();
        glFinish();
    }
    state.counters["fps"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(levelName(level) + " " + std::to_string(width) + "x" + std::to_string(height) +
                   " " + kSceneNames[scene]);
    a.stop();
}

// The largest level built in a child process of its own, whose peak
// resident memory is then all the level's (and the program's) doing.
void BM_PeakMemoryLargestLevel(benchmark::State& state) {
    long peakKiB = 0;
    for (auto _ : state) {
        int fds[2];
        if (pipe(fds) != 0) {
            state.SkipWithError("pipe failed");
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            GameCounters c;
            auto w = build(largestLevel(), c);
            benchmark::DoNotOptimize(w.get());
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            const long kib = usage.ru_maxrss;
            (void)!write(fds[1], &kib, sizeof kib);
            _exit(0);
        }
        close(fds[1]);
        (void)!read(fds[0], &peakKiB, sizeof peakKiB);
        close(fds[0]);
        waitpid(child, nullptr, 0);
    }
    state.counters["peak_rss_MiB"] = double(peakKiB) / 1024.0;
}

void levels(benchmark::internal::Benchmark* b) {
    for (int i = 1; i <= bundledCount(); ++i)
        b->Arg(i);
    b->Arg(0)->Arg(-1);
}

} // namespace

BENCHMARK(BM_WorldBuild)->Apply(levels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorldNormalsLiteral)->Arg(0)->Arg(-1)->Unit(benchmark::kMillisecond)->Iterations(1);
// A fixed number of steps, so that both searches see the same flights.
BENCHMARK(BM_BallStep)
    ->ArgsProduct({{0, -1}, {1, 0}})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000);
BENCHMARK(BM_BallStepScaling)
    ->ArgsProduct({{1, 2, 4, 8}, {1, 0}})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3000);
BENCHMARK(BM_RenderFrame)
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (int i = 1; i <= bundledCount(); ++i)
            for (int scene : {kWhole, kArenaOnly, kEmpty}) {
                b->Args({i, 800, 600, scene});
                b->Args({i, 1920, 1080, scene});
            }
        b->Args({0, 800, 600, kWhole});
    })
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);
BENCHMARK(BM_PeakMemoryLargestLevel)->Iterations(1)->Unit(benchmark::kMillisecond);

// The game's process keeps freed heap memory (App::start asks for it); so
// does this one from the start, so that level builds are timed as the game
// would run them, not against the kernel's page faults.
int main(int argc, char** argv) {
    keepFreedHeap();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
