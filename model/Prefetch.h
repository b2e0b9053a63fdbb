#pragma once
// Cache hints for the hot quote path; a no-op where the compiler has none.

/// Asks the processor to start loading the cache line at `address`.
inline void PrefetchMemory(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}
