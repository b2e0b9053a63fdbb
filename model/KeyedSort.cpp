#include "model/KeyedSort.h"

#include <algorithm>
#include <utility>

#include "model/RowComparator.h"

void SortByText(std::vector<Price*>& rows, int col, bool ascending)
{
    // Comparing texts behind each quote's instrument took a million-row tab
    // seconds: every comparison followed two pointers into scattered memory.
    SortByKeysReadOnce(rows, ascending, [col](const Price* price) { return TextKey(TextSortKey(col, *price)); });
}

std::vector<std::pair<uint64_t, Price*>>& KeyedRowsBuffer()
{
    thread_local std::vector<std::pair<uint64_t, Price*>> keyed;
    return keyed;
}

std::vector<std::pair<uint64_t, Price*>>& SpareRowsBuffer()
{
    thread_local std::vector<std::pair<uint64_t, Price*>> spare;
    return spare;
}

void SortByOrderedBits(std::vector<std::pair<uint64_t, Price*>>& keyed)
{
    constexpr int kDigitBits = 16;
    constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
    // Kept, like the keyed rows, for the thread's next sort: with both
    // buffers swapped back and forth, neither is allocated again.
    std::vector<std::pair<uint64_t, Price*>>& spare = SpareRowsBuffer();
    spare.resize(keyed.size());
    std::vector<std::size_t> starts(kDigits);
    for (int shift = 0; shift < 64; shift += kDigitBits)
    {
        const auto digitOf = [shift](uint64_t bits) { return static_cast<std::size_t>((bits >> shift) & (kDigits - 1)); };
        std::fill(starts.begin(), starts.end(), 0);
        for (const auto& entry : keyed)
            ++starts[digitOf(entry.first)];
        // Prices share their upper bits: a digit every key has is no pass.
        if (!keyed.empty() && starts[digitOf(keyed.front().first)] == keyed.size())
            continue;
        std::size_t start = 0;
        for (std::size_t& count : starts)
            start += std::exchange(count, start);
        for (const auto& entry : keyed)
            spare[starts[digitOf(entry.first)]++] = entry;
        keyed.swap(spare);
    }
}
