#pragma once

namespace orbiton {

// The process's resident memory in KiB, or -1 where it cannot be read.
long residentKiB();

// Bytes the C heap has handed out and not yet got back, in KiB: unlike the
// resident size it does not move when the allocator trims or keeps free pages,
// so a leak shows as growth and nothing else does. -1 where the allocator
// keeps no such count (a sanitizer's own allocator reports nothing).
long heapInUseKiB();

} // namespace orbiton
