// Building a tab's grid, closing a tab, finding tabs, and following the
// tab the notebook shows.

#include "board/BoardTabs.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <wx/grid.h>

#include "board/BoardColours.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "contract/CommandIds.h"
#include "contract/Theme.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "kit/PngFile.h"
#include "model/ColumnSpec.h"

namespace {

constexpr int kColumnLabelHeight = 24;
constexpr int kRowHeight = 22;

/// Flat tabs with a line under the tab strip.
constexpr long kNotebookStyle = wxFLATNB_FLAT_TABS | wxFLATNB_STRIP_LINE;
static_assert(kNotebookStyle == 72, "the notebook's style changed with the controls library");

// Two bars on the tab of a paused sort.
wxBitmap PauseMark()
{
    constexpr int kSide = 16;
    wxImage image(kSide, kSide);
    image.InitAlpha();
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
        {
            const bool bar = y >= 3 && y < 13 && ((x >= 4 && x < 7) || (x >= 9 && x < 12));
            image.SetRGB(x, y, 128, 128, 128);
            image.SetAlpha(x, y, bar ? 255 : 0);
        }
    return wxBitmap(image);
}

void ConfigureGridBehaviour(wxGridEx* grid)
{
    grid->EnableDragColMove(true);
    grid->EnableDragColSize(true);
    grid->EnableEditing(false);
    grid->DisableCellEditControl();
    grid->EnableDragRowSize(false);
    grid->EnableDragGridSize(false);
    grid->SetScrollRate(1, 1);
    grid->EnableGridLines(true);
    grid->HideRowLabels();
    grid->UseNativeColHeader(false);
    grid->SetUseNativeColLabels(true);
}

}  // namespace

BoardTabs::BoardTabs(Tickerdeck& board)
    : m_board(board), m_imageList(std::make_unique<wxFlatNotebookImageList>())
{
    m_notebook = new wxFlatNotebook(&board, cmd::Notebook, wxDefaultPosition, wxSize(23, 23), kNotebookStyle,
                                    "Flat Notebook");
    m_notebook->SetPadding(wxSize(10, 10));
    ApplyNotebookColours(m_notebook, board.GetTheme());
    m_imageList->Add(LoadPngOrBlank("./icon/list.png"));
    m_imageList->Add(PauseMark());
    m_notebook->SetImageList(m_imageList.get());
    m_notebook->SetTabToolTipSource([this](size_t index) { return m_board.Looks().TabToolTip(index); });
}

BoardTabs::~BoardTabs()
{
    // The notebook outlives us until the window's children go.
    m_notebook->SetImageList(nullptr);
}

wxGridEx* BoardTabs::CreateGrid()
{
    auto* grid = new wxGridEx(&m_board, wxID_ANY, wxPoint(0, 0), wxSize(400, 300),
                              wxHSCROLL | wxVSCROLL, wxPanelNameStr);
    auto* table = new TickerdeckTable();
    table->CanHaveAttributes();  // makes the table create its attribute provider
    grid->SetTable(table, true, wxGrid::wxGridSelectRows);
    grid->SetDefaultRenderer(new WatchlistGridCellRenderer());
    ConfigureGridBehaviour(grid);
    table->Format().volumeInThousands = m_board.Settings().volumeInThousands;
    table->Styler().SetQuoteAges(&m_board.Quotes().Ages());
    table->Order().SetTrendSamples(&m_board.Trends().Samples());

    ApplyGridColours(grid, m_board.GetTheme());
    grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    grid->SetCellHighlightPenWidth(0);
    grid->SetColLabelSize(kColumnLabelHeight);
    grid->SetDefaultRowSize(kRowHeight);
    // Drawn columns cost samples and paint time: shown only when asked for,
    // and by a layout that saved them shown.
    for (int col = 0; col < grid->GetNumberCols(); ++col)
        if (IsDrawnColumn(col))
        {
            grid->SetColSize(col, WatchlistGridCellRenderer::kTrendWidth);
            grid->HideCol(col);
        }

    BindGridEvents(grid);
    table->View().SetCutOffHandler([this, grid](uint32_t columns) { m_board.Fitter().WidenCutOffColumns(grid, columns); });
    // The grid owns the table: the table lives as long as the grid calls it.
    grid->SetBeforePaint([table] { table->Filter().DropRowsOnScreenItRefuses(); });
    // No sort column yet. The direction flag survives the unset, and the sort
    // cycle sorts against it, so an ascending flag makes the first header
    // click sort descending: the biggest movers and prices come first.
    grid->SetSortingColumn(0, true);
    grid->UnsetSortingColumn();

    m_grids.push_back(grid);
    return grid;
}

void BoardTabs::BindGridEvents(wxGridEx* grid)
{
    FeatureRouter& features = m_board.Features();
    ColumnFitter& fitter = m_board.Fitter();
    wxWindow* cells = grid->GetGridWindow();
    cells->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        m_board.Fitter().ShowCutOffFigure(event);
        m_board.Features().ForwardGridMouse(BoardEventKind::GridMotion, event);
    });
    cells->Bind(wxEVT_KEY_DOWN, &FeatureRouter::OnGridKeyDown, &features);
    cells->Bind(wxEVT_CHAR, &FeatureRouter::OnGridChar, &features);
    cells->Bind(wxEVT_RIGHT_UP, [this](wxMouseEvent& event) {
        m_board.Features().ForwardGridMouse(BoardEventKind::GridRightUp, event);
    });
    for (const auto& button : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MIDDLE_DOWN,
                               wxEVT_MIDDLE_UP})
        cells->Bind(button, &TabSorting::OnGridButton, &m_board.Sorting());
    grid->Bind(wxEVT_SIZE, &ColumnFitter::OnGridSize, &fitter);
    grid->Bind(wxEVT_GRID_COL_SIZE, &ColumnFitter::OnColumnDragged, &fitter);
    // The grid paints every pixel itself; erasing first only flickers.
    grid->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
    if (wxWindow* labels = grid->GetGridColLabelWindow())
    {
        labels->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
        labels->Bind(wxEVT_LEFT_DOWN, &ColumnFitter::OnColumnLabelsPressed, &fitter);
        labels->Bind(wxEVT_LEFT_UP, &ColumnFitter::OnColumnLabelsReleased, &fitter);
    }
}

void BoardTabs::AddPage(wxGridEx* grid, const wxString& label, bool select)
{
    m_notebook->AddPage(grid->GetSplitter(), label, select);
    // The first page is shown without a page-changed event; whatever page
    // the notebook shows is the one that gets the quotes.
    const int shown = m_notebook->GetSelection();
    wxWindow* shownPage = shown == wxNOT_FOUND ? nullptr : m_notebook->GetPage(static_cast<size_t>(shown));
    if (GridOfPage(shownPage) != m_currentGrid)
        FollowSelection();
}

void BoardTabs::Remove(wxGridEx* grid)
{
    const auto listed = std::find(m_grids.begin(), m_grids.end(), grid);
    if (listed == m_grids.end())
        return;
    wxWindow* page = grid->GetSplitter();
    m_board.Rows().ClearRows(grid);
    // The table only borrows its filter; the map owns it.
    Tickerdeck::TableOf(grid)->Filter().Set(nullptr);
    m_board.Looks().TabFilters().erase(page);
    m_grids.erase(listed);
    if (m_currentGrid == grid)
        m_currentGrid = nullptr;
    for (size_t index = 0; index < m_notebook->GetPageCount(); ++index)
        if (m_notebook->GetPage(index) == page)
        {
            m_notebook->DeletePage(index);
            break;
        }
}

int BoardTabs::FindPage(const wxString& label) const
{
    for (size_t page = 0; page < m_notebook->GetPageCount(); ++page)
        if (m_notebook->GetPageText(page) == label)
            return static_cast<int>(page);
    return wxNOT_FOUND;
}

wxGridEx* BoardTabs::FindStored(const std::string& name) const
{
    for (size_t page = 0; page < m_notebook->GetPageCount(); ++page)
    {
        wxGridEx* grid = GridOfPage(m_notebook->GetPage(page));
        const TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
        if (table && table->Identity().tabType == layout::kStoredWatchlistTab && table->Identity().watchlistName == name)
            return grid;
    }
    return nullptr;
}

int BoardTabs::PageOf(const wxGridEx* grid) const
{
    for (size_t page = 0; page < m_notebook->GetPageCount(); ++page)
        if (grid && m_notebook->GetPage(page) == grid->GetSplitter())
            return static_cast<int>(page);
    return wxNOT_FOUND;
}

wxGridEx* BoardTabs::GridOfPage(wxWindow* page) const
{
    if (!page)
        return nullptr;
    const wxWindowList& children = page->GetChildren();
    wxWindow* first = children.empty() ? nullptr : children.front();
    if (auto* grid = wxDynamicCast(first, wxGridEx))
        return grid;
    if (first && !first->GetChildren().empty())
        if (auto* grid = wxDynamicCast(first->GetChildren().front(), wxGridEx))
            return grid;
    // Pages are normally a grid's splitter; fall back to asking the grids.
    for (wxGridEx* grid : m_grids)
        if (grid->GetSplitter() == page)
            return grid;
    return nullptr;
}

void BoardTabs::FollowSelection()
{
    const int selection = m_notebook->GetSelection();
    wxGridEx* grid = selection == wxNOT_FOUND ? nullptr : GridOfPage(m_notebook->GetPage(static_cast<size_t>(selection)));
    m_currentGrid = grid;
    if (!grid)
        return;
    // Only the current tab follows the quotes: the others' rows may have
    // changed their filter verdicts and their order meanwhile.
    TabSorting& sorting = m_board.Sorting();
    sorting.TabShown(grid);
    if (Tickerdeck::TableOf(grid)->Filter().Get())
        sorting.RearrangeRows(grid);
    else
        sorting.SortByItsColumn(grid);
    HandKeyboardTo(grid);
}

void BoardTabs::HandKeyboardTo(wxGridEx* grid)
{
    // The page that had the focus is hidden now, and the toolkit passes the
    // focus on to whatever it finds; the keys belong to the grid on show,
    // and they act on its selected row, so there is one.
    const int rows = grid->GetNumberRows();
    if (rows > 0 && TopSelectedRow(grid) < 0)
        grid->SelectRow(std::clamp(grid->GetGridCursorRow(), 0, rows - 1));
    grid->GetGridWindow()->SetFocus();
}

RowTargets BoardTabs::CommandTargets() const
{
    if (!m_pinnedTargets)
        return SelectedTargets(m_currentGrid);
    // A tab closed under an open menu takes its rows along.
    if (std::find(m_grids.begin(), m_grids.end(), m_pinnedTargets->grid) == m_grids.end())
        return RowTargets();
    return *m_pinnedTargets;
}

void BoardTabs::PinTargets(RowTargets targets)
{
    m_pinnedTargets = std::move(targets);
    // The menu's own line names these rows; under it they stay in place.
    m_board.Sorting().HoldForMenu(true);
}

void BoardTabs::UnpinTargets()
{
    m_pinnedTargets.reset();
    m_board.Sorting().HoldForMenu(false);
}
