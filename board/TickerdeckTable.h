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
#include <vector>

#include <wx/colour.h>
#include <wx/event.h>
#include <wx/grid.h>

#include "board/QuoteGridView.h"
#include "layout/UnresolvedRefs.h"
#include "model/CellBars.h"
#include "model/CellColour.h"
#include "model/ColourRules.h"
#include "model/ColumnSpec.h"
#include "model/PriceIndex.h"
#include "model/QuoteFormat.h"
#include "model/SortKeyCache.h"

struct Instrument;
struct Price;
class FilterSet;
class QuoteAges;
class TrendSamples;

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

    /// The tab's computed columns, the grid's columns after the fixed ones;
    /// whoever changes them tells the grid (board/ComputedColumnGrid).
    ComputedColumns& Computed() { return m_format.computed; }
    const ComputedColumns& Computed() const { return m_format.computed; }

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
    /// Moves a row the grid already counts to where the grid's sort column
    /// puts it; returns its new index.
    int PlaceInSortOrder(int row);
    /// Empties rows and members, ending their flashes, without telling the grid.
    void ClearRowsAndMembers();
    /// Rows become the members, in stored order, that the filter accepts.
    void RebuildRowsFromMembers();
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

    /// True when `a` comes before `b` in ascending order of column `col`.
    bool CompareRows(int col, const Price* a, const Price* b) const;
    /// Stable sort; descending sorts the reversed rows so that equal rows swap order.
    void SortRows(int col, bool ascending);
    static bool ColumnChanged(int col, int mask);

    /// Applies one posted quote event (client data Price*, int mask, extra long flash).
    void UpdateRow(const wxCommandEvent& event);
    /// While held, quotes leave every row where it is; whether one would
    /// have moved is remembered, so the sort catches up once released.
    void HoldSort(bool held) { m_sortHeld = held; }
    bool IsSortHeld() const { return m_sortHeld; }
    /// True when a quote changed the sort column's value while held.
    bool IsSortBehind() const { return m_sortBehind; }
    void ClearSortBehind() { m_sortBehind = false; }
    /// "Pause Sorting": holds the order of this tab until resumed.
    void SetSortPaused(bool paused) { m_sortPaused = paused; }
    bool IsSortPaused() const { return m_sortPaused; }
    /// What to start loading for a quote whose event is queued ahead: its
    /// index slot when it is far ahead, its row and sort key when it is near.
    enum class LoadAhead { IndexSlot, RowAndKey };
    void PrefetchQueuedUpdate(const Price& price, int mask, LoadAhead what) const;

    /// Drops the rows on screen that the filter no longer accepts, telling
    /// the grid; meant for the moment right before a paint. The host changes
    /// a quote before its event arrives and a paint shows the new values,
    /// so what is painted must be judged on them, not on the last event.
    void DropRowsOnScreenTheFilterRefuses();

    /// The filter's verdict; true when the tab has no filter.
    bool Accepts(const Price* price) const;
    void SetFilter(FilterSet* filter);
    FilterSet* GetFilter() const { return m_filter; }

    /// The tab's colour rules, applied when a cell is styled for a paint;
    /// the caller repaints. A set that cannot match costs the paint nothing.
    void SetColourRules(const std::vector<ColourRuleSpec>& rules);
    /// The rules in order, unusable ones included; empty when none.
    const std::vector<ColourRuleSpec>& GetColourRules() const;
    /// The built rules, null when the tab has none that can match.
    const ColourRuleSet* GetColourRuleSet() const { return m_rules.get(); }

    std::set<Instrument*>& Bookmarks() { return m_bookmarks; }
    const std::set<Instrument*>& Bookmarks() const { return m_bookmarks; }

    void SetVolumeInThousands(bool inThousands) { m_format.volumeInThousands = inThousands; }
    bool GetVolumeInThousands() const { return m_format.volumeInThousands; }
    /// How the table turns a quote into its cell texts.
    const QuoteFormat& Format() const { return m_format; }
    void SetTabType(int tabType) { m_tabType = tabType; }
    int GetTabType() const { return m_tabType; }
    void SetExchange(const std::string& exchange) { m_exchange = exchange; }
    const std::string& GetExchange() const { return m_exchange; }
    void SetCategory(const std::string& category) { m_category = category; }
    const std::string& GetCategory() const { return m_category; }
    void SetWatchlistName(const std::string& name) { m_watchlistName = name; }
    const std::string& GetWatchlistName() const { return m_watchlistName; }
    /// What the stored watchlist holds beyond the rows the host could resolve.
    void SetUnresolved(layout::UnresolvedRefs unresolved) { m_unresolved = std::move(unresolved); }
    const layout::UnresolvedRefs& GetUnresolved() const { return m_unresolved; }

    void SetHighlightColour(const wxColour& colour) { m_highlightColour = colour; }
    void SetBookmarkColour(const wxColour& colour) { m_bookmarkColour = colour; }
    void SetUpColour(const wxColour& colour) { m_upColour = colour; }
    void SetDownColour(const wxColour& colour) { m_downColour = colour; }
    /// The text colour of a stale quote's prices.
    void SetStaleColour(const wxColour& colour) { m_staleColour = colour; }
    /// Where the table reads whether a quote is stale; null marks none.
    void SetQuoteAges(const QuoteAges* ages) { m_ages = ages; }
    /// Whether a colour rule draws a bar in the cell: a number column's
    /// cell styled by a rule with the bar style.
    bool DrawsBar(int row, int col) const;
    /// The number a cell's bar stands for, computed columns included; NaN
    /// for a computed cell without a value.
    double CellNumber(int col, const Price& price) const;
    /// The range the bars of `col` are sized within: the values of the
    /// tab's shown rows, worked out again at most a few times a second,
    /// since on a large tab that is a pass over every row.
    const BarRange& BarRangeOf(int col);
    /// Makes the next BarRangeOf work its range out again.
    void ForgetBarRanges();

    /// Where the trend column reads its points; null draws and sorts none.
    void SetTrendSamples(const TrendSamples* samples) { m_trends = samples; }
    const TrendSamples* GetTrendSamples() const { return m_trends; }
    /// The trend column's figure for `price`: its change over the window.
    std::optional<double> TrendChange(const Price* price) const;
    const wxColour& GetHighlightColour() const { return m_highlightColour; }
    const wxColour& GetBookmarkColour() const { return m_bookmarkColour; }
    const wxColour& GetUpColour() const { return m_upColour; }
    const wxColour& GetDownColour() const { return m_downColour; }

    /// Brings an attribute up to date right before it is painted: the grid
    /// keeps the latest one in a cache that bypasses GetAttr, so bookmarks
    /// and prices may have changed since it was styled.
    void RestyleForPaint(wxGridCellAttr& attr, int row, int col);

    /// The rows and columns on screen.
    QuoteGridView::Area VisibleArea() const { return m_view.VisibleArea(); }
    /// Repaints the cells of `row` that are on screen.
    void RefreshRowCells(int row) const { m_view.RefreshRows(row, row); }

    /// What to do after a paint that found figures wider than their columns.
    void SetCutOffHandler(QuoteGridView::CutOffHandler handler)
    {
        m_view.SetCutOffHandler(std::move(handler));
    }
    /// The painter found a figure of `col` wider than its column.
    void NoteCutOff(int col) { m_view.NoteCutOff(col); }

    /// How long a changed cell stays highlighted; one second unless a test wants less.
    void SetFlashDuration(std::chrono::milliseconds duration) { m_view.SetFlashDuration(duration); }
    bool IsFlashing(int row, int col) const { return m_view.IsFlashing(row, col); }
    /// Number of cells flashing right now.
    size_t FlashCount() const { return m_view.FlashCount(); }
    /// When the cell's flash ends, if it is flashing.
    std::optional<QuoteGridView::Clock::time_point> FlashEndAt(int row, int col) const
    {
        return m_view.FlashEndAt(row, col);
    }

private:

    // Row bookkeeping
    void AppendRow(Price* price);
    void InsertRowAt(int row, Price* price);
    void EraseRowAt(int row);
    /// Erases a shown row and tells the grid.
    void DropShownRow(int row);
    void ShiftRow(int from, int to);
    void ReindexRowsFrom(int first);
    /// Rows from `first` down moved by one and keep their old index entries
    /// for a while; see m_rowIndex.
    void NoteRowsShifted(int first);
    int LocateRow(const Price* price, int lastSeen) const;
    void AddMember(Price* price);
    void EraseMember(Price* price);

    // Quote events
    int AdmitForUpdate(Price* price, bool& returned);
    /// Where a row coming back into a filtered tab belongs: after every row
    /// it does not come before in the grid's sort, or last when unsorted.
    int ReturningRowPlace(const Price& price) const;
    bool SortTouchedBy(int mask) const;
    void PrefetchForMove(const Price& price, int col) const;
    void PrefetchNeighbours(int row, int col) const;
    int MoveIntoSortPosition(int row);
    template <typename Before>
    int BubbleIntoPlace(int row, Before before);
    bool ComesBefore(const Price* a, const Price* b, int col, bool ascending) const;
    /// Ascending order of column `col`: the quote's own fields, computed
    /// columns, or for the trend column the change over its window, rows
    /// without one first.
    bool Precedes(int col, const Price& a, const Price& b) const;
    double SortKeyOf(int col, const Price& price) const;
    /// Sorts the rows by one number each, read once per row; ties keep their order.
    void SortRowsByKeys(bool ascending, const std::function<double(const Price*)>& keyOf);
    /// Tells the grid its row count changed; the rows on screen from
    /// `firstMoved` down are repainted.
    void TellGridRowsMoved(wxGridTableMessage& message, int firstMoved);

    // Cell attributes
    /// A new reference to an attribute that nobody else holds.
    wxGridCellAttr* ReusableAttr();
    void StyleAttr(wxGridCellAttr& attr, int row, int col, bool stored);
    wxColour ColourOf(CellColour colour) const;
    CellColour& TieMemory(int row, int col);
    wxColour GridBackground() const;
    wxColour GridForeground() const;
    /// Gives the cell the style of the rule that matches it, if any.
    void ApplyColourRules(wxGridCellAttr& attr, const Price& price, int col, bool flashing);

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
    bool m_sortHeld = false;
    bool m_sortBehind = false;
    bool m_sortPaused = false;
    SortKeyCache m_sortKeys;                               // numeric sort column, row order
    // How often each member is listed (duplicates are allowed); flat, not a
    // node per member: a whole exchange is a million of them.
    PriceIndex m_memberCount;
    std::vector<wxGridCellAttrPtr> m_attrPool;             // handed out when a cell carries no state
    std::vector<CellColour> m_tieColours;                  // last colour of columns kept on ties, per row

    QuoteFormat m_format;
    FilterSet* m_filter = nullptr;
    std::vector<ColourRuleSpec> m_ruleSpecs;
    std::unique_ptr<ColourRuleSet> m_rules;
    wxFont m_boldFont;           // the grid's cell font in bold, once a rule wants it
    bool m_boldGiven = false;    // some attribute may still carry m_boldFont
    std::set<Instrument*> m_bookmarks;
    int m_tabType = 1;
    std::string m_exchange;
    std::string m_category;
    std::string m_watchlistName;
    layout::UnresolvedRefs m_unresolved;
    wxColour m_highlightColour;
    wxColour m_bookmarkColour;
    wxColour m_upColour;
    wxColour m_downColour;
    wxColour m_staleColour;
    const QuoteAges* m_ages = nullptr;
    const TrendSamples* m_trends = nullptr;
    struct KnownRange
    {
        BarRange range;
        std::chrono::steady_clock::time_point at;
        bool known = false;
    };
    std::vector<KnownRange> m_barRanges;  // by column id

    QuoteGridView m_view{*this};
};
