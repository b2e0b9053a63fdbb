#include "board/ColumnLayout.h"

#include <algorithm>

#include <wx/grid.h>

namespace {

using layout::ColumnEntry;

bool IsColumnOf(const wxGrid* grid, int id)
{
    return id >= 0 && id < grid->GetNumberCols();
}

void ApplyVisibilityAndWidth(wxGrid* grid, const ColumnEntry& column)
{
    if (column.show)
    {
        grid->ShowCol(column.id);
        // A negative width would ask the grid to size the column to its label.
        if (column.size >= 0)
            grid->SetColSize(column.id, column.size);
        return;
    }
    // Sizing a hidden column shows it again, so the width goes first: hiding
    // afterwards keeps it for when the user shows the column.
    if (column.size > 0)
        grid->SetColSize(column.id, column.size);
    grid->HideCol(column.id);
}

// Moving columns one by one in document order scrambles most orders, since
// every move shifts the columns already placed. Placing them by ascending
// target position leaves each earlier placement untouched.
void ApplyPositions(wxGrid* grid, std::vector<ColumnEntry> columns)
{
    std::stable_sort(columns.begin(), columns.end(),
                     [](const ColumnEntry& a, const ColumnEntry& b) { return a.position < b.position; });
    for (const ColumnEntry& column : columns)
        if (IsColumnOf(grid, column.position))
            grid->SetColPos(column.id, column.position);
}

}  // namespace

void ApplyColumnLayout(wxGrid* grid, const std::vector<ColumnEntry>& columns)
{
    std::vector<ColumnEntry> valid;
    valid.reserve(columns.size());
    for (const ColumnEntry& column : columns)
        if (IsColumnOf(grid, column.id))
            valid.push_back(column);

    for (const ColumnEntry& column : valid)
    {
        ApplyVisibilityAndWidth(grid, column);
        if (column.sort)
            grid->SetSortingColumn(column.id, column.ascending);
    }
    ApplyPositions(grid, std::move(valid));
}

std::vector<ColumnEntry> ColumnLayoutOf(const wxGrid* grid)
{
    std::vector<ColumnEntry> columns;
    const int sortColumn = grid->GetSortingColumn();
    const bool ascending = grid->IsSortOrderAscending();
    for (int id = 0; id < grid->GetNumberCols(); ++id)
    {
        ColumnEntry column;
        column.id = id;
        column.size = grid->GetColSize(id);
        column.show = grid->IsColShown(id);
        column.sort = id == sortColumn;
        column.ascending = ascending;
        column.position = grid->GetColPos(id);
        columns.push_back(column);
    }
    return columns;
}
