#include "wxGridPrintout.h"

#include <algorithm>

#include <wx/dc.h>
#include <wx/grid.h>
#include <wx/intl.h>

namespace {

// US legal paper, used until the print framework reports the real page.
constexpr double kFallbackPageWidthMM = 215.9;
constexpr double kFallbackPageHeightMM = 355.6;
constexpr double kMarginMM = 12.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr int kCellPadding = 3;

const wxColour kLineColour(160, 160, 160);
const wxColour kLabelBackground(230, 230, 230);

}  // namespace

/// Notices the grid's destruction so that a printout kept by an open
/// preview never reaches a grid that is gone.
class wxGridPrintout::GridWatch
{
public:
    explicit GridWatch(wxGrid* grid) : m_grid(grid)
    {
        if (m_grid)
            m_grid->Bind(wxEVT_DESTROY, &GridWatch::OnDestroy, this);
    }
    ~GridWatch()
    {
        if (m_grid)
            m_grid->Unbind(wxEVT_DESTROY, &GridWatch::OnDestroy, this);
    }
    GridWatch(const GridWatch&) = delete;
    GridWatch& operator=(const GridWatch&) = delete;

    wxGrid* Grid() const { return m_grid; }

private:
    void OnDestroy(wxWindowDestroyEvent& event)
    {
        if (event.GetEventObject() == m_grid)
            m_grid = nullptr;
        event.Skip();
    }

    wxGrid* m_grid;
};

wxGridPrintout::wxGridPrintout(wxGrid* grid, const wxString& title)
    : wxPrintout(title), m_watch(std::make_shared<GridWatch>(grid))
{
}

wxGridPrintout::~wxGridPrintout() = default;

wxSize wxGridPrintout::LogicalPageSize() const
{
    int widthMM = 0, heightMM = 0, ppiX = 0, ppiY = 0;
    GetPageSizeMM(&widthMM, &heightMM);
    GetPPIScreen(&ppiX, &ppiY);
    const double width = widthMM > 0 ? widthMM : kFallbackPageWidthMM;
    const double height = heightMM > 0 ? heightMM : kFallbackPageHeightMM;
    if (ppiX <= 0)
        ppiX = 96;
    if (ppiY <= 0)
        ppiY = 96;
    return wxSize(static_cast<int>(width * ppiX / kMillimetresPerInch),
                  static_cast<int>(height * ppiY / kMillimetresPerInch));
}

int wxGridPrintout::Margin() const
{
    int ppiX = 0, ppiY = 0;
    GetPPIScreen(&ppiX, &ppiY);
    return static_cast<int>(kMarginMM * (ppiX > 0 ? ppiX : 96) / kMillimetresPerInch);
}

int wxGridPrintout::LineHeight() const
{
    const wxGrid* grid = m_watch->Grid();
    return grid ? std::max(grid->GetDefaultRowSize(), 12) : 20;
}

int wxGridPrintout::HeaderHeight() const
{
    const wxGrid* grid = m_watch->Grid();
    const int labels = grid ? std::max(grid->GetColLabelSize(), LineHeight()) : LineHeight();
    return LineHeight() + labels;   // the title line, then the column labels
}

void wxGridPrintout::OnPreparePrinting()
{
    m_shownRows.clear();
    m_shownColumns.clear();
    m_repeated.clear();
    std::vector<int> widths;
    std::vector<int> heights;
    const wxSize page = LogicalPageSize();
    const int margin = Margin();
    const int bodyWidth = page.x - 2 * margin;
    if (wxGrid* grid = m_watch->Grid())
    {
        int total = 0;
        int repeatedWidth = 0;
        for (int pos = 0; pos < grid->GetNumberCols(); ++pos)
        {
            const int col = grid->GetColAt(pos);
            if (!grid->IsColShown(col))
                continue;
            total += grid->GetColSize(col);
            if (std::find(m_repeatIds.begin(), m_repeatIds.end(), col) != m_repeatIds.end())
            {
                m_repeated.push_back(col);
                repeatedWidth += grid->GetColSize(col);
            }
        }
        // Repeated only where the columns need several pages across, and
        // only as many as leave a third of a page for the others: the last
        // asked for goes first.
        if (total <= bodyWidth)
            m_repeated.clear();
        for (auto asked = m_repeatIds.rbegin();
             asked != m_repeatIds.rend() && 3 * repeatedWidth > 2 * bodyWidth; ++asked)
        {
            const auto repeated = std::find(m_repeated.begin(), m_repeated.end(), *asked);
            if (repeated == m_repeated.end())
                continue;
            repeatedWidth -= grid->GetColSize(*asked);
            m_repeated.erase(repeated);
        }
        for (int pos = 0; pos < grid->GetNumberCols(); ++pos)
        {
            const int col = grid->GetColAt(pos);
            if (grid->IsColShown(col) &&
                std::find(m_repeated.begin(), m_repeated.end(), col) == m_repeated.end())
            {
                m_shownColumns.push_back(col);
                widths.push_back(grid->GetColSize(col));
            }
        }
        const int rows = grid->GetNumberRows();
        m_shownRows.reserve(rows);
        heights.reserve(rows);
        for (int row = 0; row < rows; ++row)
        {
            const int height = grid->GetRowSize(row);
            if (height > 0)
            {
                m_shownRows.push_back(row);
                heights.push_back(height);
            }
        }
    }
    int repeatedWidth = 0;
    if (const wxGrid* grid = m_watch->Grid())
        for (int col : m_repeated)
            repeatedWidth += grid->GetColSize(col);
    // The footer takes a line below the cells.
    const int bodyHeight = page.y - 2 * margin - HeaderHeight() - LineHeight();
    m_layout = GridPageLayout(widths, heights, bodyWidth - repeatedWidth, bodyHeight);
}

bool wxGridPrintout::HasPage(int page)
{
    return page >= 1 && page <= m_layout.PageCount();
}

void wxGridPrintout::GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo)
{
    *minPage = 1;
    *maxPage = m_layout.PageCount();
    *selPageFrom = 1;
    *selPageTo = m_layout.PageCount();
}

std::vector<int> wxGridPrintout::RowsOnPage(int page) const
{
    const GridPageLayout::Band band = m_layout.RowsOfPage(page);
    std::vector<int> rows;
    for (int index = band.first; index <= band.last; ++index)
        rows.push_back(m_shownRows[index]);
    return rows;
}

std::vector<int> wxGridPrintout::ColumnsOnPage(int page) const
{
    const GridPageLayout::Band band = m_layout.ColumnsOfPage(page);
    std::vector<int> columns = band.last >= band.first ? m_repeated : std::vector<int>();
    for (int index = band.first; index <= band.last; ++index)
        columns.push_back(m_shownColumns[index]);
    return columns;
}

bool wxGridPrintout::OnPrintPage(int page)
{
    wxDC* dc = GetDC();
    if (!dc || !HasPage(page))
        return false;
    const wxSize logical = LogicalPageSize();
    int dcWidth = 0, dcHeight = 0;
    dc->GetSize(&dcWidth, &dcHeight);
    const double scale = std::min(static_cast<double>(dcWidth) / logical.x, static_cast<double>(dcHeight) / logical.y);
    dc->SetUserScale(scale, scale);
    dc->SetDeviceOrigin(0, 0);
    dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc->SetTextForeground(*wxBLACK);

    const int margin = Margin();
    const wxRect area(margin, margin, logical.x - 2 * margin, logical.y - 2 * margin);
    DrawTitle(*dc, area);
    const std::vector<int> columns = ColumnsOnPage(page);
    const int labelsBottom = DrawColumnLabels(*dc, columns, wxPoint(area.x, area.y + LineHeight()));
    DrawRows(*dc, RowsOnPage(page), columns, wxPoint(area.x, labelsBottom));
    DrawPageNumber(*dc, page, area);
    return true;
}

void wxGridPrintout::DrawTitle(wxDC& dc, const wxRect& area) const
{
    const wxGrid* grid = m_watch->Grid();
    wxFont font = grid ? grid->GetLabelFont() : *wxNORMAL_FONT;
    dc.SetFont(font.Bold());
    dc.DrawLabel(GetTitle(), wxRect(area.x, area.y, area.width, LineHeight()), wxALIGN_LEFT | wxALIGN_CENTRE_VERTICAL);
}

int wxGridPrintout::DrawColumnLabels(wxDC& dc, const std::vector<int>& columns, wxPoint at) const
{
    wxGrid* grid = m_watch->Grid();
    if (!grid)
        return at.y;
    const int height = HeaderHeight() - LineHeight();
    dc.SetFont(grid->GetLabelFont());
    dc.SetPen(wxPen(kLineColour));
    dc.SetBrush(wxBrush(kLabelBackground));
    for (int col : columns)
    {
        const wxRect cell(at.x, at.y, grid->GetColSize(col), height);
        dc.DrawRectangle(cell);
        wxDCClipper clip(dc, cell);
        dc.DrawLabel(grid->GetColLabelValue(col), cell.Deflate(kCellPadding, 0), wxALIGN_CENTRE);
        at.x += cell.width;
    }
    return at.y + height;
}

void wxGridPrintout::DrawRows(wxDC& dc, const std::vector<int>& rows, const std::vector<int>& columns,
                              wxPoint at) const
{
    wxGrid* grid = m_watch->Grid();
    if (!grid)
        return;
    dc.SetFont(grid->GetDefaultCellFont());
    dc.SetPen(wxPen(kLineColour));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    // Quotes may have removed rows since the pages were counted.
    const int rowCount = grid->GetNumberRows();
    for (int row : rows)
    {
        if (row >= rowCount)
            break;
        const int height = grid->GetRowSize(row);
        int x = at.x;
        for (int col : columns)
        {
            const wxRect cell(x, at.y, grid->GetColSize(col), height);
            wxColour text;
            wxColour fill;
            bool bold = false;
            const bool looks = m_look && m_look(row, col, &text, &fill, &bold);
            if (looks && fill.IsOk())
                dc.SetBrush(wxBrush(fill));
            dc.DrawRectangle(cell);
            if (looks)
            {
                dc.SetBrush(*wxTRANSPARENT_BRUSH);
                dc.SetTextForeground(text.IsOk() ? text : *wxBLACK);
                dc.SetFont(bold ? grid->GetDefaultCellFont().Bold() : grid->GetDefaultCellFont());
            }
            int horizontal = wxALIGN_LEFT, vertical = wxALIGN_CENTRE_VERTICAL;
            grid->GetCellAlignment(row, col, &horizontal, &vertical);
            if (horizontal == wxALIGN_INVALID)
                horizontal = wxALIGN_LEFT;
            wxDCClipper clip(dc, cell);
            dc.DrawLabel(grid->GetCellValue(row, col), cell.Deflate(kCellPadding, 0),
                         horizontal | wxALIGN_CENTRE_VERTICAL);
            if (looks)
            {
                dc.SetTextForeground(*wxBLACK);
                dc.SetFont(grid->GetDefaultCellFont());
            }
            x += cell.width;
        }
        at.y += height;
    }
}

void wxGridPrintout::DrawPageNumber(wxDC& dc, int page, const wxRect& area) const
{
    const wxGrid* grid = m_watch->Grid();
    dc.SetFont(grid ? grid->GetDefaultCellFont() : *wxNORMAL_FONT);
    const wxRect footer(area.x, area.GetBottom() - LineHeight(), area.width, LineHeight());
    dc.DrawLabel(wxString::Format(_("Page %d of %d"), page, m_layout.PageCount()), footer,
                 wxALIGN_CENTRE_HORIZONTAL | wxALIGN_BOTTOM);
}
