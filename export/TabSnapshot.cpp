#include "export/TabSnapshot.h"

#include <algorithm>

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

sheet::TabSnapshot SnapshotFrame(wxGridEx* grid, const wxString& tabText, std::size_t rows)
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
    // Reserved whole, so that each copied quote's pointer to its
    // instrument's copy holds; the pages are met only as rows are copied.
    snapshot.quotes.reserve(rows);
    snapshot.instruments.reserve(rows);
    if (TrendSampler::ShowsTrend(grid))
        snapshot.trendChanges.reserve(rows);
    return snapshot;
}

void AddSnapshotRows(wxGridEx* grid, const std::vector<Price*>& rows, std::size_t begin, std::size_t end,
                     bool rowsMayBeGone, sheet::TabSnapshot& snapshot)
{
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    // Whether the trend is exported was settled with the columns.
    const bool trend = std::find(snapshot.columnIds.begin(), snapshot.columnIds.end(), column::Trend) !=
                       snapshot.columnIds.end();
    for (std::size_t row = begin; row < end; ++row)
    {
        const Price* price = rows[row];
        // The lookup costs a fifth of the copy on a long tab: made only when needed.
        if (rowsMayBeGone && !table->Members().Contains(price))
            continue;
        snapshot.AddRow(*price);
        if (trend)
            snapshot.trendChanges.push_back(table->Order().TrendChange(price));
    }
}

sheet::TabSnapshot SnapshotGrid(wxGridEx* grid, const wxString& tabText)
{
    const std::vector<Price*>& rows = Tickerdeck::TableOf(grid)->Rows();
    sheet::TabSnapshot snapshot = SnapshotFrame(grid, tabText, rows.size());
    AddSnapshotRows(grid, rows, 0, rows.size(), false, snapshot);
    return snapshot;
}
