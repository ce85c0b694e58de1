// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/process_memory.h"

#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace orbiton {

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    if (!(statm >> size >> resident))
        return -1;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long heapInUseKiB() {
    const struct mallinfo2 m = mallinfo2();
    const std::size_t bytes = m.uordblks + m.hblkhd;
    return bytes == 0 ? -1 : long(bytes / 1024); // a running program always holds some
}

void keepFreedHeap() {
    // 256 MiB: far above any frame's scene memory, small next to a desktop's RAM.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    // Blocks up to 32 MiB (the most glibc allows) come from the heap too, not
    // from fresh mappings that are unmapped again on free.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
}

} // namespace orbiton
