#pragma once
// How much memory the process holds in RAM right now; the one place the
// benchmarks ask the operating system directly.

#include <cstddef>

namespace bench {

/// Resident set size in bytes, or 0 where the system does not tell.
size_t ResidentBytes();

}  // namespace bench
