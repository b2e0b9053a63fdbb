#pragma once
// The last text colour of cells that keep it when their value ties.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "model/CellColour.h"
#include "model/ColumnSpec.h"

/// Per row, the colour each column coloured by its own value showed last,
/// kept on a tie; the rows' entries move with the rows.
class TieColours
{
public:
    CellColour& At(int row, int col) { return m_colours[static_cast<size_t>(row) * Width() + TieSlotOf(col)]; }
    void Clear() { m_colours.clear(); }
    /// Rows added at the end start unset; the others keep theirs.
    void Resize(size_t rows) { m_colours.resize(rows * Width(), CellColour::Unset); }
    /// Every row starts unset.
    void Reset(size_t rows) { m_colours.assign(rows * Width(), CellColour::Unset); }
    void Insert(int row) { m_colours.insert(Row(row), Width(), CellColour::Unset); }
    void Erase(int row) { m_colours.erase(Row(row), Row(row) + Width()); }
    void Swap(int first, int second) { std::swap_ranges(Row(first), Row(first) + Width(), Row(second)); }
    /// Row `from` taken out and put back at `to`, the rows between closing up.
    void Move(int from, int to)
    {
        if (from < to)
            std::rotate(Row(from), Row(from + 1), Row(to + 1));
        else
            std::rotate(Row(to), Row(from), Row(from + 1));
    }

private:
    size_t Width() const { return m_width; }
    std::vector<CellColour>::iterator Row(int row) { return m_colours.begin() + static_cast<long>(row) * static_cast<long>(Width()); }

    size_t m_width = static_cast<size_t>(TieSlotCount());
    std::vector<CellColour> m_colours;
};
