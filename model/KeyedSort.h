#pragma once
// Sorting quote rows by one key each, read once per row.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

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

/// Stable sort of `rows` by one key each, read once per row, not once per
/// comparison. Descending sorts the reversed rows so that equal rows swap order.
template <typename KeyOf>
void SortByKeysReadOnce(std::vector<Price*>& rows, bool ascending, const KeyOf& keyOf)
{
    using Key = std::invoke_result_t<const KeyOf&, const Price*>;
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
}

/// Stable sort of `rows` by the text column `col` (`HasTextSortKey`), each
/// text read once.
void SortByText(std::vector<Price*>& rows, int col, bool ascending);
