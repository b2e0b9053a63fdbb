#pragma once
// Paints the cells of a quote board grid.

#include <wx/bitmap.h>
#include <wx/grid.h>

struct Price;

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

private:
    wxColour BackgroundFor(const wxGrid& grid, const wxGridCellAttr& attr, int col, bool isSelected) const;
    void DrawName(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect, const Price* price,
                  int hAlign, int vAlign) const;
    void DrawTradeArrow(wxDC& dc, const wxRect& rect, const Price* price) const;
    void DrawFlag(wxGrid& grid, wxDC& dc, const wxRect& rect, const wxRect& textRect, const Price* price,
                  int hAlign, int vAlign) const;

    wxBitmap m_upArrow;
    wxBitmap m_downArrow;
};
