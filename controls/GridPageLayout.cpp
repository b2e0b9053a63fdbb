#include "GridPageLayout.h"

#include <algorithm>

GridPageLayout::GridPageLayout(const std::vector<int>& columnWidths, const std::vector<int>& rowHeights,
                               int bodyWidth, int bodyHeight)
    : m_rowBands(Split(rowHeights, bodyHeight)), m_columnBands(Split(columnWidths, bodyWidth))
{
    BalanceLastBand(columnWidths, bodyWidth);
}

void GridPageLayout::BalanceLastBand(const std::vector<int>& sizes, int room)
{
    // Packing greedily can leave a last page across with one narrow
    // column; columns move over from the band before until it holds a third.
    const auto width = [&sizes](const Band& band)
    {
        int sum = 0;
        for (int index = band.first; index <= band.last; ++index)
            sum += sizes[index];
        return sum;
    };
    if (m_columnBands.size() < 2)
        return;
    Band& last = m_columnBands.back();
    Band& before = m_columnBands[m_columnBands.size() - 2];
    while (3 * width(last) < room && before.last > before.first && width(last) + sizes[before.last] <= room &&
           3 * (width(before) - sizes[before.last]) >= room)
    {
        --before.last;
        --last.first;
    }
}

std::vector<GridPageLayout::Band> GridPageLayout::Split(const std::vector<int>& sizes, int room)
{
    std::vector<Band> bands;
    const int count = static_cast<int>(sizes.size());
    int first = 0;
    while (first < count)
    {
        int used = sizes[first];
        int last = first;
        while (last + 1 < count && used + sizes[last + 1] <= room)
            used += sizes[++last];
        bands.push_back({first, last});
        first = last + 1;
    }
    return bands;
}

int GridPageLayout::RowBandCount() const
{
    return std::max<int>(1, static_cast<int>(m_rowBands.size()));
}

int GridPageLayout::PageCount() const
{
    return RowBandCount() * std::max<int>(1, static_cast<int>(m_columnBands.size()));
}

GridPageLayout::Band GridPageLayout::RowsOfPage(int page) const
{
    const int across = std::max<int>(1, static_cast<int>(m_columnBands.size()));
    const int band = (page - 1) / across;
    if (page < 1 || band >= static_cast<int>(m_rowBands.size()))
        return {};
    return m_rowBands[band];
}

GridPageLayout::Band GridPageLayout::ColumnsOfPage(int page) const
{
    if (page < 1 || page > PageCount() || m_columnBands.empty())
        return {};
    return m_columnBands[(page - 1) % m_columnBands.size()];
}
