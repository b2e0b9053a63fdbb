#include "ResidentMemory.h"

#include <fstream>

#include <unistd.h>

namespace bench {

size_t ResidentBytes()
{
    // Linux: the second field of statm counts resident pages.
    std::ifstream statm("/proc/self/statm");
    size_t totalPages = 0;
    size_t residentPages = 0;
    if (!(statm >> totalPages >> residentPages))
        return 0;
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pageSize > 0 ? residentPages * static_cast<size_t>(pageSize) : 0;
}

}  // namespace bench
