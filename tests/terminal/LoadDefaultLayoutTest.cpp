// A board opened by the terminal from the shipped default layout shows the
// shipped tabs, each with the rows that the catalogue and store give it.

#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <gtest/gtest.h>
#include <wx/grid.h>
#include <wx/splitter.h>

#include "TerminalHost.h"
#include "controls/wxFlatNotebook.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;
using Tree = boost::property_tree::ptree;

wxFlatNotebook* NotebookIn(wxWindow* window)
{
    if (auto* notebook = wxDynamicCast(window, wxFlatNotebook))
        return notebook;
    for (wxWindow* child : window->GetChildren())
        if (wxFlatNotebook* notebook = NotebookIn(child))
            return notebook;
    return nullptr;
}

wxGrid* GridOfPage(wxWindow* page)
{
    auto* splitter = wxDynamicCast(page, wxSplitterWindow);
    return splitter ? wxDynamicCast(splitter->GetWindow1(), wxGrid) : nullptr;
}

// Instruments of the stored watchlist `name` that the host knows.
int KnownStoredInstruments(TerminalHost& host, const std::string& storePath, const std::string& name)
{
    Tree store;
    boost::property_tree::read_xml(storePath, store);
    int count = 0;
    for (const auto& [key, watchlist] : store.get_child("application.watchlists"))
    {
        if (key != "watchlist" || watchlist.get<std::string>("<xmlattr>.name", "") != name)
            continue;
        for (const auto& [childKey, instrument] : watchlist)
            if (childKey == "instrument" &&
                host.FindInstrument(instrument.get<std::string>("<xmlattr>.code", "").c_str(),
                                    instrument.get<std::string>("<xmlattr>.exchange", "").c_str()))
                ++count;
    }
    return count;
}

int CategorySize(TerminalHost& host, const std::string& exchange, int kind, const std::string& key)
{
    const Exchange* found = FindExchange(host.GetExchanges(), exchange);
    const Category* category = found && found->Group(kind) ? found->Group(kind)->Find(key) : nullptr;
    return category ? static_cast<int>(category->instruments.size()) : -1;
}

TEST(DefaultLayout, TheFirstBoardShowsTheShippedTabs)
{
    TempFolder folder;
    Terminal terminal(QuietOptions(folder));
    terminal.Start();
    ASSERT_NE(terminal.Frame(), nullptr);
    testing_support::Flush(5);

    wxFlatNotebook* notebook = NotebookIn(terminal.Frame());
    ASSERT_NE(notebook, nullptr) << "the docked board opened at start";

    const std::vector<wxString> expected = {"Default", "Core Holdings", "Technology (AMX)", "AMX 100 (AMX)",
                                            "Kanto Exchange (KTX)"};
    ASSERT_EQ(expected.size(), notebook->GetPageCount());
    for (size_t page = 0; page < expected.size(); ++page)
        EXPECT_EQ(expected[page], notebook->GetPageText(page)) << page;
    EXPECT_EQ(1, notebook->GetSelection());

    TerminalHost& host = terminal.Host();
    const std::string store = folder / "config/watchlists.xml";
    const std::vector<int> rows = {
        KnownStoredInstruments(host, store, "Default"),
        KnownStoredInstruments(host, store, "Core Holdings"),
        CategorySize(host, "AMX", 2, "TECH"),
        CategorySize(host, "AMX", 3, "AMX100"),
        static_cast<int>(FindExchange(host.GetExchanges(), "KTX")->instruments.size()),
    };
    for (size_t page = 0; page < rows.size(); ++page)
    {
        EXPECT_GT(rows[page], 0) << page;
        wxGrid* grid = GridOfPage(notebook->GetPage(page));
        ASSERT_NE(grid, nullptr) << page;
        EXPECT_EQ(rows[page], grid->GetNumberRows()) << expected[page];
        EXPECT_EQ(rows[page], grid->GetTable()->GetNumberRows()) << expected[page];
    }

    CloseAndShutdown(terminal);
}

}  // namespace
