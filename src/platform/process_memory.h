#pragma once

namespace orbiton {

// The process's resident memory in KiB, or -1 where it cannot be read.
long residentKiB();

} // namespace orbiton
