#pragma once
// The grid table behind one quote board tab.

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <wx/colour.h>
#include <wx/event.h>
#include <wx/grid.h>

#include "board/CellStyler.h"
#include "board/QuoteGridView.h"
#include "board/RowOrder.h"
#include "board/TabIdentity.h"
#include "model/ColourRules.h"
#include "model/ColumnSpec.h"
#include "model/PriceIndex.h"
#include "model/QuoteFormat.h"

struct Instrument;
struct Price;
class FilterSet;
class QuoteAges;

/// Grid table of one tab: rows point at the host's live quotes, kept in
/// sort order, and the text and style of every cell. What the grid shows of
/// them (selection, repaints, flashes) is the business of its QuoteGridView.
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

    const std::vector<Price*>& Rows() const { return m_rows; }       // display order
    const std::vector<Price*>& Members() const { return m_members; } // stored order, filtered or not
    bool IsMember(const Price* price) const;
    /// Display index of the quote or -1.
    int RowOf(const Price* price) const;
    /// The quote shown in `row`, null outside the rows.
    Price* RowPrice(int row) const;

    /// Appends to members and rows without telling the grid.
    void AppendMember(Price* price);
    /// Appends to members, and to rows when the filter shows it; returns the
    /// new row or -1. The caller tells the grid, then places the row.
    int AdmitMember(Price* price);
    /// Empties rows and members, ending their flashes, without telling the grid.
    void ClearRowsAndMembers();
    /// Rows become the members, in stored order, that the filter accepts.
    /// Without `indexRows` the caller indexes them next (`IndexAllRows`, or a
    /// sort of them all): a million rows indexed twice held the window.
    void RebuildRowsFromMembers(bool indexRows = true);
    /// Indexes every row afresh, after the rows were rebuilt or reordered whole.
    void IndexAllRows();
    /// Drops the rows the filter no longer accepts, the others keeping their
    /// order; false, changing nothing, when the filter accepts a member that
    /// is not shown (it would need its place found).
    bool NarrowShownRows();
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
    /// Makes `members`, a rearrangement of the members, their stored order;
    /// the rows stay as they are. The caller rebuilds them if it wants.
    void SetMemberOrder(std::vector<Price*> members) { m_members = std::move(members); }

    /// Applies one posted quote event (client data Price*, int mask, extra long flash).
    void UpdateRow(const wxCommandEvent& event);

    /// Drops the rows on screen that the filter no longer accepts, telling
    /// the grid; meant for the moment right before a paint. The host changes
    /// a quote before its event arrives and a paint shows the new values,
    /// so what is painted must be judged on them, not on the last event.
    void DropRowsOnScreenTheFilterRefuses();

    /// The filter's verdict; true when the tab has no filter.
    bool Accepts(const Price* price) const;
    void SetFilter(FilterSet* filter);
    FilterSet* GetFilter() const { return m_filter; }

    std::set<Instrument*>& Bookmarks() { return m_bookmarks; }
    const std::set<Instrument*>& Bookmarks() const { return m_bookmarks; }

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

    // Row bookkeeping
    void AppendRow(Price* price);
    void InsertRowAt(int row, Price* price);
    void EraseRowAt(int row);
    /// Erases a shown row and tells the grid.
    void DropShownRow(int row);
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
    void ReindexRowsFrom(int first);
    /// Rows from `first` down moved by one and keep their old index entries
    /// for a while; see m_rowIndex.
    void NoteRowsShifted(int first);
    int LocateRow(const Price* price, int lastSeen) const;
    void AddMember(Price* price);
    void EraseMember(Price* price);

    // Quote events
    int AdmitForUpdate(Price* price, bool& returned);
    /// Tells the grid its row count changed; the rows on screen from
    /// `firstMoved` down are repainted.
    void TellGridRowsMoved(wxGridTableMessage& message, int firstMoved);

    std::vector<Price*> m_rows;
    std::vector<Price*> m_members;
    // Where every shown quote was last seen. Rows that shift past a moving
    // quote, or below a row that leaves or comes back, are not rewritten; a
    // lookup finds them near their old row and corrects the entry. Rows that
    // leave and come back on a filtered tab would shift the index far from
    // the truth, so after a number of them the rows below are indexed again
    // at once.
    mutable PriceIndex m_rowIndex;
    int m_shiftedFrom = -1;                                // first row whose entry may be off, -1 none
    int m_unindexedShifts = 0;                             // leaves and returns since the last reindex
    int m_duplicateMembers = 0;                            // members listed more than once
    // How often each member is listed (duplicates are allowed); flat, not a
    // node per member: a whole exchange is a million of them.
    PriceIndex m_memberCount;

    QuoteFormat m_format;
    FilterSet* m_filter = nullptr;
    std::set<Instrument*> m_bookmarks;
    TabIdentity m_identity;

    QuoteGridView m_view{*this};
    RowOrder m_order{*this};
    CellStyler m_styler{*this};
};
