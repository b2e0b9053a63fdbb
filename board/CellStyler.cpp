#include "board/CellStyler.h"

#include <algorithm>
#include <limits>

#include "board/TickerdeckTable.h"
#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/QuoteAges.h"

namespace {

// A painting grid holds at most a couple of cell attributes at once (the one
// it draws and its one-entry cache); a few spares cover nested lookups.
constexpr size_t kAttrPoolLimit = 8;

}  // namespace

bool CellStyler::DrawsBar(int row, int col) const
{
    if (!m_rules || !m_rules->DrawsBars() || !TakesBars(col) || row < 0 || row >= static_cast<int>(m_table.Rows().size()))
        return false;
    const RuleStyle* style = m_rules->StyleFor(*m_table.Rows()[static_cast<size_t>(row)], col);
    return style && style->bar;
}

double CellStyler::CellNumber(int col, const Price& price) const
{
    if (!IsComputedColumn(col))
        return QuoteNumber(col, price);
    const std::optional<double> value = m_table.Format().computed.Value(static_cast<size_t>(col - column::Count), price);
    return value ? *value : std::numeric_limits<double>::quiet_NaN();
}

const BarRange& CellStyler::BarRangeOf(int col)
{
    // Quotes change the range all the time; a bar a quarter of a second
    // behind is held at the range's edge meanwhile.
    constexpr std::chrono::milliseconds kRangeLifetime{250};
    if (m_barRanges.size() <= static_cast<size_t>(col))
        m_barRanges.resize(static_cast<size_t>(col) + 1);
    KnownRange& known = m_barRanges[static_cast<size_t>(col)];
    const auto now = std::chrono::steady_clock::now();
    if (known.known && now - known.at < kRangeLifetime)
        return known.range;
    known.range = BarRange();
    for (const Price* price : m_table.Rows())
        known.range.Include(CellNumber(col, *price));
    known.at = now;
    known.known = true;
    return known.range;
}

void CellStyler::ForgetBarRanges()
{
    for (KnownRange& known : m_barRanges)
        known.known = false;
}

void CellStyler::RestyleForPaint(wxGridCellAttr& attr, int row, int col)
{
    if (!m_table.RowPrice(row) || col < 0 || col >= m_table.GetNumberCols())
        return;
    wxGridCellAttrProvider* provider = m_table.GetAttrProvider();
    const wxGridCellAttrPtr stored(provider ? provider->GetAttr(row, col, wxGridCellAttr::Cell) : nullptr);
    const bool isStored = stored.get() == &attr;
    // Attributes of other origin, such as the grid's default, are not ours to style.
    const bool isPooled = std::any_of(m_attrPool.begin(), m_attrPool.end(),
                                      [&attr](const wxGridCellAttrPtr& pooled) { return pooled.get() == &attr; });
    if (!isStored && !isPooled)
        return;
    StyleAttr(attr, row, col, isStored);
}

wxGridCellAttr* CellStyler::ReusableAttr()
{
    // An attribute referenced by nobody but this table can be restyled freely.
    for (const wxGridCellAttrPtr& attr : m_attrPool)
        if (attr->GetRefCount() == 1)
            return wxGridCellAttrPtr(attr).release();
    wxGridCellAttrPtr attr(new wxGridCellAttr);
    if (m_attrPool.size() < kAttrPoolLimit)
        m_attrPool.push_back(attr);
    return attr.release();
}

void CellStyler::StyleAttr(wxGridCellAttr& attr, int row, int col, bool stored)
{
    const ColumnSpec& spec = IsColumn(col) ? ColumnAt(col) : ComputedColumnSpec();
    // A stored cell keeps a vertical alignment that someone gave it. The
    // query falls back to the grid default only for a wxALIGN_INVALID input,
    // so a value outside the alignments asks for the cell's own setting alone.
    constexpr int kOwnOnly = wxALIGN_INVALID - 1;
    int horizontal = kOwnOnly;
    int vertical = kOwnOnly;
    if (stored)
        attr.GetNonDefaultAlignment(&horizontal, &vertical);
    if (vertical == kOwnOnly)
        vertical = wxALIGN_INVALID;
    attr.SetAlignment(spec.horizontalAlignment, spec.centredVertically ? wxALIGN_CENTRE : vertical);
    // A flash lives in the view, not in an attribute of its own: the cell
    // takes the highlight whenever it is styled during its flash.
    const bool flashing = m_table.View().IsFlashing(row, col);
    if (!stored)
    {
        attr.SetBackgroundColour(flashing ? m_highlightColour : GridBackground());
        attr.SetTextColour(wxNullColour);
    }
    else if (flashing)
        attr.SetBackgroundColour(m_highlightColour);
    else if (attr.HasBackgroundColour() && attr.GetBackgroundColour() == m_highlightColour)
        attr.SetBackgroundColour(GridBackground());

    const Price& price = *m_table.Rows()[row];
    switch (spec.colourRule)
    {
    case ColourRule::None:
        break;
    case ColourRule::Bookmark:
        attr.SetBackgroundColour(m_table.Members().Bookmarks().count(price.instrument) ? m_bookmarkColour : GridBackground());
        break;
    case ColourRule::ByOwnValue:
    {
        CellColour& kept = m_tieColours.At(row, col);
        kept = TextColourFor(col, price, kept);
        attr.SetTextColour(ColourOf(kept));
        break;
    }
    default:
        attr.SetTextColour(ColourOf(TextColourFor(col, price, CellColour::Unset)));
        break;
    }
    if (m_rules || m_boldGiven)
        ApplyColourRules(attr, price, col, flashing);
    // A stale price says so over any rule's colour.
    if (m_ages && DimsWhenStale(col) && m_ages->IsStale(&price))
        attr.SetTextColour(m_staleColour);
}

void CellStyler::SetColourRules(const std::vector<ColourRuleSpec>& rules)
{
    m_ruleSpecs = rules;
    ForgetBarRanges();
    auto built = std::make_unique<ColourRuleSet>(rules);
    built->SetComputed(&m_table.Format().computed);
    m_rules = built->IsEmpty() ? nullptr : std::move(built);
}

void CellStyler::ApplyColourRules(wxGridCellAttr& attr, const Price& price, int col, bool flashing)
{
    const RuleStyle* style = m_rules ? m_rules->StyleFor(price, col) : nullptr;
    const bool bold = style && style->bold;
    if (bold)
    {
        if (!m_boldFont.IsOk() && m_table.GetView())
            m_boldFont = m_table.GetView()->GetDefaultCellFont().Bold();
        attr.SetFont(m_boldFont);
        m_boldGiven = true;
    }
    else if (m_boldGiven && attr.HasFont() && attr.GetFont() == m_boldFont)
        attr.SetFont(wxNullFont);
    if (!style)
        return;
    if (style->text.set)
        attr.SetTextColour(wxColour(style->text.rgb >> 16, (style->text.rgb >> 8) & 0xFF, style->text.rgb & 0xFF));
    // The flash shows over a rule's background, and so does a bookmark.
    const bool bookmark = IsColumn(col) && ColumnAt(col).colourRule == ColourRule::Bookmark && m_table.Members().Bookmarks().count(price.instrument);
    if (style->background.set && !flashing && !bookmark)
        attr.SetBackgroundColour(
            wxColour(style->background.rgb >> 16, (style->background.rgb >> 8) & 0xFF, style->background.rgb & 0xFF));
}

wxColour CellStyler::ColourOf(CellColour colour) const
{
    switch (colour)
    {
    case CellColour::Foreground: return GridForeground();
    case CellColour::Up: return m_upColour;
    case CellColour::Down: return m_downColour;
    default: return wxNullColour;
    }
}

wxColour CellStyler::GridBackground() const
{
    return m_table.GetView() ? m_table.GetView()->GetBackgroundColour() : wxNullColour;
}

wxColour CellStyler::GridForeground() const
{
    return m_table.GetView() ? m_table.GetView()->GetForegroundColour() : wxNullColour;
}
