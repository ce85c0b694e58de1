// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: any bytes as a replay file, through the reader as
// `orbiton3d --replay` reads one. What it accepts must mean what it says:
// written back and read again, it is the same replay.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "replay/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbiton;
    Replay r;
    std::string error;
    if (!readReplay(std::string_view(reinterpret_cast<const char*>(data), size), r, error))
        return 0;
    if (r.firstEndEvent > r.events.size())
        __builtin_trap();
    for (const ReplayFrame& f : r.frames)
        if (!std::isfinite(f.seconds) || f.seconds < 0 || f.firstEvent > r.firstEndEvent ||
            std::abs(f.dx) > kReplayMaxMotion || std::abs(f.dy) > kReplayMaxMotion)
            __builtin_trap();
    const std::string text = replayText(r);
    Replay again;
    if (!readReplay(std::string_view(text), again, error) || replayText(again) != text)
        __builtin_trap();
    return 0;
}
