#pragma once
// A frame with a host container, a recording host and the factory, shared by
// the board window tests.

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxGridEx.h"
#include "plugin/Application.h"
#include "support/EventLoop.h"
#include "support/FakeHost.h"

namespace testing_support {

class BoardFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(40, 40), wxSize(900, 600));
        container = new wxPanel(frame);
        frame->Show();
    }

    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        Flush();
    }

    Tickerdeck* CreateBoard(int flags = 0, uint64_t group = 1)
    {
        return static_cast<Tickerdeck*>(
            application.CreateWindow(group, container, nullptr, nullptr, flags));
    }

    /// A tab showing `instruments`, subscribed the way loading does it.
    wxGridEx* AddTab(Tickerdeck* board, const std::vector<Instrument*>& instruments,
                     const wxString& label, bool select = true)
    {
        wxGridEx* grid = board->CreateTabGrid();
        for (Instrument* instrument : instruments)
            board->SubscribeRow(instrument, grid, Tickerdeck::Delivery::Batch);
        Tickerdeck::NotifyRowsAppended(grid, grid->GetTable()->GetNumberRows());
        board->AddTabPage(grid, label, select);
        return grid;
    }

    static std::vector<Instrument*> InstrumentsShown(const wxGridEx* grid)
    {
        std::vector<Instrument*> shown;
        for (Price* price : Tickerdeck::TableOf(grid)->Rows())
            shown.push_back(price->instrument);
        return shown;
    }

    FakeHost host;
    Application application{&host};
    wxFrame* frame = nullptr;
    wxPanel* container = nullptr;
};

}  // namespace testing_support
