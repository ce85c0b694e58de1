// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/process_memory.h"

#include "platform/windows_api.h"

#include <malloc.h>
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
    // Walked block by block: slow for a frame, fine for the rare moments that
    // ask (a full-screen switch, a soak report, a leak test).
    _HEAPINFO entry{};
    unsigned long long bytes = 0;
    int status;
    while ((status = _heapwalk(&entry)) == _HEAPOK)
        if (entry._useflag == _USEDENTRY)
            bytes += entry._size;
    return status == _HEAPEND ? long(bytes / 1024) : -1;
}

void keepFreedHeap() {
    // Windows' heap keeps freed blocks for reuse by itself.
}

} // namespace orbiton
