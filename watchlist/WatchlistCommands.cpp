#include "watchlist/WatchlistCommands.h"

#include <algorithm>

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/recguard.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/valtext.h>

#include "watchlist/StoreChanges.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/WatchlistChooser.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxFlatNotebookEvent.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/TextSearch.h"
#include "watchlist/TabMenu.h"

namespace {

// Yes and No with No preselected: closing a tab or deleting a watchlist
// must not happen on a stray Enter.
constexpr long kConfirmStyle = wxYES_NO | wxNO_DEFAULT | wxICON_INFORMATION;

bool AskWithMessageBox(wxWindow* parent, const wxString& message, const wxString& caption)
{
    wxMessageDialog box(parent, message, caption, kConfirmStyle);
    return box.ShowModal() == wxID_YES;
}

void ShowErrorBox(wxWindow* parent, const wxString& message, const wxString& caption)
{
    wxMessageDialog box(parent, message, caption, wxOK | wxICON_ERROR);
    box.ShowModal();
}

bool IsStoredWatchlistTab(const wxGridEx* grid)
{
    return grid && Tickerdeck::TableOf(grid)->Identity().tabType == layout::kStoredWatchlistTab;
}

wxString NameTakenMessage()
{
    return _("A watchlist of that name already exists, please choose another name.");
}

std::vector<layout::InstrumentRef> RefsOf(const std::vector<Instrument*>& instruments)
{
    std::vector<layout::InstrumentRef> refs;
    refs.reserve(instruments.size());
    for (const Instrument* instrument : instruments)
        if (instrument)
            refs.push_back(store::RefOf(*instrument));
    return refs;
}

// The name the user typed as the store keeps it: an unchanged name keeps its
// own bytes, though they may not be UTF-8.
std::string TypedName(const wxString& typed, const std::string& former)
{
    return typed == layout::ShownName(former) ? former : layout::ToTreeText(typed);
}

}  // namespace

WatchlistCommands::WatchlistCommands(Tickerdeck& board)
    : m_board(board), m_store(board.GetStore()), m_question(AskWithMessageBox), m_errorReport(ShowErrorBox)
{
    if (m_store)
        m_observer = m_store->Observe([this](const store::StoreChange& change) { OnStoreChange(change); });
    m_board.Bind(wxEVT_IDLE, &WatchlistCommands::OnIdle, this);
    m_board.Bind(wxEVT_MENU, &WatchlistCommands::OnThemeChanged, this, cmd::ThemeChanged);
    m_board.Bind(wxEVT_MENU, &WatchlistCommands::OnWatchlistItem, this, TabMenu::kMoreToDelete, TabMenu::kMoreToOpen);
    m_board.Bind(wxEVT_MENU, &WatchlistCommands::OnMoreSources, this, TabMenu::kMoreSources);
    if (wxFlatNotebook* notebook = m_board.Tabs().Notebook())
    {
        notebook->Bind(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, &WatchlistCommands::OnTabContextMenu, this);
        notebook->Bind(wxEVT_CONTEXT_MENU, &WatchlistCommands::OnStripContextMenu, this);
    }
}

WatchlistCommands::~WatchlistCommands()
{
    if (m_store)
        m_store->Forget(m_observer);
    // The dialogs refer to the board, which goes with this feature.
    for (ThemedDialog* dialog : {static_cast<ThemedDialog*>(m_editor.get()), static_cast<ThemedDialog*>(m_rename.get())})
        if (dialog)
            dialog->CloseOrphaned();
    if (wxFlatNotebook* notebook = m_board.Tabs().Notebook())
    {
        notebook->SetRightClickMenu(nullptr);
        notebook->Unbind(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, &WatchlistCommands::OnTabContextMenu, this);
        notebook->Unbind(wxEVT_CONTEXT_MENU, &WatchlistCommands::OnStripContextMenu, this);
    }
    m_board.Unbind(wxEVT_IDLE, &WatchlistCommands::OnIdle, this);
    m_board.Unbind(wxEVT_MENU, &WatchlistCommands::OnThemeChanged, this, cmd::ThemeChanged);
    m_board.Unbind(wxEVT_MENU, &WatchlistCommands::OnWatchlistItem, this, TabMenu::kMoreToDelete, TabMenu::kMoreToOpen);
    m_board.Unbind(wxEVT_MENU, &WatchlistCommands::OnMoreSources, this, TabMenu::kMoreSources);
    if (m_boundSourceEnd > TabMenu::kFirstSourceId)
        m_board.Unbind(wxEVT_MENU, &WatchlistCommands::OnSourceItem, this, TabMenu::kFirstSourceId, m_boundSourceEnd - 1);
}

std::vector<int> WatchlistCommands::Commands() const
{
    return {cmd::NewWatchlist, cmd::EditWatchlist, cmd::RenameWatchlist, cmd::DeleteTab};
}

void WatchlistCommands::OnCommand(Tickerdeck& /*board*/, wxCommandEvent& event)
{
    switch (event.GetId())
    {
    case cmd::NewWatchlist:
        NewWatchlist();
        break;
    case cmd::EditWatchlist:
        EditWatchlist();
        break;
    case cmd::RenameWatchlist:
        RenameWatchlist();
        break;
    case cmd::DeleteTab:
        DeleteTab();
        break;
    default:
        break;
    }
}

void WatchlistCommands::RebuildTabMenu()
{
    Host* host = m_board.GetHost();
    wxFlatNotebook* notebook = m_board.Tabs().Notebook();
    notebook->SetRightClickMenu(nullptr);
    m_retiredMenu = std::move(m_menu);
    std::vector<std::string> names = StoredNames();
    const std::string problem = m_store ? m_store->Problem() : std::string();
    m_menuNamesProblem = !problem.empty();
    // Both sides lvalues: a temporary on one side would copy the host's
    // exchanges, a million instruments on a whole market, at every rebuild.
    static const ExchangeList kNoExchanges;
    m_menu = std::make_unique<TabMenu>(host ? host->GetExchanges() : kNoExchanges, std::move(names), problem);

    if (m_boundSourceEnd > TabMenu::kFirstSourceId)
        m_board.Unbind(wxEVT_MENU, &WatchlistCommands::OnSourceItem, this, TabMenu::kFirstSourceId, m_boundSourceEnd - 1);
    m_boundSourceEnd = m_menu->EndOfSourceIds();
    if (m_boundSourceEnd > TabMenu::kFirstSourceId)
        m_board.Bind(wxEVT_MENU, &WatchlistCommands::OnSourceItem, this, TabMenu::kFirstSourceId, m_boundSourceEnd - 1);

    if (host)
        host->PrepareMenu(m_menu->GetMenu());
    notebook->SetRightClickMenu(m_menu->GetMenu());
    m_menuStale = false;
}

std::vector<std::string> WatchlistCommands::StoredNames() const
{
    return m_store ? m_store->Names() : std::vector<std::string>();
}

std::vector<wxString> WatchlistCommands::ShownNames() const
{
    std::vector<wxString> shown;
    for (const std::string& name : StoredNames())
        shown.push_back(layout::ShownName(name));
    return shown;
}

void WatchlistCommands::OnStoreChange(const store::StoreChange& change)
{
    if (m_store)
        ApplyStoreChange(m_board, *m_store, change);
    // The menu lists names only; a reorder, at every step of a drag, leaves
    // them as they were.
    if (change.kind == store::StoreChange::Changed && !m_menuNamesProblem)
        return;
    // At once, unless one of its items is running: then on the next idle
    // time or opening.
    m_menuStale = true;
    if (!m_inMenuItem)
        RebuildTabMenu();
}

// The frame the board sits in: the link group value is not a window in
// every host, and a dialog parented to a stale pointer takes the process down.
wxWindow* WatchlistCommands::DialogParent() const
{
    return wxGetTopLevelParent(&m_board);
}

bool WatchlistCommands::ReportFailure(const StoreOutcome& outcome, const wxString& message, const wxString& caption)
{
    if (outcome.kind == StoreOutcome::Done)
        return false;
    const wxString shown = outcome.kind == StoreOutcome::NameTaken
                               ? NameTakenMessage()
                               : message + "\n\n" + layout::ToWxString(outcome.error);
    if (m_errorReport)
        m_errorReport(DialogParent(), shown, caption);
    return true;
}

WatchlistEditor* WatchlistCommands::OpenEditor(const wxString& title, const wxString& formerName)
{
    auto* editor = new WatchlistEditor(m_board.GetOwner(), m_board, DialogParent(), title);
    editor->SetFormerName(formerName);
    editor->SetExcludedNames(ShownNames());
    m_editor = editor;
    return editor;
}

void WatchlistCommands::NewWatchlist()
{
    if (m_editor && !m_editor->IsClosing())
    {
        m_editor->Raise();
        return;
    }
    WatchlistEditor* editor = OpenEditor(_("New Watchlist"), wxString());
    editor->ShowToSave(
        [this, editor]
        {
            const StoreOutcome outcome = WatchlistTabs(m_board).CreateWatchlistTab(
                layout::ToTreeText(editor->GetNewName()), RefsOf(editor->GetResult()));
            return !ReportFailure(outcome, _("The watchlist could not be stored."), _("New Watchlist"));
        });
}

void WatchlistCommands::EditWatchlist()
{
    wxGridEx* grid = m_board.Tabs().CurrentGrid();
    const int page = m_board.Tabs().Notebook()->GetSelection();
    if (!IsStoredWatchlistTab(grid) || page == wxNOT_FOUND)
        return;
    if (m_editor && !m_editor->IsClosing())
    {
        m_editor->Raise();
        return;
    }
    const TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const std::string former = table->Identity().watchlistName;
    WatchlistEditor* editor = OpenEditor(_("Edit Watchlist"), layout::ShownName(former));
    // The whole watchlist, whatever the tab's filter hides. What the user
    // changes from it is what saving changes in the store.
    editor->SetInstruments(WatchlistTabs(m_board).TabInstruments(grid));
    const std::vector<layout::InstrumentRef> before = StoredRowsOf(m_board, grid);
    // What the host does not know today is listed too, else it could never be taken out.
    std::vector<layout::InstrumentRef> unknown;
    if (Host* host = m_board.GetHost())
        for (const layout::InstrumentRef& ref : before)
            if (!host->FindInstrument(ref.code.c_str(), ref.exchange.c_str()))
                unknown.push_back(ref);
    editor->SetUnknown(unknown);
    const layout::UnresolvedRefs unresolved = table->Identity().unresolved;
    editor->ShowToSave(
        [this, editor, former, before, unresolved, unknown]
        {
            std::vector<layout::InstrumentRef> after = unresolved.MergeInto(RefsOf(editor->GetResult()));
            const std::vector<layout::InstrumentRef>& kept = editor->GetListModel().Unknown();
            after.erase(std::remove_if(after.begin(), after.end(),
                                       [&](const layout::InstrumentRef& ref)
                                       {
                                           return std::find(unknown.begin(), unknown.end(), ref) !=
                                                      unknown.end() &&
                                                  std::find(kept.begin(), kept.end(), ref) == kept.end();
                                       }),
                        after.end());
            const StoreOutcome outcome = WatchlistTabs(m_board).SaveEditedWatchlist(
                former, TypedName(editor->GetNewName(), former), before, after);
            return !ReportFailure(outcome, _("The watchlist could not be stored."), _("Edit Watchlist"));
        });
}

wxString WatchlistCommands::NameRefusal(const wxString& typed) const
{
    const wxString name = TrimmedName(typed);
    if (name.empty())
        return _("Watchlist name cannot be empty.");
    const wxGridEx* grid = m_board.Tabs().CurrentGrid();
    const wxString own = IsStoredWatchlistTab(grid)
                             ? layout::ShownName(Tickerdeck::TableOf(grid)->Identity().watchlistName)
                             : wxString();
    for (const wxString& stored : ShownNames())
        if (SameIgnoringCase(stored, name) && stored != own)
            return NameTakenMessage();
    return wxString();
}

void WatchlistCommands::RenameWatchlist()
{
    wxGridEx* grid = m_board.Tabs().CurrentGrid();
    const int page = m_board.Tabs().Notebook()->GetSelection();
    if (!IsStoredWatchlistTab(grid) || page == wxNOT_FOUND)
        return;
    if (m_rename && !m_rename->IsClosing())
    {
        m_rename->Raise();
        return;
    }
    const std::string former = Tickerdeck::TableOf(grid)->Identity().watchlistName;
    const wxString current = layout::ShownName(former);
    auto* dialog = new TextEntryDialog(m_board.GetOwner(), DialogParent(), _("Rename Watchlist"), wxSize(300, 170));
    dialog->GetPrompt()->SetLabel(_("Please enter the new watchlist name:"));
    wxArrayString excluded;
    for (const wxString& name : ShownNames())
        if (name != current)
            excluded.push_back(name);
    wxTextValidator validator(wxFILTER_EXCLUDE_LIST);
    validator.SetExcludes(excluded);
    dialog->GetTextField()->SetValidator(validator);
    dialog->GetTextField()->ChangeValue(current);
    dialog->GetTextField()->SelectAll();
    dialog->SetCheck([this](const wxString& name) { return NameRefusal(name); });
    m_rename = dialog;
    dialog->ShowWithAction(
        [this, dialog, current, former]
        {
            const wxString name = TrimmedName(dialog->GetTextField()->GetValue());
            if (name == current)
                return;
            const StoreOutcome outcome =
                WatchlistTabs(m_board).RenameWatchlist(former, layout::ToTreeText(name));
            ReportFailure(outcome, _("The watchlist could not be renamed."), _("Rename Watchlist"));
        });
}

void WatchlistCommands::DeleteTab()
{
    wxGridEx* grid = m_board.Tabs().CurrentGrid();
    if (!grid || !m_question(DialogParent(), _("Delete the selected tab?"), _("Delete Tab")))
        return;
    m_board.Tabs().Remove(grid);
}

void WatchlistCommands::DeleteWatchlist(const std::string& name)
{
    const wxString shown = layout::ShownName(name);
    if (name.empty() || !m_question(DialogParent(), wxString::Format(_("Delete the watchlist \"%s\"?"), shown),
                                    _("Delete Watchlist")))
        return;
    const StoreOutcome outcome = WatchlistTabs(m_board).DeleteWatchlist(name);
    ReportFailure(outcome, wxString::Format(_("The watchlist \"%s\" could not be deleted."), shown),
                  _("Delete Watchlist"));
}

void WatchlistCommands::OpenWatchlist(const std::string& name)
{
    if (!name.empty())
        OpenSource(layout::TabSource::Watchlist(name));
}

void WatchlistCommands::OpenSource(const layout::TabSource& source)
{
    const StoreOutcome outcome = WatchlistTabs(m_board).BuildTab(source);
    ReportFailure(outcome,
                  wxString::Format(_("The watchlist \"%s\" could not be opened."), layout::ShownName(source.watchlist)),
                  _("Watchlists"));
}

void WatchlistCommands::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_menuStale)
        RebuildTabMenu();
}

void WatchlistCommands::OnThemeChanged(wxCommandEvent& event)
{
    event.Skip();
    // The board restyles itself first; the menu follows on the next idle time.
    m_menuStale = true;
}

void WatchlistCommands::OnWatchlistItem(wxCommandEvent& event)
{
    const wxRecursionGuard inItem(m_inMenuItem);
    if (!m_menu)
        return;
    const int id = event.GetId();
    wxWeakRef<Tickerdeck> board(&m_board);
    if (id == TabMenu::kMoreToOpen || id == TabMenu::kMoreToDelete)
    {
        const bool open = id == TabMenu::kMoreToOpen;
        const std::vector<std::string> names = m_menu->Names();
        std::vector<wxString> shown;
        for (const std::string& name : names)
            shown.push_back(layout::ShownName(name));
        ChooseWatchlist(m_board.GetOwner(), DialogParent(), open ? _("Watchlists") : _("Delete Watchlist"),
                        shown,
                        [this, board, open, names, shown](const wxString& chosen)
                        {
                            // The board may have closed while the list was up.
                            const auto at = std::find(shown.begin(), shown.end(), chosen);
                            if (!board || at == shown.end())
                                return;
                            const std::string& name = names[static_cast<size_t>(at - shown.begin())];
                            if (open)
                                OpenWatchlist(name);
                            else
                                DeleteWatchlist(name);
                        });
        return;
    }
    const std::string name = m_menu->NameOf(id);
    if (id >= TabMenu::kOpenWatchlistFirst)
        OpenWatchlist(name);
    else
        DeleteWatchlist(name);
}

void WatchlistCommands::OnSourceItem(wxCommandEvent& event)
{
    const wxRecursionGuard inItem(m_inMenuItem);
    const layout::TabSource* source = m_menu ? m_menu->SourceOf(event.GetId()) : nullptr;
    if (source)
        OpenSource(layout::TabSource(*source));
}

void WatchlistCommands::OnMoreSources(wxCommandEvent& /*event*/)
{
    if (!m_menu)
        return;
    std::vector<TabMenu::UnlistedSource> unlisted = m_menu->Unlisted();
    std::vector<wxString> labels;
    for (const TabMenu::UnlistedSource& entry : unlisted)
        labels.push_back(entry.label);
    wxWeakRef<Tickerdeck> board(&m_board);
    ChooseWatchlist(m_board.GetOwner(), DialogParent(), _("More..."), labels,
                    [this, board, unlisted](const wxString& label)
                    {
                        // The board may have closed while the list was up.
                        if (!board)
                            return;
                        for (const TabMenu::UnlistedSource& entry : unlisted)
                            if (entry.label == label)
                            {
                                OpenSource(layout::TabSource(entry.source));
                                return;
                            }
                    });
}

void WatchlistCommands::UpdateMenuForCurrentTab()
{
    // Another program may have changed the store; one that could not be
    // read is read again at every opening.
    if (m_store)
        m_store->Refresh();
    if (!m_menu || m_menuStale || m_menuNamesProblem || (m_store && !m_store->Problem().empty()))
        RebuildTabMenu();
    wxGridEx* grid = m_board.Tabs().CurrentGrid();
    const bool filtered = grid && m_board.Looks().TabFilters().count(grid->GetSplitter()) > 0;
    m_menu->UpdateForCurrentTab(grid != nullptr, IsStoredWatchlistTab(grid), filtered);
}

void WatchlistCommands::OnTabContextMenu(wxFlatNotebookEvent& event)
{
    event.Skip();
    UpdateMenuForCurrentTab();
}

void WatchlistCommands::OnStripContextMenu(wxContextMenuEvent& event)
{
    // Only the strip's empty part: a tab shows the menu itself, and the
    // pages' grids have menus of their own.
    wxFlatNotebook* notebook = m_board.Tabs().Notebook();
    auto* origin = wxDynamicCast(event.GetEventObject(), wxWindow);
    bool fromStrip = origin && origin->GetParent() == notebook;
    for (size_t page = 0; fromStrip && page < notebook->GetPageCount(); ++page)
        fromStrip = notebook->GetPage(page) != origin;
    if (!fromStrip)
    {
        event.Skip();
        return;
    }
    UpdateMenuForCurrentTab();
    origin->PopupMenu(m_menu->GetMenu());
}

void WatchlistCommands::SaveLayout(Tickerdeck& board, layout::Tree& /*node*/)
{
    StoreMissingLists(board);
}
