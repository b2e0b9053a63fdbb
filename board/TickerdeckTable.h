#pragma once
// The grid table behind one quote board tab.

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <wx/colour.h>
#include <wx/event.h>
#include <wx/grid.h>

#include "board/CellStyler.h"
#include "board/QuoteGridView.h"
#include "board/RowFilter.h"
#include "board/RowIndex.h"
#include "board/RowOrder.h"
#include "board/TabIdentity.h"
#include "board/TabMembers.h"
#include "model/ColourRules.h"
#include "model/ColumnSpec.h"
#include "model/PriceIndex.h"
#include "model/QuoteFormat.h"

struct Instrument;
struct Price;
class FilterSet;
class QuoteAges;

/// Grid table of one tab: the shown rows, pointing at the host's live
/// quotes in display order, changed with the members, the row index, the
/// sort keys and the flashes in step, and the quote events applied to them.
/// The rest is its collaborators' (TabMembers, RowIndex, RowFilter,
/// RowOrder, CellStyler, QuoteGridView, QuoteFormat).
class TickerdeckTable : public wxGridTableBase
{
public:
    static constexpr int kColumnCount = column::Count;

    TickerdeckTable();
    ~TickerdeckTable() override;

    // wxGridTableBase
    int GetNumberRows() override;
    int GetNumberCols() override;
    bool IsEmptyCell(int row, int col) override;
    wxString GetValue(int row, int col) override;
    void SetValue(int row, int col, const wxString& value) override;
    wxString GetColLabelValue(int col) override;
    wxGridCellAttr* GetAttr(int row, int col, wxGridCellAttr::wxAttrKind kind) override;

    const std::vector<Price*>& Rows() const { return m_rows; }  // display order
    /// The quote shown in `row`, null outside the rows.
    Price* RowPrice(int row) const;

    /// Appends to members and rows without telling the grid.
    void AppendMember(Price* price);
    /// Appends to members, and to rows when the filter shows it; returns the
    /// new row or -1. The caller tells the grid, then places the row.
    int AdmitMember(Price* price);
    /// Empties rows and members, ending their flashes, without telling the
    /// grid; returns the members as they were listed.
    std::vector<Price*> ClearRowsAndMembers();
    /// Rows become the members, in stored order, that the filter accepts.
    /// Without `indexRows` the caller indexes them next (a sort of them all,
    /// or `RowOrder::RowsReordered`): a million rows indexed twice held the window.
    void RebuildRowsFromMembers(bool indexRows = true);
    /// Drops the quote's row (if shown), its flashes and its membership, and
    /// its bookmark with its last membership; the caller tells the grid.
    void RemoveRow(Price* price);
    /// Drops every membership and row of `quotes`, with their flashes and
    /// bookmarks, in one pass; the caller tells the grid.
    void RemoveMembers(const std::vector<Price*>& quotes);
    /// Exchanges two shown rows, and the same two quotes in stored order;
    /// meant for a grid without sort column. The caller tells the grid.
    void SwapRows(int first, int second);
    /// Takes shown row `from` out and puts it back at `to`, the rows between
    /// closing up; in stored order the quote goes next to the one it
    /// displaced. Meant for a grid without sort column. The caller tells the grid.
    void MoveRow(int from, int to);

    /// Applies one posted quote event (client data Price*, int mask, extra long flash).
    void UpdateRow(const wxCommandEvent& event);

    /// The quotes the tab lists, in stored order, and its bookmarks; the
    /// table changes the list, so that rows and members agree, but a caller
    /// may rearrange it or change the bookmarks.
    TabMembers& Members() { return m_members; }
    const TabMembers& Members() const { return m_members; }
    /// Where each shown quote stands.
    const RowIndex& Index() const { return m_index; }
    /// Which members show.
    RowFilter& Filter() { return m_filter; }
    const RowFilter& Filter() const { return m_filter; }

    /// How the table turns a quote into its cell texts, the tab's computed
    /// columns (the grid's columns after the fixed ones) among them. Whoever
    /// changes the computed columns tells the grid (board/ComputedColumnGrid).
    QuoteFormat& Format() { return m_format; }
    const QuoteFormat& Format() const { return m_format; }
    /// What the tab shows, by which it is found.
    TabIdentity& Identity() { return m_identity; }
    const TabIdentity& Identity() const { return m_identity; }


    /// The order of the rows by the grid's sort column.
    RowOrder& Order() { return m_order; }
    const RowOrder& Order() const { return m_order; }
    /// How the cells look when painted.
    CellStyler& Styler() { return m_styler; }
    const CellStyler& Styler() const { return m_styler; }
    /// What the grid shows of the rows: repaints, flashes, the area on screen.
    QuoteGridView& View() { return m_view; }
    const QuoteGridView& View() const { return m_view; }

private:
    friend class RowOrder;
    friend class RowFilter;

    // Row bookkeeping
    void AppendRow(Price* price);
    void InsertRowAt(int row, Price* price);
    void EraseRowAt(int row);
    /// Exchanges two neighbouring rows while a quote bubbles into place;
    /// inline, since the bubbling lives in RowOrder and runs once a step.
    void ShiftRow(int from, int to)
    {
        // The rows stay a permutation at every step (selection events fire in
        // between). The index is left alone: the neighbour is found one row
        // from where it was last seen.
        std::swap(m_rows[from], m_rows[to]);
        m_order.Keys().Swap(from, to);
    }

    // Quote events
    int AdmitForUpdate(Price* price, bool& returned);

    std::vector<Price*> m_rows;
    TabMembers m_members;
    RowIndex m_index{m_rows, m_members};

    QuoteFormat m_format;
    TabIdentity m_identity;

    QuoteGridView m_view{*this};
    RowOrder m_order{*this};
    CellStyler m_styler{*this};
    RowFilter m_filter{*this};
};

/// Quotes handled back to back on one table, with nothing but the table's
/// own work between them, read the grid's sort, the rows on screen and the
/// selection once for all of them while this lives; the table reads them
/// again after it changed the selection or the row count.
class QuoteRunHold
{
public:
    /// Holds nothing for a null table.
    explicit QuoteRunHold(TickerdeckTable* table);
    ~QuoteRunHold();
    QuoteRunHold(const QuoteRunHold&) = delete;
    QuoteRunHold& operator=(const QuoteRunHold&) = delete;

private:
    TickerdeckTable* m_table;
};
