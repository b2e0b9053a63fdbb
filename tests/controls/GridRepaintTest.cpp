// How a grid repaints cells that change many times a second: no more often
// than its budget, and nothing held back lost.

#include <algorithm>
#include <chrono>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/region.h>

#include "RepaintBudget.h"
#include "support/EventLoop.h"
#include "support/FrameTest.h"
#include "wxGridEx.h"

namespace {

using namespace std::chrono_literals;
using testing_support::Flush;
using testing_support::PumpUntil;

TEST(RepaintBudgetTest, WaitsInProportionToThePaintAndNeverTooLong)
{
    RepaintBudget budget;
    const auto start = RepaintBudget::Clock::now();
    EXPECT_EQ(budget.WaitFrom(start), RepaintBudget::Clock::duration::zero()) << "a grid that never painted";

    budget.PaintFinished(start, start + 5ms);
    EXPECT_EQ(budget.WaitFrom(start + 5ms), 5ms * RepaintBudget::kIdleShare);
    EXPECT_EQ(budget.WaitFrom(start + 25ms), 5ms * RepaintBudget::kIdleShare - 20ms);
    EXPECT_EQ(budget.WaitFrom(start + 5ms + 5ms * RepaintBudget::kIdleShare), RepaintBudget::Clock::duration::zero());

    budget.PaintFinished(start, start + 2s);
    EXPECT_EQ(budget.WaitFrom(start + 2s), RepaintBudget::kLongestWait) << "a very slow paint";

    // With nothing queued behind a change, a shorter rest: a frame after a
    // quick paint, a smaller multiple of a slow one.
    budget.PaintFinished(start, start + 1ms);
    EXPECT_EQ(budget.WaitFrom(start + 1ms, false), RepaintBudget::kFrame);
    EXPECT_EQ(budget.WaitFrom(start + 11ms, false), RepaintBudget::kFrame - 10ms);
    budget.PaintFinished(start, start + 5ms);
    EXPECT_EQ(budget.WaitFrom(start + 5ms, false), 5ms * RepaintBudget::kDrainedShare);
    EXPECT_EQ(budget.WaitFrom(start + 15ms, true), 5ms * RepaintBudget::kIdleShare - 10ms) << "a backlog rests longer";
    budget.PaintFinished(start, start + 100us);
    EXPECT_EQ(budget.WaitFrom(start + 100us, false), 100us * RepaintBudget::kIdleShare) << "a quicker rest of its own";
    budget.PaintFinished(start, start + 2s);
    EXPECT_EQ(budget.WaitFrom(start + 2s, false), RepaintBudget::kLongestDrainedWait)
        << "a board that keeps up shows a change soon however slow its paints";
    EXPECT_EQ(budget.WaitFrom(start + 2s, true), RepaintBudget::kLongestWait);

    // A clock that stepped back must not hold painting off.
    budget.PaintFinished(start + 1s, start);
    EXPECT_EQ(budget.WaitFrom(start), RepaintBudget::Clock::duration::zero());
}

/// Records the update region of every paint of a grid's cell area.
class GridRepaintTest : public testing_support::FrameTest
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "repaint", wxPoint(0, 0), wxSize(700, 500));
        grid = new wxGridEx(new wxPanel(frame), wxID_ANY, wxPoint(0, 0), wxSize(700, 500));
        grid->CreateGrid(200, 8);
        grid->SetDefaultColSize(80, true);
        grid->SetDefaultRowSize(20, true);
        grid->GetGridWindow()->Bind(wxEVT_PAINT, [this](wxPaintEvent& event) {
            paints.push_back(grid->GetGridWindow()->GetUpdateRegion());
            event.Skip();
        });
        frame->Show();
        Flush();
        testing_support::RunFor(100);
        paints.clear();
    }


    /// A cell's rectangle in the grid window's (unscrolled) pixels.
    wxRect CellArea(int row, int col) const { return grid->CellToRect(row, col); }

    bool Painted(const wxRect& area) const
    {
        for (const wxRegion& region : paints)
            if (region.Contains(area) == wxInRegion)
                return true;
        return false;
    }

    /// Asks for every one of `areas` to be repainted soon; whether each was, in time.
    bool RepaintsAll(const std::vector<wxRect>& areas)
    {
        for (const wxRect& area : areas)
            grid->RefreshAreaSoon(area);
        const auto painted = [this](const wxRect& area) { return Painted(area); };
        return PumpUntil([&] { return std::all_of(areas.begin(), areas.end(), painted); });
    }

    wxGridEx* grid = nullptr;
    std::vector<wxRegion> paints;
};

// Someone else's paint (an expose, a click) shows the newest rows in its own
// area; whatever the budget still holds back must follow at once, or a row
// that moved shows in two places until the rest ends.
TEST_F(GridRepaintTest, APaintOfAnotherCauseTakesWhatTheBudgetHoldsBackAlongToTheNextFrame)
{
    wxWindow* cells = grid->GetGridWindow();
    // A paint of every cell: the rest that follows is long enough to look at.
    ASSERT_TRUE(RepaintsAll({wxRect(wxPoint(0, 0), cells->GetClientSize())}));
    paints.clear();
    const wxRect held = CellArea(9, 3);
    // With events queued behind it, the change rests as under a flood.
    frame->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, wxID_ANY));
    grid->RefreshAreaSoon(held);
    const wxRect foreign = CellArea(4, 6);
    cells->RefreshRect(wxRect(grid->CalcScrolledPosition(foreign.GetPosition()), foreign.GetSize()), false);
    cells->Update();
    ASSERT_TRUE(Painted(foreign));
    cells->Update();
    EXPECT_TRUE(Painted(held));
}

}  // namespace
