#pragma once
// How the cells of one tab look when they are painted.

#include <chrono>
#include <memory>
#include <vector>

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/grid.h>

#include "model/CellBars.h"
#include "model/CellColour.h"
#include "model/ColourRules.h"
#include "model/TieColours.h"

struct Price;
class QuoteAges;
class TickerdeckTable;

/// Styles the cells of its table right before a paint: the theme's colours,
/// up and down by value, flashes, bookmarks, the tab's colour rules and
/// their bars, and stale prices dimmed. Reached by `TickerdeckTable::Styler()`.
class CellStyler
{
public:
    explicit CellStyler(TickerdeckTable& table) : m_table(table) {}
    CellStyler(const CellStyler&) = delete;
    CellStyler& operator=(const CellStyler&) = delete;

    /// The tab's colour rules, applied when a cell is styled for a paint;
    /// the caller repaints. A set that cannot match costs the paint nothing.
    void SetColourRules(const std::vector<ColourRuleSpec>& rules);
    /// The rules in order, unusable ones included; empty when none.
    const std::vector<ColourRuleSpec>& GetColourRules() const { return m_ruleSpecs; }
    /// The built rules, null when the tab has none that can match.
    const ColourRuleSet* GetColourRuleSet() const { return m_rules.get(); }

    void SetHighlightColour(const wxColour& colour) { m_highlightColour = colour; }
    void SetBookmarkColour(const wxColour& colour) { m_bookmarkColour = colour; }
    void SetUpColour(const wxColour& colour) { m_upColour = colour; }
    void SetDownColour(const wxColour& colour) { m_downColour = colour; }
    /// The text colour of a stale quote's prices.
    void SetStaleColour(const wxColour& colour) { m_staleColour = colour; }
    const wxColour& GetHighlightColour() const { return m_highlightColour; }
    const wxColour& GetBookmarkColour() const { return m_bookmarkColour; }
    const wxColour& GetUpColour() const { return m_upColour; }
    const wxColour& GetDownColour() const { return m_downColour; }
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

    /// Brings an attribute up to date right before it is painted: the grid
    /// keeps the latest one in a cache that bypasses GetAttr, so bookmarks
    /// and prices may have changed since it was styled.
    void RestyleForPaint(wxGridCellAttr& attr, int row, int col);

    // For the table
    /// A new reference to an attribute that nobody else holds.
    wxGridCellAttr* ReusableAttr();
    void StyleAttr(wxGridCellAttr& attr, int row, int col, bool stored);
    wxColour GridBackground() const;
    /// The colours kept on ties, row by row; the table moves them with its rows.
    TieColours& Ties() { return m_tieColours; }

private:
    wxColour ColourOf(CellColour colour) const;
    wxColour GridForeground() const;
    /// Gives the cell the style of the rule that matches it, if any.
    void ApplyColourRules(wxGridCellAttr& attr, const Price& price, int col, bool flashing);

    TickerdeckTable& m_table;
    std::vector<wxGridCellAttrPtr> m_attrPool;             // handed out when a cell carries no state
    TieColours m_tieColours;                               // last colour of columns kept on ties, per row
    std::vector<ColourRuleSpec> m_ruleSpecs;
    std::unique_ptr<ColourRuleSet> m_rules;
    wxFont m_boldFont;           // the grid's cell font in bold, once a rule wants it
    bool m_boldGiven = false;    // some attribute may still carry m_boldFont
    wxColour m_highlightColour;
    wxColour m_bookmarkColour;
    wxColour m_upColour;
    wxColour m_downColour;
    wxColour m_staleColour;
    const QuoteAges* m_ages = nullptr;
    struct KnownRange
    {
        BarRange range;
        std::chrono::steady_clock::time_point at;
        bool known = false;
    };
    std::vector<KnownRange> m_barRanges;  // by column id
};
