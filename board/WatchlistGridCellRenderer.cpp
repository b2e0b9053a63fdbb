#include "board/WatchlistGridCellRenderer.h"

#include <wx/dc.h>
#include <wx/gdicmn.h>

#include "board/ColumnSpec.h"
#include "board/IconCache.h"
#include "board/TickerdeckTable.h"
#include "plugin/Records.h"

namespace {

const wxString kIconFolder = "./icon/";

wxString AssetIconPath(const Instrument& instrument)
{
    return kIconFolder + "asset/" + wxString::FromUTF8(instrument.assetId) + ".png";
}

wxString FlagIconPath(const Instrument& instrument)
{
    return kIconFolder + "flag/" + wxString::FromUTF8(instrument.flag) + ".png";
}

}  // namespace

WatchlistGridCellRenderer::WatchlistGridCellRenderer()
    : m_upArrow(LoadPngQuietly(kIconFolder + "green_up.png")),
      m_downArrow(LoadPngQuietly(kIconFolder + "red_down.png"))
{
}

WatchlistGridCellRenderer::~WatchlistGridCellRenderer() = default;

wxGridCellRenderer* WatchlistGridCellRenderer::Clone() const
{
    // A copy must keep painting icons, not fall back to plain text.
    return new WatchlistGridCellRenderer;
}

wxColour WatchlistGridCellRenderer::BackgroundFor(const wxGrid& grid, const wxGridCellAttr& attr, int col,
                                                  bool isSelected) const
{
    if (!grid.IsEnabled())
        return grid.GetBackgroundColour();
    // The row-number column never shows the selection, so its bookmark colour stays visible.
    if (isSelected && col != column::No)
        return grid.HasFocus() ? grid.GetSelectionBackground() : attr.GetBackgroundColour();
    const wxColour own = attr.GetBackgroundColour();
    return own.IsOk() ? own : grid.GetBackgroundColour();
}

void WatchlistGridCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row,
                                     int col, bool isSelected)
{
    auto* quotes = dynamic_cast<TickerdeckTable*>(grid.GetTable());
    if (quotes)
        quotes->RestyleForPaint(attr, row, col);

    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    dc.SetFont(attr.GetFont());

    dc.SetBrush(*wxTheBrushList->FindOrCreateBrush(BackgroundFor(grid, attr, col, isSelected)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rect);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    // A long name in a narrow column must not run over its neighbours.
    wxDCClipper clipToCell(dc, rect);

    int hAlign = wxALIGN_RIGHT;
    int vAlign = wxALIGN_INVALID;
    attr.GetNonDefaultAlignment(&hAlign, &vAlign);
    dc.SetTextBackground(attr.GetBackgroundColour());
    dc.SetTextForeground(attr.GetTextColour());

    wxRect textRect = rect;
    textRect.x += kTextInset;
    textRect.width -= 2 * kTextInset;

    wxGridTableBase* table = grid.GetTable();
    if (!table || row >= table->GetNumberRows())
    {
        grid.DrawTextRectangle(dc, table ? table->GetValue(row, col) : wxString(), textRect, hAlign, vAlign);
        return;
    }

    const Price* price = quotes ? quotes->RowPrice(row) : nullptr;
    switch (col)
    {
    case column::Name:
        DrawName(grid, dc, rect, textRect, price, hAlign, vAlign);
        break;
    case column::TradeType:
        DrawTradeArrow(dc, rect, price);
        break;
    case column::Flag:
        DrawFlag(grid, dc, rect, textRect, price, hAlign, vAlign);
        break;
    default:
        grid.DrawTextRectangle(dc, table->GetValue(row, col), textRect, hAlign, vAlign);
        break;
    }
}

void WatchlistGridCellRenderer::DrawName(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect,
                                         const Price* price, int hAlign, int vAlign) const
{
    if (!price || !price->instrument)
    {
        grid.DrawTextRectangle(dc, wxString(), textRect, hAlign, vAlign);
        return;
    }
    const Instrument& instrument = *price->instrument;
    const wxString name = wxString::FromUTF8(instrument.name);
    const wxBitmap* icon = &IconCache::Shared().Load(AssetIconPath(instrument));
    if (!icon->IsOk())
        icon = &IconCache::Shared().Load(FlagIconPath(instrument));
    if (!icon->IsOk())
    {
        grid.DrawTextRectangle(dc, name, textRect, hAlign, vAlign);
        return;
    }
    const int side = rect.height;
    dc.DrawBitmap(*icon, rect.x + (side - icon->GetWidth()) / 2, rect.y + (side - icon->GetHeight()) / 2, false);
    wxRect shifted = textRect;
    shifted.x += side;
    grid.DrawTextRectangle(dc, name, shifted, hAlign, vAlign);
}

void WatchlistGridCellRenderer::DrawTradeArrow(wxDC& dc, const wxRect& rect, const Price* price) const
{
    if (!price)
        return;
    const wxBitmap* arrow = nullptr;
    if (price->tradeType == '+')
        arrow = &m_upArrow;
    else if (price->tradeType == '-')
        arrow = &m_downArrow;
    if (!arrow || !arrow->IsOk())
        return;
    dc.DrawBitmap(*arrow, rect.x + rect.width / 2 - arrow->GetWidth() / 2,
                  rect.y + rect.height / 2 - arrow->GetHeight() / 2, false);
}

void WatchlistGridCellRenderer::DrawFlag(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect,
                                         const Price* price, int hAlign, int vAlign) const
{
    if (!price || !price->instrument)
    {
        grid.DrawTextRectangle(dc, wxString(), textRect, hAlign, vAlign);
        return;
    }
    const wxBitmap& flag = IconCache::Shared().Load(FlagIconPath(*price->instrument));
    if (flag.IsOk())
    {
        dc.DrawBitmap(flag, rect.x + (rect.width - flag.GetWidth()) / 2,
                      rect.y + (rect.height - flag.GetHeight()) / 2, false);
        return;
    }
    grid.DrawTextRectangle(dc, wxString::FromUTF8(price->instrument->flag), textRect, hAlign, vAlign);
}

wxSize WatchlistGridCellRenderer::GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col)
{
    wxSize size = wxGridCellStringRenderer::GetBestSize(grid, attr, dc, row, col);
    if (col == column::Name)
        size.x += kNameIconAllowance;
    return size;
}
