#include "platform/process_memory.h"

#include <fstream>
#include <unistd.h>

namespace orbiton {

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    if (!(statm >> size >> resident))
        return -1;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace orbiton
