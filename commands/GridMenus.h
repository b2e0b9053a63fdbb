#pragma once
// The pop-up menus of a board's grid: on a cell, on the empty grid area and
// on a column header.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/string.h>
#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "board/RowTargets.h"

class ComputedColumnDialog;
class wxMenu;
class wxWindow;

/// Builds and shows the grid's three menus and carries out what their
/// dynamic items (columns, watchlists) stand for.
class GridMenus : public BoardFeature
{
public:
    /// Shows a built menu; the default pops it up at the mouse on the board.
    using Popup = std::function<void(Tickerdeck& board, wxMenu& menu)>;
    /// Offers every name in a searchable list and calls back with the choice.
    using Chooser = std::function<void(Tickerdeck& board, const wxString& title, std::vector<wxString> names,
                                       std::function<void(const wxString&)> onChosen)>;

    /// Ids of the dynamic items. Each watchlist range ends before the next
    /// one begins; the tab menu's delete range starts at 7691.
    static constexpr int kFirstColumnId = 7189;
    static constexpr int kFirstAddId = 7290;
    static constexpr int kFirstMoveId = 7491;
    static constexpr int kListedWatchlists = 200;

    GridMenus();
    ~GridMenus() override;

    std::vector<BoardEventKind> EventKinds() const override;
    void OnGridEvent(Tickerdeck& board, BoardEventKind kind, wxGridEvent& event) override;
    void OnGridMouse(Tickerdeck& board, BoardEventKind kind, wxMouseEvent& event) override;

    /// The menu of a right click on `row` of the current tab, after the
    /// selection has been settled into `targets`, the rows its commands act on.
    std::unique_ptr<wxMenu> BuildCellMenu(Tickerdeck& board, const RowTargets& targets, int row);
    std::unique_ptr<wxMenu> BuildGridAreaMenu(Tickerdeck& board);
    /// The header menu of column `clicked`: new, and for a computed column
    /// edit and remove, then every column to show or hide.
    std::unique_ptr<wxMenu> BuildColumnMenu(Tickerdeck& board, int clicked = -1);
    /// Opens the dialog for a new computed column of the current tab, or for
    /// computed column `index` when it is one of them.
    ComputedColumnDialog* OpenColumnDialog(Tickerdeck& board, size_t index);

    void SetPopup(Popup popup) { m_popup = std::move(popup); }
    void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

private:
    void Show(Tickerdeck& board, wxMenu& menu);
    void OnCellRightClick(Tickerdeck& board, wxGridEvent& event);
    /// Adds or moves rows to a named watchlist.
    using WatchlistCommand = void (*)(Tickerdeck&, const RowTargets&, const std::string&);
    void AppendWatchlistMenus(Tickerdeck& board, const RowTargets& targets, wxMenu& menu);
    wxMenu* WatchlistSubmenu(Tickerdeck& board, const RowTargets& targets,
                             const std::vector<std::string>& names, int firstId, const wxString& chooserTitle,
                             WatchlistCommand command);
    void AppendSharedSubmenus(Tickerdeck& board, wxMenu& menu);
    /// Colour rules and column sets, handled by their own feature.
    static void AppendColumnSetItems(wxMenu& menu);
    static void AppendColumnItems(Tickerdeck& board, wxMenu& menu);

    Popup m_popup;
    Chooser m_chooser;
    wxWeakRef<ComputedColumnDialog> m_columnDialog;
};
