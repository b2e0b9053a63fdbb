#pragma once
// Sorting quote rows by one key each, read once per row.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/Prefetch.h"

struct Price;

/// A row's text key with its first bytes packed into one number, so that
/// most comparisons of a long sort read no text at all.
struct TextKey
{
    explicit TextKey(std::string_view key) : text(key)
    {
        for (std::size_t i = 0; i < sizeof(prefix); ++i)
            prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }

    // Bytes compare as unsigned, as std::string does; a text that ends
    // within the prefix pads with zeros, so equal prefixes (a zero byte in
    // the text included) fall back to the whole texts.
    bool operator<(const TextKey& other) const
    {
        return prefix != other.prefix ? prefix < other.prefix : text < other.text;
    }

    uint64_t prefix = 0;
    std::string_view text;
};

/// The bits of `key` as an unsigned number that orders as the keys do
/// under `<`; minus zero counts as zero, as `<` has it.
inline uint64_t OrderedBits(double key)
{
    key += 0.0;  // -0.0 becomes +0.0
    uint64_t bits = 0;
    std::memcpy(&bits, &key, sizeof bits);
    constexpr uint64_t kSign = uint64_t{1} << 63;
    return (bits & kSign) != 0 ? ~bits : bits | kSign;
}

/// The key that `OrderedBits` made `bits` of (minus zero comes back as zero).
inline double KeyOfOrderedBits(uint64_t bits)
{
    constexpr uint64_t kSign = uint64_t{1} << 63;
    bits = (bits & kSign) != 0 ? bits & ~kSign : ~bits;
    double key = 0.0;
    std::memcpy(&key, &bits, sizeof key);
    return key;
}

/// Stable sort of `keyed` by its numbers, a few counting passes over them
/// instead of about twenty merge passes with a comparison each: a million
/// rows sorted by a price held the window a third of a second. The second
/// buffer the passes need is kept for the thread's next sort.
void SortByOrderedBits(std::vector<std::pair<uint64_t, Price*>>& keyed);

/// The rows' keys and addresses that long sorts by numbers fill, kept per
/// thread from one sort to the next: fresh buffers for a million rows cost
/// the first sorts after start tens of milliseconds of page faults each.
std::vector<std::pair<uint64_t, Price*>>& KeyedRowsBuffer();
/// The second buffer the counting passes swap with the keyed rows, kept the
/// same way.
std::vector<std::pair<uint64_t, Price*>>& SpareRowsBuffer();

/// Lists at least this long sort numbers by their bits.
constexpr std::size_t kRowsSortedByBits = 4096;

/// Where a row's key lies, for loading keys ahead of reading them.
using KeyAddressOf = const void* (*)(int col, const Price& price);

/// Stable sort of `rows` by one key each, read once per row, not once per
/// comparison. Descending sorts the reversed rows so that equal rows swap order.
/// With `sortedKeys`, numeric keys come back in the new order of the rows:
/// reading them again from the quotes is a million cache misses.
/// With `keyAddressOf`, long lists load the keys of column `col` a few rows
/// ahead: the quotes lie scattered, and reading a million keys one miss
/// after the other was most of a sort by a price.
template <typename KeyOf>
void SortByKeysReadOnce(std::vector<Price*>& rows, bool ascending, const KeyOf& keyOf,
                        KeyAddressOf keyAddressOf = nullptr, int col = -1,
                        std::vector<double>* sortedKeys = nullptr)
{
    using Key = std::invoke_result_t<const KeyOf&, const Price*>;
    if constexpr (std::is_same_v<Key, double>)
    {
        if (rows.size() >= kRowsSortedByBits)
        {
            if (!ascending)
                std::reverse(rows.begin(), rows.end());
            std::vector<std::pair<uint64_t, Price*>>& keyed = KeyedRowsBuffer();
            keyed.clear();
            keyed.reserve(rows.size());
            constexpr std::size_t kAhead = 16;
            for (std::size_t row = 0; row < rows.size(); ++row)
            {
                if (keyAddressOf && row + kAhead < rows.size())
                    PrefetchMemory(keyAddressOf(col, *rows[row + kAhead]));
                const uint64_t bits = OrderedBits(keyOf(rows[row]));
                keyed.emplace_back(ascending ? bits : ~bits, rows[row]);
            }
            SortByOrderedBits(keyed);
            for (std::size_t row = 0; row < keyed.size(); ++row)
                rows[row] = keyed[row].second;
            if (sortedKeys)
            {
                sortedKeys->clear();
                sortedKeys->reserve(keyed.size());
                for (const auto& entry : keyed)
                    sortedKeys->push_back(KeyOfOrderedBits(ascending ? entry.first : ~entry.first));
            }
            return;
        }
    }
    std::vector<std::pair<Key, Price*>> keyed;
    keyed.reserve(rows.size());
    for (Price* price : rows)
        keyed.emplace_back(keyOf(price), price);
    if (ascending)
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    else
    {
        std::reverse(keyed.begin(), keyed.end());
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return b.first < a.first; });
    }
    for (std::size_t row = 0; row < keyed.size(); ++row)
        rows[row] = keyed[row].second;
    if constexpr (std::is_same_v<Key, double>)
        if (sortedKeys)
        {
            sortedKeys->resize(keyed.size());
            for (std::size_t row = 0; row < keyed.size(); ++row)
                (*sortedKeys)[row] = keyed[row].first;
        }
}

/// Stable sort of `rows` by the text column `col` (`HasTextSortKey`), each
/// text read once.
void SortByText(std::vector<Price*>& rows, int col, bool ascending);
