#pragma once
// The board's notebook of tabs and their grids.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/RowTargets.h"

class Tickerdeck;
class wxFlatNotebook;
class wxFlatNotebookImageList;
class wxGridEx;
class wxString;
class wxWindow;

/// Makes the board's tabs (a grid with its table on a notebook page) and
/// closes them, finds them by page, label or stored list, follows the tab
/// the notebook shows, and holds the rows a command works on.
class BoardTabs
{
public:
    explicit BoardTabs(Tickerdeck& board);
    ~BoardTabs();
    BoardTabs(const BoardTabs&) = delete;
    BoardTabs& operator=(const BoardTabs&) = delete;

    wxFlatNotebook* Notebook() const { return m_notebook; }
    /// Every grid of the board, pages or not.
    const std::vector<wxGridEx*>& Grids() const { return m_grids; }
    /// The grid of the tab the notebook shows; null before the first tab.
    wxGridEx* CurrentGrid() const { return m_currentGrid; }

    /// A new grid (with its table) for a tab; appended to the grid list.
    wxGridEx* CreateGrid();
    /// Adds the grid's splitter as a notebook page; a selected page makes
    /// the grid the current one.
    void AddPage(wxGridEx* grid, const wxString& label, bool select);
    /// Closes the tab of `grid`: lets go of every row (hidden ones and
    /// unanswered requests too), drops its flashes and filter, forgets the
    /// grid (and the current tab when it was that one) and deletes the page.
    void Remove(wxGridEx* grid);

    /// The grid shown on a notebook page, or null.
    wxGridEx* GridOfPage(wxWindow* page) const;
    /// The first tab showing the stored watchlist `name` (compared byte for
    /// byte), whatever its label; null when none does.
    wxGridEx* FindStored(const std::string& name) const;
    /// The notebook page of `grid`, or wxNOT_FOUND.
    int PageOf(const wxGridEx* grid) const;
    /// The first notebook page labelled `label`, or wxNOT_FOUND.
    int FindPage(const wxString& label) const;

    /// Makes the grid of the page the notebook shows the current one.
    void FollowSelection();
    /// No tab is current any more: the board is going.
    void ForgetCurrentGrid() { m_currentGrid = nullptr; }

    /// What a row command works on: while a menu opened over rows is up,
    /// those rows; otherwise the current tab's selection as it is now.
    RowTargets CommandTargets() const;
    /// Commands chosen from a menu act on `targets` until UnpinTargets.
    void PinTargets(RowTargets targets);
    void UnpinTargets();

private:
    void BindGridEvents(wxGridEx* grid);
    /// Gives the grid the keyboard, with a row selected for the keys to act on.
    void HandKeyboardTo(wxGridEx* grid);

    Tickerdeck& m_board;
    wxFlatNotebook* m_notebook = nullptr;
    // The notebook only borrows its image list.
    std::unique_ptr<wxFlatNotebookImageList> m_imageList;
    std::vector<wxGridEx*> m_grids;
    wxGridEx* m_currentGrid = nullptr;
    std::optional<RowTargets> m_pinnedTargets;
};
