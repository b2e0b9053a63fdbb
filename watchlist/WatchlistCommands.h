#pragma once
// The board's watchlist commands: the tab strip's menu, New, Edit and
// Rename Watchlist, Delete Tab and Delete Watchlist.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/recguard.h>
#include <wx/string.h>
#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "kit/ThemedDialog.h"
#include "layout/TabSource.h"
#include "watchlist/TextEntryDialog.h"
#include "watchlist/WatchlistEditor.h"
#include "watchlist/WatchlistTabs.h"

class TabMenu;
namespace store
{
class WatchlistStoreService;
struct StoreChange;
} // namespace store
class wxContextMenuEvent;
class wxFlatNotebookEvent;
class wxGridEx;

/// Owns the tab menu (rebuilt on the first idle time, after any change of
/// the shared store and after a theme change, at the latest when it opens) and carries out the
/// commands of its items and of the "+" tool and the grid menus' "Edit...".
class WatchlistCommands : public BoardFeature
{
public:
    /// Shows an error to the user.
    using ErrorReport = std::function<void(wxWindow* parent, const wxString& message, const wxString& caption)>;

    explicit WatchlistCommands(Tickerdeck& board);
    ~WatchlistCommands() override;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;
    /// Stores the lists of stored tabs that the store lacks.
    void SaveLayout(Tickerdeck& board, layout::Tree& node) override;

    /// Replaces the tab menu with one of the host's exchanges and the
    /// stored watchlists as they are now.
    void RebuildTabMenu();
    TabMenu* GetTabMenu() const { return m_menu.get(); }

    void NewWatchlist();
    void EditWatchlist();
    void RenameWatchlist();
    void DeleteTab();
    void DeleteWatchlist(const std::string& name);
    /// Opens a stored watchlist as the tab menu's "Watchlists" items do.
    void OpenWatchlist(const std::string& name);

    /// The editor or rename dialog while it is open, else null.
    WatchlistEditor* GetOpenEditor() const { return m_editor && !m_editor->IsClosing() ? m_editor.get() : nullptr; }
    TextEntryDialog* GetOpenRename() const { return m_rename && !m_rename->IsClosing() ? m_rename.get() : nullptr; }

    /// Replaces the confirmation box and the error box (tests answer and
    /// record without a box).
    void SetQuestion(ThemedDialog::Question question) { m_question = std::move(question); }
    void SetErrorReport(ErrorReport report) { m_errorReport = std::move(report); }

private:
    WatchlistEditor* OpenEditor(const wxString& title, const wxString& formerName);
    std::vector<std::string> StoredNames() const;
    std::vector<wxString> ShownNames() const;
    /// Every board hears of every change of the shared store.
    void OnStoreChange(const store::StoreChange& change);
    wxString NameRefusal(const wxString& name) const;
    /// Opens the tab of `source`; a store that cannot give its list is told.
    void OpenSource(const layout::TabSource& source);
    /// Tells the user why a store change did not happen; false when it did.
    bool ReportFailure(const StoreOutcome& outcome, const wxString& message, const wxString& caption);
    wxWindow* DialogParent() const;

    void OnIdle(wxIdleEvent& event);
    void OnThemeChanged(wxCommandEvent& event);
    void OnWatchlistItem(wxCommandEvent& event);
    void OnSourceItem(wxCommandEvent& event);
    void OnMoreSources(wxCommandEvent& event);
    void OnTabContextMenu(wxFlatNotebookEvent& event);
    void OnStripContextMenu(wxContextMenuEvent& event);
    void UpdateMenuForCurrentTab();

    Tickerdeck& m_board;
    std::shared_ptr<store::WatchlistStoreService> m_store;
    int m_observer = 0;
    std::unique_ptr<TabMenu> m_menu;
    // The menu replaced last: a rebuild may run from one of its own items.
    std::unique_ptr<TabMenu> m_retiredMenu;
    bool m_menuStale = true;
    // The menu names a problem reading the store instead of its names.
    bool m_menuNamesProblem = false;
    wxRecursionGuardFlag m_inMenuItem = 0;
    int m_boundSourceEnd = 0;
    wxWeakRef<WatchlistEditor> m_editor;
    wxWeakRef<TextEntryDialog> m_rename;
    ThemedDialog::Question m_question;
    ErrorReport m_errorReport;
};
