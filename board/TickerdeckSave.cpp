// Writing a board back into the host's layout document.

#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <wx/grid.h>
#include <wx/intl.h>

#include "board/ColumnLayout.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "kit/UserNotice.h"
#include "contract/Host.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "layout/ColourRuleNodes.h"
#include "layout/TreeValues.h"
#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "model/ColumnSpec.h"
#include "model/Logger.h"

namespace {

using layout::Tree;

const char* const kSaveError = "Tickerdeck::Save error:";

// Bookmarks in the tab's stored row order, so the node reads the same on
// every run; any left over (no longer shown) follow in the set's order.
std::vector<layout::InstrumentRef> BookmarksOf(const TickerdeckTable& table)
{
    const std::set<Instrument*>& marked = table.Members().Bookmarks();
    std::vector<layout::InstrumentRef> refs;
    std::set<Instrument*> written;
    for (const Price* price : table.Members().List())
    {
        Instrument* instrument = price ? price->instrument : nullptr;
        if (instrument && marked.count(instrument) && written.insert(instrument).second)
            refs.push_back({instrument->exchange, instrument->code});
    }
    for (Instrument* instrument : marked)
        if (instrument && !written.count(instrument))
            refs.push_back({instrument->exchange, instrument->code});
    return refs;
}

// The layout names columns in English whatever language the grid shows,
// and without the unit a setting makes the grid show them with.
std::vector<std::string> ColumnLabels(TickerdeckTable& table)
{
    std::vector<std::string> labels;
    for (int id = 0; id < table.GetNumberCols(); ++id)
        labels.push_back(IsColumn(id) ? std::string(ColumnAt(id).label)
                         : IsComputedColumn(id) && static_cast<size_t>(id - column::Count) < table.Format().computed.Size()
                             ? table.Format().computed.Def(static_cast<size_t>(id - column::Count)).name
                             : layout::ToTreeText(table.GetColLabelValue(id)));
    return labels;
}

/// Writes one board into its window node; lives for one Save call.
class BoardSaver
{
public:
    explicit BoardSaver(Tickerdeck& board) : m_board(board) {}

    void Run(Tree* layoutSource, Tree& node)
    {
        WriteSettings(node);
        Tree watchlists = BuildWatchlists();
        node.put_child("watchlists", watchlists);
        node.erase(layout::kColumnSetsElement);
        if (!m_board.Looks().ColumnSets().sets.empty())
            node.put_child(layout::kColumnSetsElement, layout::ColumnSetsTree(m_board.Looks().ColumnSets()));
        // Alerts and whatever else the features keep.
        m_board.Features().SaveLayout(node);
        if (m_board.HasOwnFrame() && layoutSource)
            CopyAsDefault(*layoutSource, node);
    }

private:
    void WriteSettings(Tree& node)
    {
        layout::WriteWindowSettings(node, m_board.Settings());
    }

    Tree BuildWatchlists()
    {
        Tree watchlists;
        wxFlatNotebook* notebook = m_board.Tabs().Notebook();
        for (size_t page = 0; page < notebook->GetPageCount(); ++page)
        {
            wxGridEx* grid = GridOfPage(notebook->GetPage(page));
            if (!grid)
                continue;
            const bool current = static_cast<int>(page) == notebook->GetSelection();
            watchlists.add_child("watchlist", TabTree(*grid, notebook->GetPageText(page), current));
        }
        return watchlists;
    }

    wxGridEx* GridOfPage(wxWindow* page) const
    {
        for (wxGridEx* grid : m_board.Tabs().Grids())
            if (grid->GetSplitter() == page)
                return grid;
        return nullptr;
    }

    Tree TabTree(wxGridEx& grid, const wxString& label, bool current)
    {
        TickerdeckTable& table = *Tickerdeck::TableOf(&grid);
        layout::TabEntry entry;
        // A stored list's own bytes, which its label may not show exactly.
        entry.name = table.Identity().tabType == layout::kStoredWatchlistTab ? table.Identity().watchlistName
                                                                       : layout::ToTreeText(label);
        entry.current = current;
        entry.type = table.Identity().tabType;
        entry.exchange = table.Identity().exchange;
        entry.category = table.Identity().category;
        entry.columns = ColumnLayoutOf(&grid);
        if (const FilterSet* filter = table.Filter().Get())
        {
            entry.hasFilters = true;
            entry.filters = filter->GetColumns();
        }
        entry.bookmarks = BookmarksOf(table);
        entry.computed = table.Format().computed.Defs();
        entry.colourRules = table.Styler().GetColourRules();
        return layout::TabEntryTree(entry, ColumnLabels(table));
    }

    void CopyAsDefault(Tree& layoutSource, const Tree& node)
    {
        Tree& copy = layoutSource.put_child(layout::kDefaultWindowPath, node);
        wxWindow* container = m_board.GetParent();
        wxWindow* frame = container ? container->GetParent() : nullptr;
        if (!frame)
            return;
        const wxSize size = frame->GetSize();
        copy.put("<xmlattr>.size-x", std::to_string(size.GetWidth()));
        copy.put("<xmlattr>.size-y", std::to_string(size.GetHeight()));
    }

    Tickerdeck& m_board;
};

}  // namespace

void Tickerdeck::Save(void* layoutSource, void* layoutNode)
{
    if (!layoutNode)
        return;
    try
    {
        BoardSaver(*this).Run(static_cast<Tree*>(layoutSource), *static_cast<Tree*>(layoutNode));
    }
    catch (const std::exception& e)
    {
        LogException(kSaveError, e);
        TellUser(*this, FailureText(_("A board could not be saved into the layout completely."), e));
    }
}
