#include "export/TabSnapshot.h"

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"

wxString TabTextOf(const Tickerdeck& board, const wxGridEx* grid)
{
    const wxFlatNotebook* notebook = board.Tabs().Notebook();
    if (!notebook || !grid)
        return wxString();
    for (size_t page = 0; page < notebook->GetPageCount(); ++page)
        if (notebook->GetPage(page) == grid->GetSplitter())
            return notebook->GetPageText(page);
    return wxString();
}

sheet::TabSnapshot SnapshotGrid(wxGridEx* grid, const wxString& tabText)
{
    sheet::TabSnapshot snapshot;
    snapshot.tabText = tabText.utf8_str();
    snapshot.separators = NumberSeparators::Current();
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    // A column of width 0 is hidden; the order shown on screen does not matter.
    for (int col = 0; col < table->GetNumberCols(); ++col)
    {
        const int width = grid->GetColSize(col);
        if (width <= 0)
            continue;
        snapshot.columnIds.push_back(col);
        snapshot.header.push_back(table->GetColLabelValue(col));
        snapshot.widths.push_back(width);
    }
    snapshot.format = table->Format();
    if (const ColourRuleSet* rules = table->Styler().GetColourRuleSet())
    {
        snapshot.rules = *rules;
        // The worker reads the snapshot's own copy of the formulas.
        snapshot.rules.SetComputed(nullptr);
    }
    const std::vector<Price*>& rows = table->Rows();
    snapshot.quotes.reserve(rows.size());
    snapshot.instruments.reserve(rows.size());
    for (const Price* price : rows)
        snapshot.AddRow(*price);
    if (TrendSampler::ShowsTrend(grid))
    {
        snapshot.trendChanges.reserve(rows.size());
        for (const Price* price : rows)
            snapshot.trendChanges.push_back(table->Order().TrendChange(price));
    }
    return snapshot;
}

std::optional<sheet::TabSnapshot> SnapshotCurrentTab(const Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return std::nullopt;
    return SnapshotGrid(grid, TabTextOf(board, grid));
}
