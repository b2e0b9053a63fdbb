#pragma once
// A board as the terminal shows it, opened from a layout node in a frame of
// its own, and the layouts the benchmarks open it with.

#include <string>
#include <utility>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include "BenchMain.h"
#include "board/BoardRows.h"
#include "board/RowTargets.h"
#include "board/TabFill.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/ColumnSpec.h"
#include "plugin/Application.h"

namespace bench_support {

using Tree = boost::property_tree::ptree;

inline const char* const kShippedLayout = "data/layout.xml";
inline const char* const kDefaultNodePath = "application.layout.default.tickerdeck";
/// The cell area every measured grid gets: it fits a 1920x1200 screen.
inline const wxSize kGridWindowSize(1600, 900);

/// The shipped default board node with one current tab, the shipped columns
/// under `attributes` (name, type, exchange, ...). With `sortedByLast` the
/// tab is sorted by Last, descending.
inline Tree OneTabNode(const std::vector<std::pair<std::string, std::string>>& attributes,
                       bool sortedByLast = false)
{
    Tree document;
    boost::property_tree::read_xml(kShippedLayout, document);
    Tree node = document.get_child(kDefaultNodePath);
    Tree& watchlists = node.get_child("watchlists");
    Tree tab;
    tab.put("<xmlattr>.current", "true");
    for (const auto& [key, value] : attributes)
        tab.put("<xmlattr>." + key, value);
    Tree& columns = tab.add_child("columns", watchlists.front().second.get_child("columns"));
    if (sortedByLast)
        for (auto& column : columns)
        {
            const bool isLast = column.second.get<int>("<xmlattr>.id", -1) == column::Last;
            column.second.put("<xmlattr>.sort", isLast ? "true" : "false");
            column.second.put("<xmlattr>.ascending", "false");
        }
    watchlists.clear();
    watchlists.add_child("watchlist", tab);
    return node;
}

/// A whole exchange as one tab.
inline Tree ExchangeTabNode(const std::string& exchange, bool sortedByLast = false)
{
    return OneTabNode({{"name", exchange}, {"type", "7"}, {"exchange", exchange}}, sortedByLast);
}

/// A stored watchlist as one tab.
inline Tree WatchlistTabNode(const std::string& name, bool sortedByLast = false)
{
    return OneTabNode({{"name", name}, {"type", "1"}}, sortedByLast);
}

/// Replaces the store file at `path` with `lists` and lets `application`'s
/// store read it, so that a timed command finds it read.
inline void WriteStore(Application& application, const std::string& path,
                       const std::vector<std::pair<std::string, std::vector<layout::InstrumentRef>>>& lists)
{
    Tree store;
    store.put_child("application.watchlists", Tree());
    for (const auto& [name, instruments] : lists)
        store::AppendWatchlist(store, name, instruments);
    store::WriteStore(path, store);
    application.WatchlistStore()->Refresh();
}

/// Grows or shrinks `frame` until `inner` has exactly `wanted` as client size.
inline void FitFrameAround(wxFrame* frame, wxWindow* inner, const wxSize& wanted)
{
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        const wxSize actual = inner->GetClientSize();
        if (actual == wanted)
            return;
        frame->SetClientSize(frame->GetClientSize() + (wanted - actual));
        frame->Layout();
        Flush();
    }
}

/// A shown frame holding a host container, and the board opened in it.
class BoardWindow
{
public:
    BoardWindow()
        : m_frame(new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(0, 0), wxSize(1700, 1050))),
          m_container(new wxPanel(m_frame))
    {
        m_frame->Show();
        Flush();
    }

    ~BoardWindow()
    {
        // The board goes before its frame, the way the terminal closes it.
        if (m_board)
            m_board->Destroy();
        Flush();
        m_frame->Destroy();
        Flush();
    }

    BoardWindow(const BoardWindow&) = delete;
    BoardWindow& operator=(const BoardWindow&) = delete;

    void Open(Application& factory, const Tree& node)
    {
        m_board = static_cast<Tickerdeck*>(
            factory.CreateWindow(1, m_container, nullptr, const_cast<Tree*>(&node), 0));
        wxTheApp->ProcessPendingEvents();
    }

    /// Makes the grid's cell area the benchmark's size and shows the top rows.
    void SizeGridWindow()
    {
        m_frame->SendSizeEvent();
        Flush();
        FitFrameAround(m_frame, Grid()->GetGridWindow(), kGridWindowSize);
        Grid()->Scroll(0, 0);
        Flush();
    }

    /// Runs the slices of a long tab's fill back to back until the current
    /// tab holds every row.
    void FinishFilling()
    {
        BoardRows& rows = m_board->Rows();
        while (rows.IsFilling(Grid()))
            rows.GetTabFills().Step();
    }

    wxFrame* Frame() const { return m_frame; }
    Tickerdeck* Board() const { return m_board; }
    wxGridEx* Grid() const { return m_board->Tabs().CurrentGrid(); }
    TickerdeckTable* Table() const { return Tickerdeck::TableOf(Grid()); }
    int Rows() const { return m_board ? Table()->GetNumberRows() : 0; }

    /// Every row of the current tab, as a command on all of them takes them.
    RowTargets AllRows() const { return RowTargets{Grid(), Table()->Members().List()}; }

private:
    wxFrame* m_frame;
    wxPanel* m_container;
    Tickerdeck* m_board = nullptr;
};

}  // namespace bench_support
