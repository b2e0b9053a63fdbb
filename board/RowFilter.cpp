#include "board/RowFilter.h"

#include <algorithm>

#include "board/TickerdeckTable.h"
#include "contract/Records.h"
#include "model/FilterSet.h"

void RowFilter::Set(FilterSet* filter)
{
    m_filter = filter;
    if (m_filter)
        m_filter->SetComputed(&m_table.m_format.computed);
}

bool RowFilter::Accepts(const Price* price) const
{
    return !m_filter || (price && m_filter->Accepts(*price));
}

bool RowFilter::NarrowShownRows()
{
    std::vector<Price*>& rows = m_table.m_rows;
    const std::vector<Price*>& members = m_table.m_members.List();
    if (rows.size() != members.size())
        for (Price* price : members)
            if (m_table.m_index.RowOf(price) < 0 && Accepts(price))
                return false;
    rows.erase(std::remove_if(rows.begin(), rows.end(), [this](const Price* price) { return !Accepts(price); }),
               rows.end());
    m_table.m_order.Keys().Invalidate();
    m_table.m_view.DropFlashes();
    m_table.m_index.IndexAll();
    m_table.m_styler.Ties().Reset(rows.size());
    return true;
}

void RowFilter::DropShownRow(int row)
{
    m_table.EraseRowAt(row);
    wxGridTableMessage deleted(&m_table, wxGRIDTABLE_NOTIFY_ROWS_DELETED, row, 1);
    m_table.m_view.TellRowCountChanged(deleted, row);
}

void RowFilter::DropRowsOnScreenItRefuses()
{
    // Only while the grid counts the rows the table holds: not in the midst
    // of a rebuild that tells the grid at its end.
    const wxGrid* grid = m_table.GetView();
    if (!m_filter || !grid || grid->GetBatchCount() > 0 || grid->GetNumberRows() != m_table.GetNumberRows())
        return;
    // Rows below a dropped one move up into view and are judged in turn.
    const QuoteGridView& view = m_table.m_view;
    int row = view.VisibleArea().firstRow;
    while (row < static_cast<int>(m_table.m_rows.size()) && view.VisibleArea().ContainsRow(row))
    {
        if (m_filter->AcceptsShown(*m_table.m_rows[row]))
            ++row;
        else
            DropShownRow(row);
    }
}
