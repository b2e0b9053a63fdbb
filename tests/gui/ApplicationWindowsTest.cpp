// The factory's bookkeeping of board windows: creation into containers,
// closing, saving, size limits and the routing of link events.

#include <map>
#include <vector>

#include <wx/sizer.h>

#include "BoardFixture.h"
#include "plugin/CommandIds.h"

namespace {

using testing_support::BoardFixture;
using testing_support::Flush;

// Slot N >= 1 of the factory interface is vtable entry N + 1 (Itanium ABI).
template <typename Function>
Function WidgetSlot(Widget* widget, int slot)
{
    void* const* vtable = *reinterpret_cast<void* const* const*>(widget);
    return reinterpret_cast<Function>(vtable[slot == 0 ? 0 : slot + 1]);
}

using CreateSlot = wxWindow* (*)(Widget*, uint64_t, wxWindow*, void*, void*, int);
using CloseSlot = void (*)(Widget*, wxWindow*, bool);
using DeleteSlot = void (*)(Widget*);

bool IsChildOf(const wxWindow* parent, const wxWindow* child)
{
    for (const wxWindow* window : parent->GetChildren())
        if (window == child)
            return true;
    return false;
}

class FactoryWindows : public BoardFixture
{
};

TEST_F(FactoryWindows, CreateWindowThroughItsSlotFillsTheContainer)
{
    auto* created = WidgetSlot<CreateSlot>(&application, 3)(&application, 7, container, nullptr,
                                                            nullptr, 0);
    auto* board = wxDynamicCast(created, Tickerdeck);
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(container, board->GetParent());
    EXPECT_EQ(7u, board->GetGroup());
    EXPECT_EQ(board, application.FindPanel(container));

    wxSizer* sizer = container->GetSizer();
    ASSERT_NE(nullptr, sizer);
    wxSizerItem* item = sizer->GetItem(board);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(1, item->GetProportion());
    EXPECT_TRUE(item->GetFlag() & wxEXPAND);
    EXPECT_EQ(0, item->GetBorder());
}

TEST_F(FactoryWindows, SecondCreateInOneContainerKeepsOnlyTheSecond)
{
    Tickerdeck* first = CreateBoard();
    Tickerdeck* second = CreateBoard();
    ASSERT_NE(first, second);
    EXPECT_EQ(second, application.FindPanel(container));
    EXPECT_EQ(1u, application.PanelCount());

    application.CloseWindow(container, true);
    Flush();
    EXPECT_TRUE(IsChildOf(container, first)) << "the earlier board is left alone";
    EXPECT_FALSE(IsChildOf(container, second));
    EXPECT_EQ(0u, application.PanelCount());
}

TEST_F(FactoryWindows, CloseWithoutDestroyForgetsButKeepsTheWindow)
{
    Tickerdeck* board = CreateBoard();
    WidgetSlot<CloseSlot>(&application, 5)(&application, container, false);
    Flush();
    EXPECT_EQ(nullptr, application.FindPanel(container));
    EXPECT_TRUE(IsChildOf(container, board));
    EXPECT_FALSE(board->IsBeingDeleted());
}

TEST_F(FactoryWindows, UnknownContainersAreIgnored)
{
    Tickerdeck* board = CreateBoard();
    wxPanel stranger(frame);
    application.CloseWindow(&stranger, true);
    application.SaveWindow(&stranger, nullptr, nullptr);
    Flush();
    EXPECT_EQ(board, application.FindPanel(container));
    EXPECT_TRUE(IsChildOf(container, board));
}

TEST_F(FactoryWindows, DeletingTheFactoryLeavesTheBoards)
{
    auto* factory = new Application(&host);
    auto* board = factory->CreateWindow(1, container, nullptr, nullptr, 0);
    WidgetSlot<DeleteSlot>(factory, 0 + 1)(factory);  // entry 1: deleting destructor
    Flush();
    EXPECT_TRUE(IsChildOf(container, board));
    board->Destroy();
    Flush();
}

TEST_F(FactoryWindows, ABoardDestroyedWithItsContainerLeavesTheMap)
{
    auto* own = new wxPanel(frame);
    application.CreateWindow(1, own, nullptr, nullptr, 0);
    ASSERT_NE(nullptr, application.FindPanel(own));
    own->Destroy();
    Flush();
    EXPECT_EQ(0u, application.PanelCount());
}

TEST_F(FactoryWindows, SizeLimitsGoOnTheContainerEvenWithoutFlags)
{
    CreateBoard(0);
    EXPECT_EQ(wxSize(24, 24), container->GetMinSize());
    EXPECT_EQ(wxSize(2147483647, 2147483647), container->GetMaxSize());
    EXPECT_EQ(wxDefaultSize, frame->GetMinSize()) << "the frame is not ours without flag 0x1";
}

TEST_F(FactoryWindows, OwnFrameFlagLimitsTheFrameToo)
{
    CreateBoard(window_flag::OwnFrame);
    EXPECT_EQ(wxSize(24, 24), frame->GetMinSize());
    EXPECT_EQ(wxSize(2147483647, 2147483647), frame->GetMaxSize());
}

class FactoryCentring : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        frame->SetSize(wxRect(100, 80, 1000, 800));
        inner = new wxFrame(frame, wxID_ANY, "Inner", wxPoint(0, 0), wxSize(300, 200));
        innerContainer = new wxPanel(inner);
        inner->Show();
        Flush();
    }

    wxFrame* inner = nullptr;
    wxPanel* innerContainer = nullptr;
};

TEST_F(FactoryCentring, CentreFlagCentresTheFrameOnItsParent)
{
    application.CreateWindow(1, innerContainer, nullptr, nullptr, window_flag::CentreFrame);
    const wxRect outer = frame->GetRect();
    const wxRect placed = inner->GetRect();
    EXPECT_NEAR(outer.x + outer.width / 2, placed.x + placed.width / 2, 2);
    EXPECT_NEAR(outer.y + outer.height / 2, placed.y + placed.height / 2, 2);
}

TEST_F(FactoryCentring, WithoutTheFlagTheFrameStays)
{
    const wxPoint before = inner->GetPosition();
    application.CreateWindow(1, innerContainer, nullptr, nullptr, window_flag::OwnFrame);
    EXPECT_EQ(before, inner->GetPosition());
}

/// Boards in several containers, each recording the link events it handles.
class LinkRouting : public BoardFixture
{
protected:
    Tickerdeck* AddBoard(uint64_t group)
    {
        auto* own = new wxPanel(frame);
        auto* board = static_cast<Tickerdeck*>(application.CreateWindow(group, own, nullptr, nullptr, 0));
        board->Bind(wxEVT_MENU, [this, board](wxCommandEvent& event) {
            received.push_back(board);
            event.Skip();
        }, cmd::InstrumentLink);
        return board;
    }

    static wxCommandEvent LinkFrom(wxWindow* sender)
    {
        wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
        event.SetClientObject(SenderTag(sender));
        return event;
    }

    std::vector<Tickerdeck*> Received()
    {
        Flush();
        std::vector<Tickerdeck*> sorted = received;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

    static std::vector<Tickerdeck*> Sorted(std::vector<Tickerdeck*> boards)
    {
        std::sort(boards.begin(), boards.end());
        return boards;
    }

    std::vector<Tickerdeck*> received;
};

TEST_F(LinkRouting, NothingIsHandledBeforeTheEventLoopRuns)
{
    Tickerdeck* a = AddBoard(1);
    Tickerdeck* b = AddBoard(1);
    wxCommandEvent event = LinkFrom(a);
    application.Dispatch(event, 1, nullptr);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(std::vector<Tickerdeck*>{b}, Received());
}

TEST_F(LinkRouting, GroupFiltersAndTheSenderIsSkipped)
{
    Tickerdeck* a = AddBoard(1);
    Tickerdeck* b = AddBoard(1);
    Tickerdeck* c = AddBoard(1);
    AddBoard(2);
    wxCommandEvent event = LinkFrom(b);
    application.Dispatch(event, 1, nullptr);
    EXPECT_EQ(Sorted({a, c}), Received());
}

TEST_F(LinkRouting, TargetInTheGroupAloneReceives)
{
    AddBoard(1);
    Tickerdeck* b = AddBoard(1);
    AddBoard(1);
    wxCommandEvent event = LinkFrom(nullptr);
    application.Dispatch(event, 1, b);
    EXPECT_EQ(std::vector<Tickerdeck*>{b}, Received());
}

TEST_F(LinkRouting, TargetOutsideTheGroupReceivesNothing)
{
    AddBoard(1);
    AddBoard(1);
    Tickerdeck* other = AddBoard(2);
    wxCommandEvent event = LinkFrom(nullptr);
    application.Dispatch(event, 1, other);
    EXPECT_TRUE(Received().empty());
}

TEST_F(LinkRouting, SenderIsSkippedEvenAsTheTarget)
{
    Tickerdeck* a = AddBoard(1);
    AddBoard(1);
    wxCommandEvent event = LinkFrom(a);
    application.Dispatch(event, 1, a);
    EXPECT_TRUE(Received().empty());
}

TEST_F(LinkRouting, GroupZeroReachesEveryBoardButTheSender)
{
    Tickerdeck* a = AddBoard(1);
    Tickerdeck* b = AddBoard(2);
    Tickerdeck* c = AddBoard(3);
    wxCommandEvent event = LinkFrom(b);
    application.Dispatch(event, 0, a);  // the target is ignored without a group
    EXPECT_EQ(Sorted({a, c}), Received());
}

TEST_F(LinkRouting, DeliveredEventsKeepTheirPayload)
{
    Tickerdeck* a = AddBoard(1);
    Tickerdeck* b = AddBoard(1);
    Instrument* instrument = host.AddInstrument("ABC");
    std::vector<wxCommandEvent> copies;
    b->Bind(wxEVT_MENU, [&copies](wxCommandEvent& event) { copies.push_back(event); },
            cmd::InstrumentLink);
    wxCommandEvent event = LinkFrom(a);
    event.SetClientData(instrument);
    event.SetInt(link_kind::FromOtherWidget);
    event.SetString("20240105");
    application.Dispatch(event, 1, nullptr);
    Flush();
    ASSERT_EQ(1u, copies.size());
    EXPECT_EQ(instrument, copies[0].GetClientData());
    EXPECT_EQ(a, SenderOf(copies[0]));
    EXPECT_EQ(link_kind::FromOtherWidget, copies[0].GetInt());
    EXPECT_EQ("20240105", copies[0].GetString());
}

}  // namespace
