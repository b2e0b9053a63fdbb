// What the terminal gives a board window beyond quotes: the "Window" menu's
// split and close, and the flag panels its flag dialogs load.

#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/aui/aui.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/tokenzr.h>
#include <wx/xrc/xmlres.h>

#include "BoardWindowIds.h"
#include "TerminalHost.h"
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

std::vector<wxString> PanelLabels(wxWindow* parent, const char* panelName)
{
    std::vector<wxString> labels;
    wxPanel* panel = wxXmlResource::Get()->LoadPanel(parent, panelName);
    if (panel)
        ForEachBelow<wxCheckBox>(panel, [&](wxCheckBox* box) { labels.push_back(box->GetLabel()); });
    return labels;
}

/// Every flag of every instrument text has a box, and every box a flag.
void ExpectPanelFitsTexts(const std::vector<wxString>& labels, const std::vector<std::string>& texts,
                          const char* panelName)
{
    ASSERT_FALSE(labels.empty()) << panelName << " loads with check boxes";
    std::set<wxString> used;
    for (const std::string& text : texts)
    {
        wxStringTokenizer flags(wxString::FromUTF8(text), ";");
        while (flags.HasMoreTokens())
        {
            const wxString flag = flags.GetNextToken();
            bool boxed = false;
            for (const wxString& label : labels)
            {
                if (!flag.Contains(label))
                    continue;
                boxed = true;
                used.insert(label);
            }
            EXPECT_TRUE(boxed) << panelName << " has no box for \"" << flag << "\"";
        }
    }
    EXPECT_EQ(labels.size(), used.size()) << panelName << " offers a box no instrument text can tick";
}

void PostTo(wxWindow* window, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    wxPostEvent(window, event);
    Flush(5);
}

TEST(BoardWindow, SplitAndCloseArrangeBoardWindowsAndFlagPanelsFitTheCatalogue)
{
    TempFolder folder;
    Terminal terminal(QuietOptions(folder));
    terminal.Start();
    MainFrame* frame = terminal.Frame();
    Flush(5);
    ASSERT_EQ(1u, frame->DockedPaneCount());
    OpenWindows& windows = terminal.Host().Windows();
    wxWindow* first = windows.All().front().container;
    const size_t oneBoard = terminal.Quotes().SubscriptionCount();

    PostTo(windows.All().front().panel, board_window::SplitVertical);
    ASSERT_EQ(2u, frame->DockedPaneCount());
    wxWindow* beside = windows.All().back().container;
    const wxRect left = first->GetScreenRect();
    const wxRect right = beside->GetScreenRect();
    EXPECT_GE(right.x, left.GetRight()) << "beside, to the right";
    EXPECT_TRUE(right.y < left.GetBottom() && left.y < right.GetBottom()) << "side by side";

    PostTo(windows.All().back().panel, board_window::SplitHorizontal);
    ASSERT_EQ(3u, frame->DockedPaneCount());
    const wxRect upper = beside->GetScreenRect();
    const wxRect lower = windows.All().back().container->GetScreenRect();
    EXPECT_GE(lower.y, upper.GetBottom()) << "below";
    EXPECT_TRUE(lower.x < upper.GetRight() && upper.x < lower.GetRight()) << "one above the other";

    // Closing the centre board hands the centre to another; the others give back their quotes.
    PostTo(windows.All().front().panel, board_window::Close);
    EXPECT_EQ(2u, frame->DockedPaneCount());
    EXPECT_EQ(wxAUI_DOCK_CENTER, wxAuiManager::GetManager(beside)->GetPane(beside).dock_direction);
    PostTo(windows.All().back().panel, board_window::Close);
    EXPECT_EQ(1u, frame->DockedPaneCount());
    EXPECT_EQ(oneBoard, terminal.Quotes().SubscriptionCount());

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

    // The flag panels the board's flag dialogs load came with the start.
    ASSERT_NE(nullptr, wxXmlResource::Get()->GetResourceNode("INSTR.STATUS"));
    std::vector<std::string> statuses;
    std::vector<std::string> actions;
    for (const Instrument* instrument : terminal.Host().GetInstruments())
    {
        if (!instrument->tradingStatus.empty())
            statuses.push_back(instrument->tradingStatus);
        if (!instrument->corporateAction.empty())
            actions.push_back(instrument->corporateAction);
    }
    ExpectPanelFitsTexts(PanelLabels(frame, "INSTR.STATUS"), statuses, "INSTR.STATUS");
    ExpectPanelFitsTexts(PanelLabels(frame, "INSTR.CA"), actions, "INSTR.CA");
    CloseAndShutdown(terminal);
}

}  // namespace
