#include "board/RowTargets.h"

#include <algorithm>
#include <utility>

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

namespace {

// Above this many selected rows only the topmost is noted: the rest would be
// looked up one by one after every sort of a long tab.
constexpr size_t kMostKeptQuotes = 100000;
// The toolkit compares each block it selects with every block selected
// before; more separate runs than this keep the topmost quote alone.
constexpr size_t kMostRestoredRuns = 2000;

}  // namespace

KeptSelection::KeptSelection(const wxGridEx* grid)
{
    const TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    if (!table)
        return;
    const wxGridBlockCoordsVector blocks = grid->GetSelectedRowBlocks();
    if (blocks.empty())
        return;
    m_rowCount = grid->GetNumberRows();
    size_t selected = 0;
    int top = m_rowCount;
    for (const wxGridBlockCoords& block : blocks)
    {
        selected += static_cast<size_t>(block.GetBottomRow() - block.GetTopRow() + 1);
        top = std::min(top, block.GetTopRow());
        m_everyRow = m_everyRow || (block.GetTopRow() == 0 && block.GetBottomRow() == m_rowCount - 1);
    }
    Price* topQuote = table->RowPrice(top);
    if (!topQuote)
        return;
    m_quotes.push_back(topQuote);
    if (m_everyRow || selected > kMostKeptQuotes)
        return;
    for (const wxGridBlockCoords& block : blocks)
        for (int row = block.GetTopRow(); row <= block.GetBottomRow(); ++row)
            if (Price* quote = row != top ? table->RowPrice(row) : nullptr)
                m_quotes.push_back(quote);
}

bool KeptSelection::Restore(wxGridEx* grid) const
{
    TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    if (!table || m_quotes.empty())
        return false;
    // A sort keeps the rows a Ctrl+A selected; a filter that changed them
    // keeps the topmost quote.
    if (m_everyRow && grid->GetNumberRows() == m_rowCount)
    {
        grid->SelectAll();
        return true;
    }
    std::vector<int> rows;
    rows.reserve(m_everyRow ? 1 : m_quotes.size());
    for (size_t at = 0; at < (m_everyRow ? 1 : m_quotes.size()); ++at)
        if (const int row = table->Index().RowOf(m_quotes[at]); row >= 0)
            rows.push_back(row);
    if (rows.empty())
        return false;
    const int first = rows.front();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::pair<int, int>> runs;
    for (const int row : rows)
    {
        if (!runs.empty() && runs.back().second + 1 == row)
            runs.back().second = row;
        else
            runs.emplace_back(row, row);
    }
    if (runs.size() > kMostRestoredRuns)
        runs.assign(1, {first, first});
    grid->ClearSelection();
    for (const auto& [topRow, bottomRow] : runs)
        grid->SelectBlock(topRow, 0, bottomRow, grid->GetNumberCols() - 1, true);
    return true;
}
