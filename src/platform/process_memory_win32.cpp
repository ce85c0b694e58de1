// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/process_memory.h"

#include "platform/gl.h" // windows.h, as the game includes it

#include <psapi.h>

namespace orbiton {

long residentKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return long(counters.WorkingSetSize / 1024);
}

long heapInUseKiB() {
    return -1; // the C runtime's heap does not say
}

void keepFreedHeap() {
    // Windows' heap keeps freed blocks for reuse by itself.
}

} // namespace orbiton
