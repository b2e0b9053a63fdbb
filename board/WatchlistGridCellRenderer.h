#pragma once
// Paints the cells of a quote board grid.

#include <wx/bitmap.h>
#include <wx/grid.h>

#include "board/TrendPictures.h"
#include "kit/TextExtentCache.h"

#include <vector>

struct Price;
class TickerdeckTable;

/// Cell painter of the quote grids: own backgrounds, icons and trade arrows.
class WatchlistGridCellRenderer : public wxGridCellStringRenderer
{
public:
    WatchlistGridCellRenderer();
    ~WatchlistGridCellRenderer() override;

    void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
              bool isSelected) override;
    wxSize GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col) override;
    wxGridCellRenderer* Clone() const override;

    /// Room left of the name for its icon when columns are fitted.
    static constexpr int kNameIconAllowance = 25;
    /// Blank space left and right of a cell's text.
    static constexpr int kTextInset = 3;
    /// Whether a one-line text of that width shows whole in a cell of that
    /// width, with room to spare rather than a pixel short.
    static bool FitsCell(int textWidth, int cellWidth);

    /// Thickness of the frame around the selected rows, in the text colour.
    static constexpr int kFrameWidth = 2;

    /// Blank space between a cell's bar and its edges.
    static constexpr int kBarInset = 2;
    /// The fill of a cell's bar of the theme colour `tint` over `background`.
    static wxColour BarColour(const wxColour& tint, const wxColour& background);

    /// A trend cell's width when its column is first shown or fitted.
    static constexpr int kTrendWidth = 100;
    /// Blank space around a trend line inside its cell.
    static constexpr int kTrendInset = 3;
    /// The colours of a trend cell, from the table's theme.
    struct TrendColours
    {
        wxColour up;
        wxColour down;
        wxColour text;
        wxColour background;
    };
    /// Draws the line of `points` (oldest first) inside `cell`, with the
    /// previous close as a faint baseline when it has one.
    static void DrawTrend(wxDC& dc, const wxRect& cell, const std::vector<double>& points, double prevClose,
                          const TrendColours& colours);

private:
    wxColour BackgroundFor(const wxGrid& grid, const wxGridCellAttr& attr, int col, bool isSelected,
                           bool isFlashing) const;
    void DrawSelectionFrame(const wxGrid& grid, wxDC& dc, const wxRect& rect, int col) const;
    static int FirstShownColumn(const wxGrid& grid);
    static int LastShownColumn(const wxGrid& grid);
    void DrawName(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect, const Price* price,
                  int hAlign, int vAlign);
    void DrawTradeArrow(wxDC& dc, const wxRect& rect, const Price* price) const;
    void DrawFlag(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect, const Price* price,
                  int hAlign, int vAlign);
    /// Places one text the way the grid does, measuring it once and clipping
    /// only a text that does not fit. A figure (the text of `col`, when that
    /// column shows figures) that does not fit is not clipped but replaced
    /// by a mark, and the table hears of it.
    void DrawCellText(wxGrid& grid, wxDC& dc, const wxString& text, const wxRect& textRect, int hAlign,
                      int vAlign, int col = wxNOT_FOUND);
    /// The toolkit's best size of a cell's text, measured through the extents kept for painting.
    wxSize MeasureText(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col);
    void DrawCutOffMark(wxGrid& grid, wxDC& dc, const wxRect& textRect, int hAlign, int vAlign);
    static void DrawTextAt(wxDC& dc, const wxString& text, int x, int y);
    void DrawBar(wxDC& dc, const wxRect& rect, TickerdeckTable& quotes, int row, int col,
                 const wxColour& background);
    void DrawTrendCell(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, const Price* price,
                       const wxColour& cellBackground);
    void DrawIcon(wxDC& dc, const wxBitmap& icon, const wxRect& cell, int x, int y) const;

    wxBitmap m_upArrow;
    wxBitmap m_downArrow;
    TextExtentCache m_extents;
    TrendPictures m_trendPictures;
};
