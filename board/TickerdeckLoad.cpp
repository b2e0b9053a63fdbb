// Restoring a board from the host's layout document.

#include <algorithm>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

#include <boost/property_tree/exceptions.hpp>
#include <wx/display.h>
#include <wx/intl.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "layout/TabLabel.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "board/ColumnLayout.h"
#include "board/ComputedColumnGrid.h"
#include "layout/ColourRuleNodes.h"
#include "files/DurableFile.h"
#include "layout/TreeValues.h"
#include "store/WatchlistStoreService.h"
#include "layout/WindowNodeReader.h"
#include "contract/Host.h"
#include "model/ColumnSpec.h"
#include "model/Logger.h"

namespace {

/// Stored names as the user reads them, each in quotes, between commas.
wxString QuotedNames(const std::vector<std::string>& names)
{
    wxString text;
    for (const std::string& name : names)
        text += (text.empty() ? "\"" : ", \"") + layout::ShownName(name) + "\"";
    return text;
}

using layout::Tree;

const char* const kLoadError = "Tickerdeck::Load error:";

/// Rebuilds one board from its window node; lives for one Load call.
class BoardLoader
{
public:
    BoardLoader(Tickerdeck& board, Host& host) : m_board(board), m_host(host) {}

    void Run(const Tree* layoutSource, const Tree* layoutNode)
    {
        const Tree& node = FindWindowNode(layoutSource, layoutNode);
        if (m_board.HasOwnFrame())
            ApplyFrameSize(layout::ReadFrameSize(node));
        ApplySettings(node);

        const Tree& watchlists = layout::WatchlistsOf(node);
        for (const layout::TabEntry& entry : layout::ReadTabEntries(watchlists))
            BuildTab(entry);
        // Alerts and whatever else the features keep.
        m_board.Features().LoadLayout(node);
    }

private:
    // The node the host handed over, else the document's default node, else
    // the default node of the default layout file (kept alive in m_fileTree).
    const Tree& FindWindowNode(const Tree* layoutSource, const Tree* layoutNode)
    {
        if (layoutNode)
            return *layoutNode;
        if (layoutSource)
            if (const auto node = layoutSource->get_child_optional(layout::kDefaultWindowPath))
                return *node;
        m_fileTree = layout::ReadXmlFile(m_host.GetLayoutFilePath());
        return m_fileTree.get_child(layout::kDefaultWindowPath);
    }

    void ApplyFrameSize(const layout::FrameSize& size)
    {
        wxWindow* container = m_board.GetParent();
        wxWindow* frame = container ? container->GetParent() : nullptr;
        if (!frame || size.width <= 0 || size.height <= 0)
            return;
        // A layout may come from a bigger screen, or from anybody: a frame
        // far larger than the screen costs seconds and gigabytes to draw.
        const wxSize screen = wxDisplay(frame).GetClientArea().GetSize();
        frame->SetSize(std::min(size.width, screen.x), std::min(size.height, screen.y));
    }

    void ApplySettings(const Tree& node)
    {
        layout::WindowSettings& settings = m_board.Settings();
        settings = layout::ReadWindowSettings(node, settings);
        m_board.Toolbar().ApplyTitle(wxGetTranslation(settings.title));
        m_board.Looks().ColumnSets() = layout::ReadColumnSets(node);
    }

    void BuildTab(const layout::TabEntry& entry)
    {
        m_filling = nullptr;
        wxGridEx* grid = m_board.Tabs().CreateGrid();
        // Before the column layout, which names them by id.
        const std::vector<std::string> unreadable = computed_columns::Restore(grid, entry.computed);
        if (!unreadable.empty())
            TellUser(m_board, wxString::Format(_("The tab \"%s\" keeps the column %s blank: its formula cannot be read"),
                                               layout::ShownName(entry.name), QuotedNames(unreadable)));
        ApplyColumnLayout(grid, entry.columns);

        // A nameless entry gets no page, but its grid stays with the board;
        // hidden, or it would sit on top of the toolbar at the panel's corner.
        if (entry.name.empty())
        {
            grid->GetSplitter()->Hide();
        }
        else
        {
            const wxString label = FillRows(entry, grid);
            m_board.Tabs().AddPage(grid, label, entry.current);
        }
        if (m_board.Settings().autoFitColumns)
            m_board.Fitter().FitColumns(grid);
        if (entry.name.empty())
            return;
        if (!m_board.Settings().autoFitColumns)
            TellOfReplacedWidths(entry);

        RestoreBookmarks(entry.bookmarks, grid);
        if (entry.hasFilters)
            RestoreFilter(entry, grid);
        if (!entry.colourRules.empty())
            m_board.Looks().SetColourRules(grid, entry.colourRules);
    }

    // Subscribes the tab's instruments and returns the tab's label.
    wxString FillRows(const layout::TabEntry& entry, wxGridEx* grid)
    {
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        // Every tab keeps the type it was stored with, even one that cannot
        // be filled: saving it as a stored watchlist would overwrite a
        // watchlist of the same name with an empty one.
        table->Identity().tabType = entry.type;
        if (entry.type == layout::kStoredWatchlistTab)
        {
            table->Identity().watchlistName = entry.name;
            FillFromStore(entry.name, grid);
            return layout::ShownTabLabel(entry.name);
        }
        if (entry.type < kFirstCategoryKind || entry.type > layout::kExchangeTab)
            return layout::ShownTabLabel(entry.name);

        table->Identity().exchange = entry.exchange;
        if (entry.type != layout::kExchangeTab)
            table->Identity().category = entry.category;
        if (entry.exchange.empty())
            return layout::ShownTabLabel(entry.name);

        const ExchangeList& exchanges = m_host.GetExchanges();
        const std::vector<Instrument*>* instruments =
            layout::InstrumentsOfSource(exchanges, entry.type, entry.exchange, entry.category);
        if (!instruments)
            return layout::ShownTabLabel(entry.name);
        // The host's names may hold line breaks like any the user typed.
        const wxString label = layout::ShownTabLabel(
            layout::ComposeTabLabel(exchanges, entry.type, entry.exchange, entry.category).value_or(entry.name));
        // A whole exchange opens a slice at a time, as from the tab menu,
        // so that the window answers while the layout opens.
        m_board.Rows().FillRows(*instruments, grid, label);
        if (m_board.Rows().IsFilling(grid))
            m_filling = instruments;
        return label;
    }

    void FillFromStore(const std::string& name, wxGridEx* grid)
    {
        const std::optional<std::vector<layout::InstrumentRef>> stored = StoredList(name);
        if (!stored)
            return;
        // One lookup per entry: it both fills the tab and tells what the host does not know.
        std::vector<Instrument*> instruments;
        instruments.reserve(stored->size());
        std::vector<bool> unresolved;
        unresolved.reserve(stored->size());
        for (const layout::InstrumentRef& ref : *stored)
        {
            Instrument* instrument = Find(ref);
            unresolved.push_back(!instrument);
            if (instrument)
                instruments.push_back(instrument);
        }
        SubscribeAll(instruments, grid);
        // Saving the tab must not drop what the host does not know today.
        Tickerdeck::TableOf(grid)->Identity().unresolved = layout::UnresolvedRefs(*stored, std::move(unresolved));
    }

    void SubscribeAll(const std::vector<Instrument*>& instruments, wxGridEx* grid)
    {
        m_board.Rows().SubscribeRows(instruments, grid);
    }

    // From the plug-in's store, which reads the file once for every board.
    // A store that cannot be read is reported once but must not end the
    // load: the tabs and alerts after it would be lost, and the next save
    // would drop them from the layout for good.
    std::optional<std::vector<layout::InstrumentRef>> StoredList(const std::string& name)
    {
        const auto store = m_board.GetStore();
        if (!store || m_storeFailed)
            return std::nullopt;
        try
        {
            return store->Instruments(name);
        }
        catch (const std::exception& e)
        {
            m_storeFailed = true;
            LogException(kLoadError, e);
            TellUser(m_board, FailureText(_("The watchlists could not be read from the store; their tabs open "
                                            "empty."),
                                          e));
        }
        return std::nullopt;
    }

    Instrument* Find(const layout::InstrumentRef& ref)
    {
        return m_host.FindInstrument(ref.code.c_str(), ref.exchange.c_str());
    }

    void RestoreBookmarks(const std::vector<layout::InstrumentRef>& bookmarks, wxGridEx* grid)
    {
        if (bookmarks.empty())
            return;
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        std::set<Instrument*> shown;
        for (Price* price : table->Rows())
            if (price)
                shown.insert(price->instrument);
        // Rows still to come keep their marks too.
        if (m_filling)
            shown.insert(m_filling->begin(), m_filling->end());
        for (const layout::InstrumentRef& ref : bookmarks)
        {
            Instrument* instrument = Find(ref);
            if (instrument && shown.count(instrument))
                table->Members().Bookmarks().insert(instrument);
        }
    }

    void RestoreFilter(const layout::TabEntry& entry, wxGridEx* grid)
    {
        auto filter = std::make_unique<FilterSet>(entry.filters);
        // A tab never holds a filter without conditions: it would show the
        // filtered image over a tab that hides nothing.
        if (filter->IsEmpty())
            return;
        TickerdeckTable* table = Tickerdeck::TableOf(grid);
        table->Filter().Set(filter.get());
        // The rows arrived unfiltered; the tab must open as it was left,
        // filtered and in the order of its sort column.
        m_board.Sorting().RearrangeRows(grid);

        for (const auto& [col, condition] : filter->Unreadable())
        {
            // An operand may be a list of a megabyte: the start tells which.
            const wxString operand = wxString::FromUTF8(condition.value);
            const wxString shown = operand.length() > 40 ? operand.Left(40) + "..." : operand;
            LogError("the filter of tab \"" + entry.name + "\" leaves out a condition on column " +
                     std::to_string(col) + " whose operand is no number: \"" + shown.utf8_string() + "\"");
            TellUser(m_board, wxString::Format(_("The filter of the tab \"%s\" leaves out its condition on "
                                                 "\"%s\": \"%s\" is no number."),
                                               layout::ShownName(entry.name), ColumnLabel(col), shown));
        }
        m_board.Looks().TabFilters()[grid->GetSplitter()] = std::move(filter);
        m_board.Looks().MarkTabFiltered(grid, true);
    }

    // Auto fit sets every width anyway; otherwise the user should know why
    // a column looks other than the file says.
    void TellOfReplacedWidths(const layout::TabEntry& entry)
    {
        const bool replaced = std::any_of(entry.columns.begin(), entry.columns.end(),
                                          [](const layout::ColumnEntry& column) { return column.widthReplaced; });
        if (!replaced)
            return;
        LogError("the tab \"" + entry.name + "\" stores column widths outside 0 to " +
                 std::to_string(layout::kMaxColumnWidth) + " pixels");
        TellUser(m_board, wxString::Format(_("The tab \"%s\" stores column widths that cannot be shown; those "
                                             "columns are now between 0 and %d pixels wide."),
                                           layout::ShownName(entry.name), layout::kMaxColumnWidth));
    }

    Tickerdeck& m_board;
    Host& m_host;
    // The list of the tab being built when it fills a slice at a time.
    const std::vector<Instrument*>* m_filling = nullptr;
    Tree m_fileTree;
    bool m_storeFailed = false;
};

// The layout's damage in the user's language where it is a missing or
// unreadable element, which is what a board node written by hand lacks.
wxString LoadFailureReason(const std::exception& error)
{
    if (const auto* missing = dynamic_cast<const boost::property_tree::ptree_bad_path*>(&error))
        return wxString::Format(_("the element <%s> is missing"),
                                wxString::FromUTF8(missing->path<Tree::path_type>().dump()));
    if (const auto* bad = dynamic_cast<const boost::property_tree::ptree_bad_data*>(&error))
        return wxString::Format(_("the value \"%s\" cannot be read"),
                                wxString::FromUTF8(bad->data<std::string>()));
    return files::ShownReason(error);
}

}  // namespace

void Tickerdeck::Load(void* layoutSource, void* layoutNode)
{
    try
    {
        Host* host = GetHost();
        if (!host)
            throw std::runtime_error("no host");
        BoardLoader(*this, *host).Run(static_cast<const layout::Tree*>(layoutSource),
                                      static_cast<const layout::Tree*>(layoutNode));
    }
    catch (const std::exception& e)
    {
        LogException(kLoadError, e);
        Host* host = GetHost();
        TellUser(*this, wxString::Format(_("A board could not be restored completely from the layout %s: %s"),
                                         host ? wxString::FromUTF8(host->GetLayoutFilePath()) : wxString(),
                                         LoadFailureReason(e)));
    }
}
