#include "watchlist/TabMenu.h"

#include <algorithm>

#include <wx/intl.h>
#include <wx/menu.h>

#include "kit/PngFile.h"
#include "contract/CommandIds.h"
#include "layout/TreeValues.h"

namespace {

// Category kinds with their own submenus; the last of them is followed by
// a separator before "All".
constexpr int kLastCategoryKind = kFirstCategoryKind + kCategoryKindCount - 1;

// A host's text shown as it is: "Oil & Gas" keeps its ampersand rather
// than underlining its "G".
wxString MenuText(const std::string& text)
{
    wxString label = layout::ToWxString(text);
    label.Replace("&", "&&");
    return label;
}

wxMenuItem* AppendWithBitmap(wxMenu* menu, int id, const wxString& label, const char* iconPath)
{
    auto* item = new wxMenuItem(menu, id, label);
    const wxBitmap bitmap = LoadPng(iconPath);
    if (bitmap.IsOk())
        item->SetBitmap(bitmap);
    return menu->Append(item);
}

}  // namespace

TabMenu::TabMenu(const ExchangeList& exchanges, std::vector<std::string> names, const std::string& problem)
    : m_menu(std::make_unique<wxMenu>()), m_names(std::move(names))
{
    for (const Exchange& exchange : exchanges)
        if (exchange.active)
            AddExchange(exchange);
    m_menu->AppendSeparator();

    m_watchlists = MakeNamesMenu(kOpenWatchlistFirst, kMoreToOpen);
    // An empty submenu would look like a store without watchlists.
    if (!problem.empty())
        m_watchlists
            ->Append(wxID_ANY,
                     wxString::Format(_("The watchlists cannot be read: %s"), layout::ShownName(problem)))
            ->Enable(false);
    m_menu->AppendSubMenu(m_watchlists, _("Watchlists"));
    m_menu->AppendSeparator();
    AppendWithBitmap(m_menu.get(), cmd::EditFilter, _("Edit Filter..."), "./icon/filter.png");
    m_menu->Append(cmd::RemoveFilter, _("Remove Filter..."));
    m_menu->AppendSeparator();
    AppendWithBitmap(m_menu.get(), cmd::EditWatchlist, _("Edit Watchlist..."), "./icon/edit.png");
    m_menu->Append(cmd::RenameWatchlist, _("Rename Watchlist..."));
    AppendWithBitmap(m_menu.get(), cmd::DeleteTab, _("Delete Tab..."), "./icon/remove.png");
    m_deleteWatchlist = MakeNamesMenu(kDeleteWatchlistFirst, kMoreToDelete);
    m_menu->AppendSubMenu(m_deleteWatchlist, _("Delete Watchlist..."));
    m_menu->AppendSeparator();
    m_menu->Append(cmd::ExportWatchlist, _("Export Watchlist..."));
    m_menu->Append(cmd::ImportWatchlist, _("Import Watchlist..."));
}

TabMenu::~TabMenu() = default;

void TabMenu::AddExchange(const Exchange& exchange)
{
    auto* exchangeMenu = new wxMenu;
    bool anyCategories = false;
    for (int kind = kFirstCategoryKind; kind < kLastCategoryKind; ++kind)
        anyCategories = AddCategoryKind(exchangeMenu, exchange, kind) || anyCategories;
    // The last kind's categories, when it has any, are set off from "All";
    // otherwise only the other kinds' are.
    if (AddCategoryKind(exchangeMenu, exchange, kLastCategoryKind) || anyCategories)
        exchangeMenu->AppendSeparator();

    const std::string& label = exchange.name.empty() ? exchange.code : exchange.name;
    AddSourceItem(exchangeMenu, layout::TabSource::WholeExchange(exchange.code), _("All"),
                  layout::ToWxString(label) + ": " + _("All"));

    auto* item =
        new wxMenuItem(m_menu.get(), wxID_ANY, MenuText(label), wxString(), wxITEM_NORMAL, exchangeMenu);
    const wxBitmap flag = LoadPng("./icon/flag/" + layout::ToWxString(exchange.flag) + ".png");
    if (flag.IsOk())
        item->SetBitmap(flag);
    m_menu->Append(item);
}

// Returns whether the exchange has categories of that kind at all, named or not.
bool TabMenu::AddCategoryKind(wxMenu* exchangeMenu, const Exchange& exchange, int kind)
{
    const CategoryGroup* group = exchange.Group(kind);
    if (!group || group->categories.empty())
        return false;
    auto categoryMenu = std::make_unique<wxMenu>();
    // A menu item needs a label; a host may leave a caption out.
    const wxString caption = group->caption.empty() ? _("Categories") : layout::ToWxString(group->caption);
    const wxString exchangeLabel = layout::ToWxString(exchange.name.empty() ? exchange.code : exchange.name);
    for (const Category& category : group->categories)
    {
        const auto name = group->displayNames.find(category.key);
        if (name == group->displayNames.end())
            continue;
        AddSourceItem(categoryMenu.get(), layout::TabSource::Category(kind, exchange.code, category.key),
                      MenuText(name->second),
                      exchangeLabel + ": " + caption + ": " + layout::ToWxString(name->second));
    }
    if (categoryMenu->GetMenuItemCount() > 0)
        exchangeMenu->AppendSubMenu(categoryMenu.release(),
                                    group->caption.empty() ? caption : MenuText(group->caption));
    return true;
}

void TabMenu::AddSourceItem(wxMenu* menu, const layout::TabSource& source, const wxString& label,
                            const wxString& chooserLabel)
{
    if (EndOfSourceIds() < kSourceIdEnd)
    {
        m_sources.push_back(source);
        menu->Append(EndOfSourceIds() - 1, label);
        return;
    }
    m_unlisted.push_back(UnlistedSource{chooserLabel, source});
    if (!menu->FindItem(kMoreSources))
        menu->Append(kMoreSources, _("More..."));
}

wxMenu* TabMenu::MakeNamesMenu(int firstId, int moreId)
{
    auto* menu = new wxMenu;
    const size_t listed = std::min(m_names.size(), static_cast<size_t>(kWatchlistIds));
    for (size_t index = 0; index < listed; ++index)
    {
        // A name is text, not a label with a mnemonic: "R&D" shows as typed.
        wxString label = layout::ShownName(m_names[index]);
        label.Replace("&", "&&");
        menu->Append(firstId + static_cast<int>(index), label);
    }
    m_listed.assign(m_names.begin(), m_names.begin() + static_cast<std::ptrdiff_t>(listed));
    if (m_names.size() > listed)
        menu->Append(moreId, _("More..."));
    return menu;
}

const layout::TabSource* TabMenu::SourceOf(int id) const
{
    if (id < kFirstSourceId || id >= EndOfSourceIds())
        return nullptr;
    return &m_sources[static_cast<size_t>(id - kFirstSourceId)];
}

std::string TabMenu::NameOf(int id) const
{
    const bool open = id >= kOpenWatchlistFirst && id < kOpenWatchlistFirst + kWatchlistIds;
    const bool remove = id >= kDeleteWatchlistFirst && id < kDeleteWatchlistFirst + kWatchlistIds;
    wxMenu* menu = open ? m_watchlists : remove ? m_deleteWatchlist : nullptr;
    // Deleted names have no item any more.
    if (!menu || !menu->FindItem(id))
        return std::string();
    return m_listed[static_cast<size_t>(id - (open ? kOpenWatchlistFirst : kDeleteWatchlistFirst))];
}

void TabMenu::RemoveName(const std::string& name)
{
    m_names.erase(std::remove(m_names.begin(), m_names.end(), name), m_names.end());
    for (size_t index = 0; index < m_listed.size(); ++index)
    {
        if (m_listed[index] != name)
            continue;
        const int offset = static_cast<int>(index);
        if (m_watchlists->FindItem(kOpenWatchlistFirst + offset))
            m_watchlists->Destroy(kOpenWatchlistFirst + offset);
        if (m_deleteWatchlist->FindItem(kDeleteWatchlistFirst + offset))
            m_deleteWatchlist->Destroy(kDeleteWatchlistFirst + offset);
    }
}

void TabMenu::UpdateForCurrentTab(bool hasTab, bool storedWatchlist, bool filtered)
{
    m_menu->Enable(cmd::EditFilter, hasTab);
    m_menu->Enable(cmd::RemoveFilter, hasTab && filtered);
    m_menu->Enable(cmd::EditWatchlist, storedWatchlist);
    m_menu->Enable(cmd::RenameWatchlist, storedWatchlist);
    m_menu->Enable(cmd::ExportWatchlist, storedWatchlist);
    m_menu->Enable(cmd::DeleteTab, hasTab);
}
