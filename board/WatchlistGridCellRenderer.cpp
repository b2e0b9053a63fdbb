#include "board/WatchlistGridCellRenderer.h"

#include <algorithm>
#include <cmath>

#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/graphics.h>

#include "model/ColumnSpec.h"
#include "kit/IconCache.h"
#include "kit/PngFile.h"
#include "board/TickerdeckTable.h"
#include "controls/TextLayoutCache.h"
#include "contract/Records.h"
#include "model/TrendSamples.h"

namespace {

const wxString kIconFolder = "./icon/";
// The grid's own gap between a text and the edge it is aligned to.
constexpr int kGridTextMargin = 1;
constexpr wxChar kCutOffMark = '#';

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
    : m_upArrow(LoadPng(kIconFolder + "green_up.png")),
      m_downArrow(LoadPng(kIconFolder + "red_down.png"))
{
}

WatchlistGridCellRenderer::~WatchlistGridCellRenderer() = default;

wxGridCellRenderer* WatchlistGridCellRenderer::Clone() const
{
    // A copy must keep painting icons, not fall back to plain text.
    return new WatchlistGridCellRenderer;
}

wxColour WatchlistGridCellRenderer::BackgroundFor(const wxGrid& grid, const wxGridCellAttr& attr, int col,
                                                  bool isSelected, bool isFlashing) const
{
    if (!grid.IsEnabled())
        return grid.GetBackgroundColour();
    // The row-number column never shows the selection, so its bookmark
    // colour stays visible; a flash shows on a selected row too. The row
    // stays selected to the eye while a menu or a ticket has the focus.
    if (isSelected && col != column::No && !isFlashing)
        return grid.GetSelectionBackground();
    const wxColour own = attr.GetBackgroundColour();
    return own.IsOk() ? own : grid.GetBackgroundColour();
}

int WatchlistGridCellRenderer::FirstShownColumn(const wxGrid& grid)
{
    for (int pos = 0; pos < grid.GetNumberCols(); ++pos)
        if (grid.GetColSize(grid.GetColAt(pos)) > 0)
            return grid.GetColAt(pos);
    return wxNOT_FOUND;
}

int WatchlistGridCellRenderer::LastShownColumn(const wxGrid& grid)
{
    for (int pos = grid.GetNumberCols() - 1; pos >= 0; --pos)
        if (grid.GetColSize(grid.GetColAt(pos)) > 0)
            return grid.GetColAt(pos);
    return wxNOT_FOUND;
}

void WatchlistGridCellRenderer::DrawSelectionFrame(const wxGrid& grid, wxDC& dc, const wxRect& rect,
                                                   int col) const
{
    // Backgrounds alone cannot mark the selection: a flash or a bookmark
    // paints over it. The frame runs along the row, closed at its ends.
    dc.SetBrush(*wxTheBrushList->FindOrCreateBrush(grid.GetDefaultCellTextColour()));
    dc.DrawRectangle(rect.x, rect.y, rect.width, kFrameWidth);
    dc.DrawRectangle(rect.x, rect.GetBottom() - kFrameWidth + 1, rect.width, kFrameWidth);
    if (col == FirstShownColumn(grid))
        dc.DrawRectangle(rect.x, rect.y, kFrameWidth, rect.height);
    if (col == LastShownColumn(grid))
        dc.DrawRectangle(rect.GetRight() - kFrameWidth + 1, rect.y, kFrameWidth, rect.height);
}

void WatchlistGridCellRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row,
                                     int col, bool isSelected)
{
    auto* quotes = dynamic_cast<TickerdeckTable*>(grid.GetTable());
    if (quotes)
        quotes->Styler().RestyleForPaint(attr, row, col);

    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    // A graphics-context DC builds a new native font for every font or text
    // colour it is given, even the one it already has.
    const wxFont& font = attr.GetFont();
    if (!font.IsSameAs(dc.GetFont()))
        dc.SetFont(font);

    const bool flashing = isSelected && quotes && quotes->View().IsFlashing(row, col);
    const wxColour background = BackgroundFor(grid, attr, col, isSelected, flashing);
    dc.SetBrush(*wxTheBrushList->FindOrCreateBrush(background));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rect);
    if (quotes && quotes->Styler().DrawsBar(row, col))
        DrawBar(dc, rect, *quotes, row, col, background);
    if (isSelected)
        DrawSelectionFrame(grid, dc, rect, col);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);

    int hAlign = wxALIGN_RIGHT;
    int vAlign = wxALIGN_INVALID;
    attr.GetNonDefaultAlignment(&hAlign, &vAlign);
    dc.SetTextBackground(attr.GetBackgroundColour());
    const wxColour text = attr.GetTextColour();
    if (text != dc.GetTextForeground())
        dc.SetTextForeground(text);

    wxRect textRect = rect;
    textRect.x += kTextInset;
    textRect.width -= 2 * kTextInset;

    wxGridTableBase* table = grid.GetTable();
    if (!table || row >= table->GetNumberRows())
    {
        DrawCellText(grid, dc, table ? table->GetValue(row, col) : wxString(), textRect, hAlign, vAlign);
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
    case column::Trend:
        DrawTrendCell(grid, attr, dc, rect, price, background);
        break;
    default:
        DrawCellText(grid, dc, table->GetValue(row, col), textRect, hAlign, vAlign, col);
        break;
    }
}

void WatchlistGridCellRenderer::DrawName(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect,
                                         const Price* price, int hAlign, int vAlign)
{
    if (!price || !price->instrument)
        return;
    const Instrument& instrument = *price->instrument;
    const wxString name = wxString::FromUTF8(instrument.name);
    const wxBitmap* icon = &IconCache::Shared().Load(AssetIconPath(instrument));
    if (!icon->IsOk())
        icon = &IconCache::Shared().Load(FlagIconPath(instrument));
    if (!icon->IsOk())
    {
        DrawCellText(grid, dc, name, textRect, hAlign, vAlign);
        return;
    }
    const int side = rect.height;
    DrawIcon(dc, *icon, rect, rect.x + (side - icon->GetWidth()) / 2, rect.y + (side - icon->GetHeight()) / 2);
    wxRect shifted = textRect;
    shifted.x += side;
    // Whatever of the name does not fit stays inside the cell.
    shifted.width = std::min(shifted.width, rect.GetRight() - shifted.x + 1);
    DrawCellText(grid, dc, name, shifted, hAlign, vAlign);
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
    DrawIcon(dc, *arrow, rect, rect.x + rect.width / 2 - arrow->GetWidth() / 2,
             rect.y + rect.height / 2 - arrow->GetHeight() / 2);
}

void WatchlistGridCellRenderer::DrawFlag(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect,
                                         const Price* price, int hAlign, int vAlign)
{
    if (!price || !price->instrument)
        return;
    const wxBitmap& flag = IconCache::Shared().Load(FlagIconPath(*price->instrument));
    if (flag.IsOk())
    {
        DrawIcon(dc, flag, rect, rect.x + (rect.width - flag.GetWidth()) / 2,
                 rect.y + (rect.height - flag.GetHeight()) / 2);
        return;
    }
    DrawCellText(grid, dc, wxString::FromUTF8(price->instrument->flag), textRect, hAlign, vAlign);
}

wxColour WatchlistGridCellRenderer::BarColour(const wxColour& tint, const wxColour& background)
{
    // A quarter of the tint over the cell's background, in either theme: the
    // number drawn over it keeps its contrast.
    const auto mix = [](unsigned char over, unsigned char under) {
        return static_cast<unsigned char>((over + 3 * under) / 4);
    };
    return wxColour(mix(tint.Red(), background.Red()), mix(tint.Green(), background.Green()),
                    mix(tint.Blue(), background.Blue()));
}

void WatchlistGridCellRenderer::DrawBar(wxDC& dc, const wxRect& rect, TickerdeckTable& quotes, int row, int col,
                                        const wxColour& background)
{
    const Price* price = quotes.RowPrice(row);
    if (!price)
        return;
    const double value = quotes.Styler().CellNumber(col, *price);
    if (std::isnan(value))
        return;
    const BarSpan span = BarAcross(value, quotes.Styler().BarRangeOf(col), rect.width - 2 * kBarInset);
    if (span.width <= 0)
        return;
    // Signed figures show their side; sizes (volumes, values) only their size,
    // in the text colour, not as a rise.
    const bool signedFigure = IsColumn(col) && ColumnAt(col).colourRule == ColourRule::BySign;
    const wxColour tint = value < 0                   ? quotes.Styler().GetDownColour()
                          : signedFigure              ? quotes.Styler().GetUpColour()
                          : quotes.GetView()          ? quotes.GetView()->GetDefaultCellTextColour()
                                                      : *wxLIGHT_GREY;
    dc.SetBrush(*wxTheBrushList->FindOrCreateBrush(BarColour(tint, background)));
    dc.DrawRectangle(rect.x + kBarInset + span.left, rect.y + kBarInset, span.width, rect.height - 2 * kBarInset);
}

void WatchlistGridCellRenderer::DrawTrendCell(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect,
                                              const Price* price, const wxColour& cellBackground)
{
    const auto* quotes = dynamic_cast<const TickerdeckTable*>(grid.GetTable());
    const TrendSamples* samples = quotes ? quotes->Order().GetTrendSamples() : nullptr;
    if (!price || !samples)
        return;
    std::vector<double> points = samples->Points(price);
    if (points.empty())
        return;
    const wxColour text = attr.GetTextColour().IsOk() ? attr.GetTextColour() : grid.GetDefaultCellTextColour();
    const wxColour background =
        attr.GetBackgroundColour().IsOk() ? attr.GetBackgroundColour() : grid.GetDefaultCellBackgroundColour();
    const TrendColours colours{quotes->Styler().GetUpColour(), quotes->Styler().GetDownColour(), text, background};
    // The line's smoothing reaches a pixel past its box; the selection
    // frame stays outside.
    constexpr int kSmoothing = 1;
    const wxRect area = wxRect(rect).Deflate(kTrendInset - kSmoothing);
    const double prevClose = price->prevClose;
    const TrendPictures::Look look{std::move(points), prevClose, colours.up, colours.down, text, cellBackground};
    m_trendPictures.Draw(dc, area, price, look, [&](wxDC& picture, const wxPoint& origin) {
        const wxRect cell(origin - area.GetTopLeft() + rect.GetTopLeft(), rect.GetSize());
        DrawTrend(picture, cell, look.points, prevClose, colours);
    });
}

void WatchlistGridCellRenderer::DrawTrend(wxDC& dc, const wxRect& cell, const std::vector<double>& points,
                                          double prevClose, const TrendColours& colours)
{
    const wxRect box = wxRect(cell).Deflate(kTrendInset);
    if (box.width < 2 || box.height < 2)
        return;
    const TrendShape shape = ShapeTrend(points, prevClose, box.x, box.y, box.width, box.height);
    const auto pixel = [](double at) { return static_cast<int>(std::lround(at)); };
    if (shape.baseline)
    {
        // A quarter of the text colour over the background: there to read
        // the line against, never mistaken for it.
        const auto faint = [&](unsigned char fore, unsigned char back) {
            return static_cast<unsigned char>((fore + 3 * back) / 4);
        };
        const wxColour line(faint(colours.text.Red(), colours.background.Red()),
                            faint(colours.text.Green(), colours.background.Green()),
                            faint(colours.text.Blue(), colours.background.Blue()));
        dc.SetPen(*wxThePenList->FindOrCreatePen(line, 1));
        const int y = pixel(*shape.baseline);
        dc.DrawLine(box.x, y, box.GetRight() + 1, y);
    }
    std::vector<wxPoint> corners;
    for (const TrendRun& run : shape.runs)
    {
        const wxColour& colour = run.colour == CellColour::Up     ? colours.up
                                 : run.colour == CellColour::Down ? colours.down
                                                                  : colours.text;
        corners.clear();
        for (const TrendRun::Point& point : run.points)
            corners.emplace_back(pixel(point.x), pixel(point.y));
        if (corners.size() == 1)
        {
            // One point so far: a dot where the line will start.
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(*wxTheBrushList->FindOrCreateBrush(colour));
            dc.DrawRectangle(corners[0].x - 1, corners[0].y - 1, 2, 2);
            continue;
        }
        dc.SetPen(*wxThePenList->FindOrCreatePen(colour, 1));
        dc.DrawLines(static_cast<int>(corners.size()), corners.data());
    }
}

void WatchlistGridCellRenderer::DrawIcon(wxDC& dc, const wxBitmap& icon, const wxRect& cell, int x, int y) const
{
    // An icon wider than a narrowed column must not run over its neighbours.
    if (cell.Contains(wxRect(x, y, icon.GetWidth(), icon.GetHeight())))
    {
        dc.DrawBitmap(icon, x, y, false);
        return;
    }
    wxDCClipper clipToCell(dc, cell);
    dc.DrawBitmap(icon, x, y, false);
}

void WatchlistGridCellRenderer::DrawCellText(wxGrid& grid, wxDC& dc, const wxString& text,
                                             const wxRect& textRect, int hAlign, int vAlign, int col)
{
    if (text.empty() || textRect.width <= 0 || textRect.height <= 0)
        return;
    if (text.find('\n') != wxString::npos)
    {
        grid.DrawTextRectangle(dc, text, textRect, hAlign, vAlign);
        return;
    }
    const wxSize extent = m_extents.Extent(dc, text);
    int y = textRect.y + kGridTextMargin;
    if (vAlign == wxALIGN_CENTRE)
        y = textRect.y + (textRect.height - extent.y) / 2;
    else if (vAlign == wxALIGN_BOTTOM)
        y = textRect.y + textRect.height - extent.y - kGridTextMargin;
    int x = textRect.x + kGridTextMargin;
    if (hAlign == wxALIGN_RIGHT)
        x = textRect.x + textRect.width - extent.x - kGridTextMargin;
    else if (hAlign == wxALIGN_CENTRE)
        x = textRect.x + (textRect.width - extent.x) / 2;

    // Clipping costs as much as drawing; most quote texts fit their cell.
    if (textRect.Contains(wxRect(x, y, extent.x, extent.y)))
    {
        DrawTextAt(dc, text, x, y);
        return;
    }
    const bool cutShort = x < textRect.x || x + extent.x > textRect.x + textRect.width;
    if (cutShort && col != wxNOT_FOUND && ShowsFigures(col))
    {
        DrawCutOffMark(grid, dc, textRect, hAlign, vAlign);
        if (auto* quotes = dynamic_cast<TickerdeckTable*>(grid.GetTable()))
            quotes->View().NoteCutOff(col);
        return;
    }
    wxDCClipper clipToText(dc, textRect);
    DrawTextAt(dc, text, x, y);
}

void WatchlistGridCellRenderer::DrawCutOffMark(wxGrid& grid, wxDC& dc, const wxRect& textRect, int hAlign,
                                               int vAlign)
{
    // What spreadsheets show for a number wider than its column: a row of
    // "#" that nobody reads as a figure; the tool tip gives the value.
    const int markWidth = std::max(1, m_extents.Extent(dc, wxString(kCutOffMark)).x);
    const int count = std::max(1, (textRect.width - 2 * kGridTextMargin) / markWidth);
    DrawCellText(grid, dc, wxString(count, kCutOffMark), textRect, hAlign, vAlign);
}

bool WatchlistGridCellRenderer::FitsCell(int textWidth, int cellWidth)
{
    return textWidth + 2 * (kTextInset + kGridTextMargin) <= cellWidth;
}

void WatchlistGridCellRenderer::DrawTextAt(wxDC& dc, const wxString& text, int x, int y)
{
    if (TextLayoutCache::Shared().Draw(dc, text, x, y))
        return;
    // A graphics-context DC measures every text it draws, only to track the
    // bounding box of its drawing, which the grid never asks for; the context
    // underneath draws the same glyphs in the DC's font and colour.
    if (wxGraphicsContext* context = dc.GetGraphicsContext())
        context->DrawText(text, x, y);
    else
        dc.DrawText(text, x, y);
}

wxSize WatchlistGridCellRenderer::MeasureText(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col)
{
    // Fitting columns measures the texts the paints have just measured:
    // through the same cache, a filter or a resize refits without laying
    // hundreds of texts out again. Empty and multi-line texts keep the
    // toolkit's measure, whose height counts a line for them.
    const wxString text = grid.GetCellValue(row, col);
    if (text.empty() || text.find('\n') != wxString::npos)
        return wxGridCellStringRenderer::GetBestSize(grid, attr, dc, row, col);
    dc.SetFont(attr.GetFont());
    return m_extents.Extent(dc, text);
}

wxSize WatchlistGridCellRenderer::GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col)
{
    wxSize size = MeasureText(grid, attr, dc, row, col);
    if (col == column::Name)
        size.x += kNameIconAllowance;
    if (col == column::Trend)
        size.x = kTrendWidth;
    return size;
}
