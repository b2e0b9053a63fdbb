#include "board/RowTargets.h"

#include <algorithm>

#include <wx/grid.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"

std::vector<int> SelectedRowList(const wxGridEx* grid)
{
    if (!grid)
        return {};
    // The blocks, not GetSelectedRows: that one sorts every row of a large
    // selection into a set first, and the blocks keep the order of selecting.
    std::vector<int> rows;
    for (const wxGridBlockCoords& block : grid->GetSelectedRowBlocks())
        for (int row = block.GetTopRow(); row <= block.GetBottomRow(); ++row)
            rows.push_back(row);
    return rows;
}

int TopSelectedRow(const wxGridEx* grid)
{
    if (!grid)
        return -1;
    // GetSelectedRows checks each row of a block against those it took
    // before: a million rows selected with Ctrl+A held the window for minutes.
    int top = -1;
    for (const wxGridBlockCoords& block : grid->GetSelectedRowBlocks())
        if (top < 0 || block.GetTopRow() < top)
            top = block.GetTopRow();
    return top;
}

RowTargets SelectedTargets(wxGridEx* grid)
{
    RowTargets targets;
    targets.grid = grid;
    if (!grid)
        return targets;
    std::vector<int> rows = SelectedRowList(grid);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    targets.quotes.reserve(rows.size());
    for (int row : rows)
        if (Price* quote = table->RowPrice(row))
            targets.quotes.push_back(quote);
    return targets;
}
