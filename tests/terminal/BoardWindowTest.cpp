// What the terminal gives a board window beyond quotes: the "Window" menu's
// split and close, and the flag panels its flag dialogs load.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/splitter.h>
#include <wx/xrc/xmlres.h>

#include "BoardWindowIds.h"
#include "TerminalHost.h"
#include "contract/CommandIds.h"
#include "contract/Widget.h"
#include "controls/wxFlatNotebook.h"
#include "market/QuoteBook.h"

#include "TerminalTestSupport.h"

namespace {

using namespace terminal_test;
using testing_support::Flush;

template <class T>
void ForEachBelow(wxWindow* window, const std::function<void(T*)>& visit)
{
    for (wxWindow* child : window->GetChildren())
    {
        if (T* found = wxDynamicCast(child, T))
            visit(found);
        ForEachBelow<T>(child, visit);
    }
}

/// Bookmarks a row of the board's current tab as the user does; returns the
/// row's instrument code.
wxString BookmarkRow(wxWindow* board, int row)
{
    wxFlatNotebook* notebook = FindBelow<wxFlatNotebook>(board);
    auto* splitter = notebook && notebook->GetSelection() >= 0
                         ? wxDynamicCast(notebook->GetPage(notebook->GetSelection()), wxSplitterWindow)
                         : nullptr;
    wxGrid* grid = splitter ? wxDynamicCast(splitter->GetWindow1(), wxGrid) : nullptr;
    if (!grid || grid->GetNumberRows() <= row)
        return wxString();
    const wxString code = grid->GetCellValue(row, 2);  // the "Code" column
    grid->SelectRow(row);
    PostTo(board, cmd::ToggleBookmark);
    return code;
}

using Tree = boost::property_tree::ptree;

/// What the board would save now, less the column widths, which follow the
/// size of the window it sits in.
Tree StateOf(const OpenWindow& window)
{
    Tree state;
    window.widget->SaveWindow(window.container, nullptr, &state);
    for (auto& [key, tab] : state.get_child("watchlists"))
        for (auto& [columnKey, column] : tab.get_child("columns"))
            column.get_child("<xmlattr>").erase("size");
    return state;
}

/// How many bookmarks of the tabs together are of `code`.
int TimesBookmarked(const Tree& state, const wxString& code)
{
    int times = 0;
    for (const auto& [key, tab] : state.get_child("watchlists"))
        if (const auto bookmarks = tab.get_child_optional("bookmark"))
            for (const auto& [instrumentKey, instrument] : *bookmarks)
                times += instrument.get<std::string>("<xmlattr>.code", "") == code.ToStdString();
    return times;
}

TEST(BoardWindow, CloseAsksReopenBringsABoardBackSplitAndCloseArrangeBoardsAndFlagPanelsFitTheCatalogue)
{
    TempFolder folder;
    Terminal terminal(QuietOptions(folder));
    terminal.Start();
    MainFrame* frame = terminal.Frame();
    Flush(5);
    OpenWindows& windows = terminal.Host().Windows();
    ASSERT_EQ(1u, windows.All().size());
    const wxString code = BookmarkRow(windows.All().front().panel, 0);
    ASSERT_FALSE(code.empty());
    const Tree before = StateOf(windows.All().front());
    ASSERT_EQ(1, TimesBookmarked(before, code)) << "set since the last save";

    std::vector<wxString> asked;
    bool answer = false;
    frame->SetCloseConfirmation([&](wxWindow*, const wxString& question) {
        asked.push_back(question);
        return answer;
    });
    PostTo(windows.All().front().panel, board_window::Close);
    ASSERT_EQ(1u, asked.size()) << "the terminal asks before a board goes";
    ASSERT_EQ(1u, windows.All().size()) << "No keeps the board";
    EXPECT_FALSE(frame->ReopenClosedBoard()) << "nothing was closed";

    answer = true;
    PostTo(windows.All().front().panel, board_window::Close);
    EXPECT_TRUE(windows.All().empty());
    ASSERT_TRUE(frame->ReopenClosedBoard());
    Flush(5);
    ASSERT_EQ(1u, frame->DockedPaneCount());
    wxWindow* container = windows.All().front().container;
    EXPECT_EQ(wxAUI_DOCK_CENTER, DockOf(container)) << "the only board fills the frame again";
    EXPECT_TRUE(before == StateOf(windows.All().front()))
        << "tabs, sort, filters, bookmarks, alerts, settings";
    EXPECT_FALSE(frame->ReopenClosedBoard()) << "each closed board comes back once";

    const size_t oneBoard = terminal.Quotes().SubscriptionCount();

    // A new board starts as this one is now: with a bookmark set since it opened.
    const wxString another = BookmarkRow(windows.All().front().panel, 1);
    ASSERT_FALSE(another.empty());
    PostTo(windows.All().front().panel, board_window::SplitVertical);
    ASSERT_EQ(2u, frame->DockedPaneCount());
    const Tree splitFrom = StateOf(windows.All().front());
    EXPECT_EQ(1, TimesBookmarked(splitFrom, another));
    EXPECT_TRUE(splitFrom == StateOf(windows.All().back()));
    wxWindow* beside = windows.All().back().container;
    EXPECT_GE(beside->GetScreenRect().x, container->GetScreenRect().GetRight()) << "beside, to the right";

    PostTo(windows.All().back().panel, board_window::SplitHorizontal);
    ASSERT_EQ(3u, frame->DockedPaneCount());
    wxWindow* lower = windows.All().back().container;
    EXPECT_GE(lower->GetScreenRect().y, beside->GetScreenRect().GetBottom()) << "below";

    // Closing the centre board hands the centre to another; the others give back their quotes.
    PostTo(windows.All().front().panel, board_window::Close);
    EXPECT_EQ(2u, frame->DockedPaneCount());
    EXPECT_EQ(wxAUI_DOCK_CENTER, DockOf(beside));
    PostTo(windows.All().back().panel, board_window::Close);
    EXPECT_EQ(1u, frame->DockedPaneCount());
    EXPECT_EQ(oneBoard, terminal.Quotes().SubscriptionCount());

    // Of two stacked boards the one left takes the freed space, though a
    // board docked further out opened before it.
    wxWindow* outer = frame->OpenDockedBoard()->GetParent();
    PostTo(windows.All().front().panel, board_window::SplitHorizontal);
    wxWindow* stacked = windows.All().back().container;
    const int stackHeight = beside->GetSize().y + stacked->GetSize().y;
    PostTo(windows.All().front().panel, board_window::Close);
    EXPECT_EQ(wxAUI_DOCK_CENTER, DockOf(stacked));
    EXPECT_GE(stacked->GetSize().y, stackHeight);
    PostTo(windows.FindByContainer(outer)->panel, board_window::Close);
    ASSERT_EQ(1u, frame->DockedPaneCount());

    // A framed board splits into a frame next to its own and closes with it.
    ASSERT_NE(nullptr, frame->OpenFramedBoard(nullptr, wxRect(50, 60, 500, 300)));
    const wxFrame* framed = windows.All().back().frame;
    PostTo(windows.All().back().panel, board_window::SplitHorizontal);
    ASSERT_EQ(3u, windows.All().size());
    const wxFrame* below = windows.All().back().frame;
    ASSERT_NE(nullptr, below);
    EXPECT_GE(below->GetRect().y, framed->GetRect().GetBottom());
    PostTo(windows.All().back().panel, board_window::Close);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return windows.All().size() == 2u; }));

    // The flag panels the board's flag dialogs load came with the start: a
    // box for every flag the catalogue writes, and a flag for every box.
    for (const auto& [panelName, text] : {std::pair{"INSTR.STATUS", &Instrument::tradingStatus},
                                          std::pair{"INSTR.CA", &Instrument::corporateAction}})
    {
        wxPanel* panel = wxXmlResource::Get()->LoadPanel(frame, panelName);
        ASSERT_NE(nullptr, panel) << panelName;
        std::set<wxString> labels, used;
        ForEachBelow<wxCheckBox>(panel, [&](wxCheckBox* box) { labels.insert(box->GetLabel()); });
        for (const Instrument* instrument : terminal.Host().GetInstruments())
            for (const wxString& flag : wxSplit(wxString::FromUTF8(instrument->*text), ';', 0))
            {
                bool boxed = flag.empty();
                for (const wxString& label : labels)
                    if (flag.Contains(label))
                    {
                        boxed = true;
                        used.insert(label);
                    }
                EXPECT_TRUE(boxed) << panelName << " has no box for \"" << flag << "\"";
            }
        EXPECT_EQ(labels.size(), used.size()) << panelName << " offers a box no instrument text can tick";
    }
    CloseAndShutdown(terminal);
}

}  // namespace
