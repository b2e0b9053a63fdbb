#pragma once
// A quote table inside a real grid with the board's cell painter, in a shown
// frame.

#include <deque>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/sizer.h>

#include "board/TickerdeckTable.h"
#include "board/WatchlistGridCellRenderer.h"
#include "contract/Records.h"
#include "support/EventLoop.h"
#include "support/FrameTest.h"
#include "support/QuoteEvent.h"

namespace testing_support {

class QuoteGridFixture : public testing_support::FrameTest
{
protected:
    /// Exposes the attribute the grid itself hands to renderers.
    class PaintGrid : public wxGrid
    {
    public:
        using wxGrid::wxGrid;
        using wxGrid::GetCellAttr;
    };

    const wxColour kBackground{255, 255, 255};
    const wxColour kText{1, 2, 3};
    const wxColour kSelection{0, 0, 200};
    const wxColour kHighlight{255, 255, 0};
    const wxColour kBookmark{0, 150, 150};
    const wxColour kUp{255, 0, 0};
    const wxColour kDown{0, 255, 0};

    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "table", wxPoint(0, 0), wxSize(1400, 500));
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        grid = new PaintGrid(frame, wxID_ANY);
        sizer->Add(grid, 1, wxEXPAND);
        frame->SetSizer(sizer);

        table = new TickerdeckTable;
        table->Styler().SetHighlightColour(kHighlight);
        table->Styler().SetBookmarkColour(kBookmark);
        table->Styler().SetUpColour(kUp);
        table->Styler().SetDownColour(kDown);
        renderer = new WatchlistGridCellRenderer;
        grid->SetDefaultRenderer(renderer);
        grid->SetTable(table, true, wxGrid::wxGridSelectRows);
        grid->SetDefaultColSize(40, true);
        grid->SetBackgroundColour(kBackground);
        grid->SetDefaultCellBackgroundColour(kBackground);
        grid->SetForegroundColour(kText);
        grid->SetDefaultCellTextColour(kText);
        grid->SetSelectionBackground(kSelection);
        frame->Show();
        Flush();
    }


    Price* Add(double last, double prevClose = 0.0)
    {
        instruments.emplace_back();
        prices.emplace_back();
        prices.back().instrument = &instruments.back();
        prices.back().last = last;
        prices.back().prevClose = prevClose;
        table->AppendMember(&prices.back());
        TellGrid(wxGRIDTABLE_NOTIFY_ROWS_APPENDED, 1);
        return &prices.back();
    }

    /// Tells the grid of rows the table appended (`first` is then their
    /// count) or deleted, as the board does.
    void TellGrid(int message, int first, int count = -1)
    {
        wxGridTableMessage told(table, message, first, count);
        grid->ProcessTableMessage(told);
    }

    /// A quote update as the host posts it, changing the fields in `mask`.
    void Quote(Price* price, int mask, bool flash = true)
    {
        table->UpdateRow(QuoteEvent(price, mask, flash));
    }

    PaintGrid* grid = nullptr;
    TickerdeckTable* table = nullptr;
    WatchlistGridCellRenderer* renderer = nullptr;
    std::deque<Instrument> instruments;
    std::deque<Price> prices;
};

}  // namespace testing_support
