#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <wx/prntbase.h>

#include "ControlsApi.h"
#include "GridPageLayout.h"

class wxDC;
class wxGrid;

/// Prints the shown rows and columns of a grid as it is when a page is
/// drawn: the title and the column labels on every page, columns that do
/// not fit split across pages, and the page number at the foot. A grid
/// destroyed while its printout lives leaves blank pages behind.
class CONTROLS_API wxGridPrintout : public wxPrintout
{
public:
    wxGridPrintout(wxGrid* grid, const wxString& title);
    ~wxGridPrintout() override;

    void OnPreparePrinting() override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* selPageFrom, int* selPageTo) override;
    bool OnPrintPage(int page) override;

    /// Columns that identify a row (a number, a code, a name): when the
    /// shown columns need more than one page across, those of them that
    /// are shown start every page, as spreadsheets repeat title columns;
    /// the last ones are left out while they would leave less than a third
    /// of a page for the other columns.
    void SetRepeatedColumns(std::vector<int> columns) { m_repeatIds = std::move(columns); }

    /// What a cell looks like beyond its text, asked for each printed cell:
    /// false leaves it plain; true gives its text colour and fill (either
    /// may be invalid for none) and whether it is bold.
    using CellLook = std::function<bool(int row, int col, wxColour* text, wxColour* fill, bool* bold)>;
    void SetCellLook(CellLook look) { m_look = std::move(look); }

    int PageCount() const { return m_layout.PageCount(); }
    /// The grid rows and columns a page (numbered from 1) shows, in order.
    std::vector<int> RowsOnPage(int page) const;
    std::vector<int> ColumnsOnPage(int page) const;

private:
    class GridWatch;

    /// The page in logical units, which are screen pixels: the grid's sizes
    /// print as large as they look on screen.
    wxSize LogicalPageSize() const;
    int Margin() const;
    int LineHeight() const;
    int HeaderHeight() const;

    void DrawTitle(wxDC& dc, const wxRect& area) const;
    int DrawColumnLabels(wxDC& dc, const std::vector<int>& columns, wxPoint at) const;
    void DrawRows(wxDC& dc, const std::vector<int>& rows, const std::vector<int>& columns, wxPoint at) const;
    void DrawPageNumber(wxDC& dc, int page, const wxRect& area) const;

    std::shared_ptr<GridWatch> m_watch;
    CellLook m_look;
    GridPageLayout m_layout;
    std::vector<int> m_shownRows;      // grid rows, top to bottom
    std::vector<int> m_shownColumns;   // grid columns, left to right as shown, the repeated ones aside
    std::vector<int> m_repeatIds;      // asked for
    std::vector<int> m_repeated;       // shown and repeated on every page, left to right as shown
};
