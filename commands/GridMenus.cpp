#include "commands/GridMenus.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

#include <wx/control.h>
#include <wx/grid.h>
#include <wx/menu.h>

#include "board/ComputedColumnGrid.h"
#include "kit/IconCache.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/WatchlistChooser.h"
#include "commands/BookmarksColumns.h"
#include "commands/ComputedColumnDialog.h"
#include "commands/GridTickets.h"
#include "commands/RowCommands.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "contract/Widget.h"
#include "controls/wxGridEx.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/TradeRefusal.h"

namespace {

// Ids the host's window handles.
constexpr int kNewColumnId = 7260;
constexpr int kEditColumnId = 7261;
constexpr int kRemoveColumnId = 7262;
constexpr int kSplitVertical = 6999;
constexpr int kSplitHorizontal = 7000;
constexpr int kCloseWindow = 7001;

// Host commands whose key texts the menu shows.
constexpr int kBuyHotkey = 1;
constexpr int kSellHotkey = 2;

struct ViewItem
{
    int id;
    int hostCommand;
};
// The views, with the host command of each one's hotkey.
constexpr ViewItem kViews[] = {
    {cmd::OpenLadder, 12}, {cmd::OpenTape, 14}, {cmd::OpenFillscope, 13}, {cmd::OpenCharting, 15}};

wxMenuItem* Append(wxMenu& menu, int id, const wxString& label, const wxString& icon = wxString())
{
    auto* item = new wxMenuItem(&menu, id, label);
    if (!icon.empty())
    {
        const wxBitmap& bitmap = IconCache::Shared().Load(icon);
        if (bitmap.IsOk())
            item->SetBitmap(bitmap);
    }
    return menu.Append(item);
}

// The menu's first line: what its commands act on, and why it cannot be
// traded when it cannot. Rows may move while the menu is open; this says
// which instrument the user reached.
void AppendTargetLine(wxMenu& menu, const RowTargets& targets, const wxString& refusal)
{
    const Price* first = targets.First();
    if (!first || !first->instrument)
        return;
    wxString line = wxString::FromUTF8(first->instrument->code) + "  " + wxString::FromUTF8(first->instrument->name);
    if (targets.quotes.size() > 1)
        line = wxString::Format(_("%s and %zu more"), line, targets.quotes.size() - 1);
    if (!refusal.empty())
        line << "  (" << refusal << ")";
    menu.Append(wxID_ANY, wxControl::EscapeMnemonics(line))->Enable(false);
    menu.AppendSeparator();
}

void AppendPauseSorting(Tickerdeck& board, wxMenu& menu)
{
    const wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return;
    menu.AppendCheckItem(cmd::PauseSorting, _("Pause Sorting") + "\tCtrl+Shift+P")
        ->Check(Tickerdeck::TableOf(grid)->Order().IsSortPaused());
    menu.AppendSeparator();
}

wxString Shortcut(Host* host, int hostCommand)
{
    return host ? host->GetShortcutText(hostCommand) : wxString();
}

/// The views in the order of the keys the host gives them ("F5" before
/// "F10", keys with modifiers after plain ones), those without a key last.
std::vector<std::pair<ViewItem, wxString>> ViewsByKey(Host* host)
{
    std::vector<std::pair<ViewItem, wxString>> views;
    for (const ViewItem& view : kViews)
        views.emplace_back(view, Shortcut(host, view.hostCommand));
    std::stable_sort(views.begin(), views.end(), [](const auto& a, const auto& b) {
        return std::make_tuple(a.second.empty(), a.second.length(), a.second) <
               std::make_tuple(b.second.empty(), b.second.length(), b.second);
    });
    return views;
}

bool OnStoredTab(const wxGridEx* grid)
{
    return grid && Tickerdeck::TableOf(grid)->Identity().tabType == layout::kStoredWatchlistTab;
}

void AppendExportItems(wxMenu& menu)
{
    Append(menu, cmd::ExportExcel, _("Export to Excel"), "./icon/excel.png");
    Append(menu, cmd::PageSetup, _("Page Setup..."));
    Append(menu, cmd::PrintPreview, _("Print Preview"), "./icon/printer.png");
    Append(menu, cmd::Settings, _("Settings..."), "./icon/setting.png");
}

}  // namespace

GridMenus::GridMenus()
    : m_popup([](Tickerdeck& board, wxMenu& menu) { board.PopupMenu(&menu); }),
      m_chooser([](Tickerdeck& board, const wxString& title, std::vector<wxString> names,
                   std::function<void(const wxString&)> onChosen) {
          ChooseWatchlist(board.GetOwner(), board.GetOwnerFrame(), title, std::move(names), std::move(onChosen));
      })
{
}

GridMenus::~GridMenus()
{
    if (ComputedColumnDialog* dialog = m_columnDialog.get())
        dialog->CloseOrphaned();
}

std::vector<BoardEventKind> GridMenus::EventKinds() const
{
    return {BoardEventKind::CellRightClick, BoardEventKind::LabelRightClick, BoardEventKind::GridRightUp};
}

void GridMenus::Show(Tickerdeck& board, wxMenu& menu)
{
    if (Host* host = board.GetHost())
        host->PrepareMenu(&menu);
    m_popup(board, menu);
}

void GridMenus::OnGridEvent(Tickerdeck& board, BoardEventKind kind, wxGridEvent& event)
{
    if (kind == BoardEventKind::CellRightClick)
    {
        OnCellRightClick(board, event);
        return;
    }
    // A right click on the row labels or the corner is no column's.
    if (event.GetCol() < 0)
        return;
    std::unique_ptr<wxMenu> menu = BuildColumnMenu(board, event.GetCol());
    Show(board, *menu);
}

void GridMenus::OnGridMouse(Tickerdeck& board, BoardEventKind /*kind*/, wxMouseEvent& /*event*/)
{
    if (wxGridEx* grid = board.Tabs().CurrentGrid())
        grid->ClearSelection();
    std::unique_ptr<wxMenu> menu = BuildGridAreaMenu(board);
    Show(board, *menu);
}

void GridMenus::OnCellRightClick(Tickerdeck& board, wxGridEvent& event)
{
    auto* grid = wxDynamicCast(event.GetEventObject(), wxGridEx);
    // Below the last row the grid-area menu answers, on the button's release.
    if (!grid || event.GetRow() < 0 || event.GetCol() < 0)
        return;
    if (auto* tickets = board.Features().FindFeature<GridTickets>())
        tickets->SetClickedColumn(event.GetCol());
    if (!grid->IsInSelection(event.GetRow(), event.GetCol()))
    {
        grid->ClearSelection();
        grid->SelectRow(event.GetRow());
    }
    grid->SetFocus();
    // Quotes keep coming while the menu is open and may move or hide the
    // rows: what its commands act on is settled now.
    const RowTargets targets = SelectedTargets(grid);
    std::unique_ptr<wxMenu> menu = BuildCellMenu(board, targets, event.GetRow());
    board.Tabs().PinTargets(targets);
    Show(board, *menu);
    board.Tabs().UnpinTargets();
}

std::unique_ptr<wxMenu> GridMenus::BuildCellMenu(Tickerdeck& board, const RowTargets& targets, int row)
{
    Host* host = board.GetHost();
    wxGridEx* grid = targets.grid;
    TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    const bool stored = OnStoredTab(grid);
    const Price* only = targets.Only();
    const wxString refusal = only && only->instrument ? TradeRefusal(*only->instrument, only) : wxString();
    const bool mayTrade = only && refusal.empty() && host &&
                          (host->GetUserProfile().permissions & UserProfile::kAllowTrading);

    auto menu = std::make_unique<wxMenu>();
    AppendTargetLine(*menu, targets, refusal);
    wxMenuItem* buy = Append(*menu, cmd::RowCommandFirst, _("Buy...") + "\t" + Shortcut(host, kBuyHotkey));
    wxMenuItem* sell = Append(*menu, cmd::RowCommandSecond, _("Sell...") + "\t" + Shortcut(host, kSellHotkey));
    for (wxMenuItem* item : {buy, sell})
    {
        item->Enable(mayTrade);
        item->SetHelp(refusal);
    }
    menu->AppendSeparator();
    Append(*menu, cmd::EditWatchlist, _("Edit..."), "./icon/edit.png")->Enable(stored);
    AppendWatchlistMenus(board, targets, *menu);
    Append(*menu, cmd::DeleteInstrument, _("Remove...") + "\t", "./icon/remove.png")->Enable(stored);
    if (stored)
        Append(*menu, cmd::WatchlistCommand, _("Refresh"), "./icon/refresh.png");
    menu->AppendSeparator();

    Append(*menu, cmd::AlertSetup, _("Edit Alert..."), "./icon/alert.png");
    const Price* clicked = table ? table->RowPrice(row) : nullptr;
    const bool marked = clicked && table->Members().Bookmarks().count(clicked->instrument) > 0;
    Append(*menu, cmd::ToggleBookmark, marked ? _("Remove Bookmark") : _("Bookmark"));
    if (table && !table->Members().Bookmarks().empty())
        Append(*menu, cmd::ClearBookmarks, _("Remove All Bookmarks"));
    menu->AppendSeparator();

    if (!targets.quotes.empty() && host)
    {
        for (const auto& [view, key] : ViewsByKey(host))
            if (Widget* widget = host->FindWidget(GridTickets::ViewName(view.id)))
                Append(*menu, view.id,
                       wxControl::EscapeMnemonics(wxString::FromUTF8(widget->GetDisplayName())) + "\t" + key,
                       wxString::FromUTF8(widget->GetIconPath()));
        menu->AppendSeparator();
    }
    AppendPauseSorting(board, *menu);
    AppendExportItems(*menu);
    menu->AppendSeparator();
    AppendSharedSubmenus(board, *menu);
    return menu;
}

void GridMenus::AppendWatchlistMenus(Tickerdeck& board, const RowTargets& targets, wxMenu& menu)
{
    const auto store = board.GetStore();
    if (!store)
        return;
    // All stored names but the tab's own, as the store holds them now.
    const wxGridEx* grid = targets.grid;
    const std::string own = OnStoredTab(grid) ? Tickerdeck::TableOf(grid)->Identity().watchlistName : std::string();
    std::vector<std::string> names;
    for (std::string& name : store->Names())
        if (own.empty() || name != own)
            names.push_back(std::move(name));
    if (names.empty())
        return;
    const WatchlistCommand add = [](Tickerdeck& target, const RowTargets& rows, const std::string& name)
    { RowCommands::AddTo(target, rows, name); };
    menu.AppendSubMenu(WatchlistSubmenu(board, targets, names, kFirstAddId, _("Add to Watchlist"), add),
                       _("Add to Watchlist"));
    wxMenuItem* move = menu.AppendSubMenu(
        WatchlistSubmenu(board, targets, names, kFirstMoveId, _("Move to Watchlist"), RowCommands::MoveTo),
        _("Move to Watchlist"));
    move->Enable(OnStoredTab(grid));
}

wxMenu* GridMenus::WatchlistSubmenu(Tickerdeck& board, const RowTargets& targets,
                                    const std::vector<std::string>& names, int firstId,
                                    const wxString& chooserTitle, WatchlistCommand command)
{
    auto* submenu = new wxMenu();
    const int listed = std::min<int>(static_cast<int>(names.size()), kListedWatchlists);
    for (int i = 0; i < listed; ++i)
        // A name is the user's text: an "&" in it is no mnemonic.
        Append(*submenu, firstId + i,
               wxControl::EscapeMnemonics(layout::ShownName(names[static_cast<size_t>(i)])));
    Tickerdeck* target = &board;
    // The items name their watchlists and rows while the menu lives; the
    // ids only stand for a position in this list. The rows go on to the
    // chooser, which stays open while quotes keep moving them.
    submenu->Bind(
        wxEVT_MENU, [target, targets, names, firstId, command](wxCommandEvent& event) {
            command(*target, targets, names[static_cast<size_t>(event.GetId() - firstId)]);
        },
        firstId, firstId + listed - 1);
    if (static_cast<int>(names.size()) > listed && m_chooser)
    {
        const int more = wxWindow::NewControlId();
        Append(*submenu, more, _("More..."));
        Chooser chooser = m_chooser;
        submenu->Bind(
            wxEVT_MENU,
            [target, targets, names, chooserTitle, command, chooser](wxCommandEvent&)
            {
                std::vector<wxString> shown;
                for (const std::string& name : names)
                    shown.push_back(layout::ShownName(name));
                chooser(*target, chooserTitle, shown,
                        [target, targets, command, names, shown](const wxString& chosen)
                        {
                            const auto at = std::find(shown.begin(), shown.end(), chosen);
                            if (at != shown.end())
                                command(*target, targets, names[static_cast<size_t>(at - shown.begin())]);
                        });
            },
            more);
    }
    return submenu;
}

std::unique_ptr<wxMenu> GridMenus::BuildGridAreaMenu(Tickerdeck& board)
{
    const bool stored = OnStoredTab(board.Tabs().CurrentGrid());
    auto menu = std::make_unique<wxMenu>();
    Append(*menu, cmd::EditWatchlist, _("Edit..."), "./icon/edit.png")->Enable(stored);
    menu->AppendSeparator();
    if (stored)
    {
        Append(*menu, cmd::WatchlistCommand, _("Refresh"), "./icon/refresh.png");
        menu->AppendSeparator();
    }
    AppendPauseSorting(board, *menu);
    AppendExportItems(*menu);
    menu->AppendSeparator();
    AppendSharedSubmenus(board, *menu);
    return menu;
}

std::unique_ptr<wxMenu> GridMenus::BuildColumnMenu(Tickerdeck& board, int clicked)
{
    auto menu = std::make_unique<wxMenu>();
    AppendColumnSetItems(*menu);
    menu->AppendSeparator();
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (grid)
    {
        const size_t count = Tickerdeck::TableOf(grid)->Format().computed.Size();
        menu->Append(kNewColumnId, _("New Column..."))->Enable(count < static_cast<size_t>(kMostComputedColumns));
        menu->Bind(wxEVT_MENU, [this, &board, count](wxCommandEvent&) { OpenColumnDialog(board, count); },
                   kNewColumnId);
        if (IsComputedColumn(clicked) && static_cast<size_t>(clicked - column::Count) < count)
        {
            const size_t index = static_cast<size_t>(clicked - column::Count);
            menu->Append(kEditColumnId, _("Edit Column..."));
            menu->Append(kRemoveColumnId, _("Remove Column"));
            menu->Bind(wxEVT_MENU, [this, &board, index](wxCommandEvent&) { OpenColumnDialog(board, index); },
                       kEditColumnId);
            menu->Bind(wxEVT_MENU,
                       [&board, grid, index](wxCommandEvent&) { computed_columns::Remove(board, grid, index); },
                       kRemoveColumnId);
        }
        menu->AppendSeparator();
    }
    AppendColumnItems(board, *menu);
    return menu;
}

ComputedColumnDialog* GridMenus::OpenColumnDialog(Tickerdeck& board, size_t index)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid || m_columnDialog)
        return nullptr;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const bool editing = index < table->Format().computed.Size();
    auto* dialog =
        new ComputedColumnDialog(board.GetOwner(), wxGetTopLevelParent(&board), editing ? _("Edit Column") : _("New Column"));
    m_columnDialog = dialog;
    if (editing)
        dialog->SetDef(table->Format().computed.Def(index));
    // Names stay apart, so that whatever names a column finds one.
    dialog->SetNameTaken([table, editing, index](const wxString& name) {
        for (int col = 0; col < table->GetNumberCols(); ++col)
            if ((!editing || col != column::Count + static_cast<int>(index)) &&
                (name.CmpNoCase(table->GetColLabelValue(col)) == 0 ||
                 (IsColumn(col) && name.CmpNoCase(wxString::FromUTF8(ColumnAt(col).label)) == 0)))
                return true;
        return false;
    });
    Tickerdeck* target = &board;
    dialog->ShowWithAction([target, grid, dialog, index] {
        // The tab may have gone while the dialog was open.
        const auto& grids = target->Tabs().Grids();
        if (std::find(grids.begin(), grids.end(), grid) == grids.end())
            return;
        FormulaRefusal why;
        computed_columns::Set(*target, grid, index, dialog->GetDef(), &why);
    });
    return dialog;
}

void GridMenus::AppendColumnItems(Tickerdeck& board, wxMenu& menu)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    if (!grid)
        return;
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    const int count = table->GetNumberCols();
    for (int col = 0; col < count; ++col)
        menu.AppendCheckItem(kFirstColumnId + col, table->GetColLabelValue(col))->Check(grid->GetColSize(col) != 0);
    Tickerdeck* target = &board;
    menu.Bind(
        wxEVT_MENU,
        [target](wxCommandEvent& event) { BookmarksColumns::ToggleColumn(*target, event.GetId() - kFirstColumnId); },
        kFirstColumnId, kFirstColumnId + count - 1);
}

void GridMenus::AppendColumnSetItems(wxMenu& menu)
{
    Append(menu, cmd::ColourRules, _("Colour Rules..."));
    Append(menu, cmd::SaveColumnSet, _("Save Column Set..."));
    Append(menu, cmd::ApplyColumnSet, _("Apply Column Set..."));
}

void GridMenus::AppendSharedSubmenus(Tickerdeck& board, wxMenu& menu)
{
    auto* columns = new wxMenu();
    columns->AppendCheckItem(cmd::ToggleAutoFit, _("Auto Fit Column Width"))->Check(board.Settings().autoFitColumns);
    columns->AppendSeparator();
    AppendColumnSetItems(*columns);
    if (wxGridEx* grid = board.Tabs().CurrentGrid())
    {
        // The same new column as the header menu's, for a user who looks
        // here, set apart from the column sets as it is there.
        const size_t count = Tickerdeck::TableOf(grid)->Format().computed.Size();
        columns->AppendSeparator();
        columns->Append(kNewColumnId, _("New Column..."))->Enable(count < static_cast<size_t>(kMostComputedColumns));
        columns->Bind(wxEVT_MENU, [this, &board, count](wxCommandEvent&) { OpenColumnDialog(board, count); },
                      kNewColumnId);
    }
    columns->AppendSeparator();
    AppendColumnItems(board, *columns);
    menu.AppendSubMenu(columns, _("Columns"));

    auto* window = new wxMenu();
    Append(*window, kSplitVertical, _("Split Vertical"), "./icon/vertical.png");
    Append(*window, kSplitHorizontal, _("Split Horizontal"), "./icon/horizontal.png");
    window->AppendSeparator();
    Append(*window, kCloseWindow, _("Close Window"));
    menu.AppendSubMenu(window, _("Window"));

    auto* widgets = new wxMenu();
    if (Host* host = board.GetHost())
    {
        const uint32_t permissions = host->GetUserProfile().permissions;
        bool separatorDue = false;
        for (Widget* widget : host->GetWidgets())
        {
            if (!widget)
            {
                separatorDue = true;
                continue;
            }
            if (!widget->IsOfferedInMenu(permissions))
                continue;
            if (separatorDue && widgets->GetMenuItemCount() > 0)
                widgets->AppendSeparator();
            separatorDue = false;
            Append(*widgets, widget->commandId, wxControl::EscapeMnemonics(wxString::FromUTF8(widget->GetDisplayName())),
                   wxString::FromUTF8(widget->GetIconPath()));
        }
    }
    menu.AppendSubMenu(widgets, _("Widget"));
}
