#pragma once
// The widths of the columns of a board's tabs.

#include <cstdint>
#include <vector>

class Tickerdeck;
class wxGridEx;
class wxGridSizeEvent;
class wxMouseEvent;
class wxSizeEvent;

/// Fits the columns of the board's tabs to their contents and stretches
/// them to the window, where the board's settings fit them, and shows a
/// figure cut off in a narrow cell as the cell's tool tip.
class ColumnFitter
{
public:
    explicit ColumnFitter(Tickerdeck& board) : m_board(board) {}
    ColumnFitter(const ColumnFitter&) = delete;
    ColumnFitter& operator=(const ColumnFitter&) = delete;

    void FitColumns(wxGridEx* grid);
    void FitAllColumns();
    /// A paint of `grid` found figures wider than their columns (a bit per
    /// column id): where the columns are fitted, they are fitted again.
    void WidenCutOffColumns(wxGridEx* grid, uint32_t columns);
    /// Gives the figure under the pointer as a tool tip when its cell shows it cut off.
    void ShowCutOffFigure(wxMouseEvent& event);
    void OnGridSize(wxSizeEvent& event);
    /// Notes where a press on the column headers was and the widths then.
    void OnColumnLabelsPressed(wxMouseEvent& event);
    /// Notes where that press ended, just before the grid takes a drag's end.
    void OnColumnLabelsReleased(wxMouseEvent& event);
    /// A column dragged to a width of the user's: fitting goes off.
    void OnColumnDragged(wxGridSizeEvent& event);

private:
    /// Sets the content widths, then stretches them to the window as fitting does.
    void FitColumnsTo(wxGridEx* grid, std::vector<int> widths);

    Tickerdeck& m_board;
    // The headers pressed last, where, and their widths then: a click on a
    // column edge still ends in a size event, the edge put where the click
    // was. Only compared, never followed.
    const wxGridEx* m_pressedGrid = nullptr;
    std::vector<int> m_widthsAtPress;
    int m_pressX = 0;
    int m_releaseX = 0;
};
