#pragma once
// How the rows and columns of a grid are spread over printed pages.

#include <vector>

#include "ControlsApi.h"

/// Splits the shown rows into bands that fit a page's height and the shown
/// columns into bands that fit its width. Pages go across first: every
/// column band of the first rows, then every column band of the next ones.
/// A row or column larger than a page gets a band of its own and is clipped;
/// the last band of columns holds at least a third of a page where the band
/// before can spare columns.
class CONTROLS_API GridPageLayout
{
public:
    /// A run of consecutive entries [first, last] of the shown rows or columns.
    struct Band
    {
        int first = 0;
        int last = -1;
    };

    GridPageLayout() = default;
    /// `columnWidths` and `rowHeights` of the shown columns and rows in the
    /// order they are shown; `bodyWidth` and `bodyHeight` the page's room for
    /// cells (header and margins taken off).
    GridPageLayout(const std::vector<int>& columnWidths, const std::vector<int>& rowHeights, int bodyWidth,
                   int bodyHeight);

    /// At least one: a grid with no rows still prints its header.
    int PageCount() const;
    /// The bands of a page numbered from 1.
    Band RowsOfPage(int page) const;
    Band ColumnsOfPage(int page) const;
    const std::vector<Band>& RowBands() const { return m_rowBands; }
    const std::vector<Band>& ColumnBands() const { return m_columnBands; }

private:
    static std::vector<Band> Split(const std::vector<int>& sizes, int room);
    void BalanceLastBand(const std::vector<int>& sizes, int room);
    int RowBandCount() const;

    std::vector<Band> m_rowBands;
    std::vector<Band> m_columnBands;
};
