#include "model/ColumnFit.h"

#include <algorithm>
#include <cmath>

namespace column_fit {

namespace {

void AddRange(std::vector<int>& rows, int first, int last)
{
    for (int row = first; row <= last; ++row)
        rows.push_back(row);
}

}  // namespace

std::vector<int> RowsToMeasure(int rowCount, int firstVisible, int lastVisible, int limit)
{
    std::vector<int> rows;
    if (rowCount <= 0)
        return rows;
    if (rowCount <= limit || limit <= 0)
    {
        AddRange(rows, 0, rowCount - 1);
        return rows;
    }

    // What the user sees must fit; the ends and an even spread stand in for
    // the rest, which is what keeps fitting a 20,000-row tab instant.
    firstVisible = std::clamp(firstVisible, 0, rowCount - 1);
    lastVisible = std::clamp(lastVisible, firstVisible - 1, rowCount - 1);
    AddRange(rows, firstVisible, lastVisible);

    const int ends = limit / 4;
    AddRange(rows, 0, ends - 1);
    AddRange(rows, rowCount - ends, rowCount - 1);
    const int spread = limit - 2 * ends;
    const double step = static_cast<double>(rowCount) / spread;
    for (int i = 0; i < spread; ++i)
        rows.push_back(std::min(rowCount - 1, static_cast<int>(i * step)));

    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<int> RowsWithLongestTexts(std::vector<std::pair<size_t, int>> lengths, size_t count)
{
    count = std::min(count, lengths.size());
    // Longest first; of equal lengths the lower row.
    const auto longerFirst = [](const std::pair<size_t, int>& a, const std::pair<size_t, int>& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    };
    std::partial_sort(lengths.begin(), lengths.begin() + static_cast<long>(count), lengths.end(), longerFirst);
    std::vector<int> rows;
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i)
        rows.push_back(lengths[i].second);
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<int> StretchToWidth(std::vector<int> widths, int available)
{
    long total = 0;
    for (int width : widths)
        if (width > 0)
            total += width;
    if (total <= 0 || total >= available)
        return widths;
    const double factor = static_cast<double>(available) / static_cast<double>(total);
    for (int& width : widths)
        if (width > 0)
            width = static_cast<int>(std::floor(width * factor));
    return widths;
}

}  // namespace column_fit
