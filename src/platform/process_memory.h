// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orbiton {

// The process's resident memory in KiB, or -1 where it cannot be read.
long residentKiB();

// Bytes the C heap has handed out and not yet got back, in KiB: unlike the
// resident size it does not move when the allocator trims or keeps free pages,
// so a leak shows as growth and nothing else does. -1 where the allocator
// keeps no such count (a sanitizer's own allocator reports nothing).
long heapInUseKiB();

// Tells the C heap to keep the memory freed at the top of the heap, and large
// blocks, instead of handing them back to the kernel at once. The software renderer allocates and
// frees its per-frame scene memory every frame; given back, every frame pays
// for page faults on fresh pages again.
void keepFreedHeap();

} // namespace orbiton
