// Cell texts drawn by the quote renderer land on exactly the pixels the
// grid's own text drawing would use: alignment, insets and clipping.

#include <string>

#include <wx/dcmemory.h>
#include <wx/image.h>

#include "model/ColumnSpec.h"
#include "board/TextExtentCache.h"
#include "support/QuoteGridFixture.h"

namespace {

class RendererTextTest : public testing_support::QuoteGridFixture
{
protected:
    void SetUp() override
    {
        QuoteGridFixture::SetUp();
        price = Add(1234.5, 1200.0);
        price->instrument->code = "WDGT";
        price->instrument->name = "Widget Works International Holdings";
        price->change = 34.5;
        price->changePercent = 2.875;
        testing_support::Flush();
    }

    /// A white canvas holding `cell` with room around it; `paint` draws on it.
    template <typename Paint>
    static wxImage Canvas(const wxRect& cell, Paint paint)
    {
        wxBitmap bitmap(cell.GetRight() + 10, cell.GetBottom() + 10);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            paint(dc);
        }
        return bitmap.ConvertToImage();
    }

    /// The cell as the quote renderer paints it.
    wxImage Rendered(int col, const wxRect& cell)
    {
        return Canvas(cell, [&](wxDC& dc) {
            wxGridCellAttrPtr attr(grid->GetCellAttr(0, col));
            renderer->Draw(*grid, *attr, dc, cell, 0, col, false);
        });
    }

    /// The same cell background with the text placed by the grid itself.
    wxImage Reference(int col, const wxRect& cell)
    {
        return Canvas(cell, [&](wxDC& dc) {
            wxGridCellAttrPtr attr(grid->GetCellAttr(0, col));
            table->RestyleForPaint(*attr, 0, col);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(attr->GetBackgroundColour()));
            dc.DrawRectangle(cell);
            dc.SetFont(attr->GetFont());
            dc.SetTextForeground(attr->GetTextColour());
            dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
            int hAlign = wxALIGN_RIGHT;
            int vAlign = wxALIGN_INVALID;
            attr->GetNonDefaultAlignment(&hAlign, &vAlign);
            wxRect textRect = cell;
            textRect.x += WatchlistGridCellRenderer::kTextInset;
            textRect.width -= 2 * WatchlistGridCellRenderer::kTextInset;
            wxDCClipper clip(dc, cell);
            grid->DrawTextRectangle(dc, table->GetValue(0, col), textRect, hAlign, vAlign);
        });
    }

    static std::string FirstDifference(const wxImage& a, const wxImage& b)
    {
        for (int y = 0; y < a.GetHeight(); ++y)
            for (int x = 0; x < a.GetWidth(); ++x)
                if (a.GetRed(x, y) != b.GetRed(x, y) || a.GetGreen(x, y) != b.GetGreen(x, y) ||
                    a.GetBlue(x, y) != b.GetBlue(x, y))
                    return "pixel " + std::to_string(x) + "," + std::to_string(y);
        return std::string();
    }

    Price* price = nullptr;
};

TEST_F(RendererTextTest, TextsSitWhereTheGridWouldPutThem)
{
    // Right-aligned numbers, left-aligned codes, a name too long for its
    // cell (the reference clips it to the cell), in cells of a few heights;
    // twice each, the second time measured from the renderer's memory.
    for (int col : {column::Last, column::ChangePercent, column::Code, column::Name})
        for (int height : {18, 25, 31})
            for (int pass = 0; pass < 2; ++pass)
            {
                SCOPED_TRACE("column " + std::to_string(col) + ", height " + std::to_string(height));
                const wxRect cell(5, 4, col == column::Name ? 90 : 110, height);
                const wxImage rendered = Rendered(col, cell);
                const wxImage reference = Reference(col, cell);
                ASSERT_EQ(FirstDifference(rendered, reference), "");
            }
}

TEST(TextExtentCacheTest, ExtentsFollowTheFontOfTheDC)
{
    wxBitmap bitmap(10, 10);
    wxMemoryDC dc(bitmap);
    const wxFont small(wxFontInfo(8));
    const wxFont large(wxFontInfo(20).Bold());
    TextExtentCache cache;
    for (int round = 0; round < 2; ++round)
        for (const wxFont& font : {small, large, wxFont(small)})
            for (const wxString text : {"1,234.50", "WDGT", "-0.03533"})
            {
                dc.SetFont(font);
                EXPECT_EQ(cache.Extent(dc, text), dc.GetTextExtent(text)) << text << " in " << font.GetPointSize();
            }
    EXPECT_LE(cache.Size(), 3u) << "texts of an earlier font were kept";
}

}  // namespace
