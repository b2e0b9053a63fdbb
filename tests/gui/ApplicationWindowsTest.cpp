// The factory creates board windows into the host's containers and routes link
// events between them by group, target and sender.

#include <algorithm>
#include <vector>

#include <wx/sizer.h>

#include "board/LinkSender.h"
#include "contract/CommandIds.h"
#include "support/BoardFixture.h"

namespace {

using testing_support::Flush;

// Slot N >= 1 of the factory interface is vtable entry N + 1 (Itanium ABI).
template <typename Function>
Function WidgetSlot(Widget* widget, int slot)
{
    void* const* vtable = *reinterpret_cast<void* const* const*>(widget);
    return reinterpret_cast<Function>(vtable[slot == 0 ? 0 : slot + 1]);
}

using CreateSlot = wxWindow* (*)(Widget*, uint64_t, wxWindow*, void*, void*, int);

using FactoryWindows = testing_support::BoardFixture;

TEST_F(FactoryWindows, CreateWindowThroughItsSlotFillsTheContainerAndLimitsIt)
{
    auto* board = wxDynamicCast(
        WidgetSlot<CreateSlot>(&application, 3)(&application, 7, container, nullptr, nullptr, 0), Tickerdeck);
    ASSERT_NE(nullptr, board);
    EXPECT_EQ(container, board->GetParent());
    EXPECT_EQ(7u, board->GetGroup());
    EXPECT_EQ(board, application.FindPanel(container));
    wxSizerItem* item = container->GetSizer() ? container->GetSizer()->GetItem(board) : nullptr;
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(1, item->GetProportion());
    EXPECT_TRUE(item->GetFlag() & wxEXPAND);
    EXPECT_EQ(wxSize(24, 24), container->GetMinSize());
    EXPECT_EQ(wxSize(2147483647, 2147483647), container->GetMaxSize());
    EXPECT_EQ(wxDefaultSize, frame->GetMinSize()) << "the frame is not ours without the own-frame flag";

    CreateBoard(window_flag::OwnFrame);
    EXPECT_EQ(wxSize(24, 24), frame->GetMinSize());
    EXPECT_EQ(wxSize(2147483647, 2147483647), frame->GetMaxSize());
}

/// Boards in several containers, each recording the link events it handles.
class LinkRouting : public testing_support::BoardFixture
{
protected:
    Tickerdeck* AddBoard(uint64_t group)
    {
        auto* board = static_cast<Tickerdeck*>(application.CreateWindow(group, new wxPanel(frame), nullptr, nullptr, 0));
        board->Bind(wxEVT_MENU, [this, board](wxCommandEvent& event) {
            received.push_back(board);
            event.Skip();
        }, cmd::InstrumentLink);
        return board;
    }

    std::vector<Tickerdeck*> received;
};

TEST_F(LinkRouting, GroupAndTargetChooseTheReceiversAndTheSenderIsAlwaysSkipped)
{
    // Boards 0..2 in group 1, board 3 in group 2.
    const std::vector<Tickerdeck*> boards = {AddBoard(1), AddBoard(1), AddBoard(1), AddBoard(2)};
    const struct
    {
        const char* name;
        int sender;  // -1: none
        uint64_t group;
        int target;  // -1: none
        std::vector<int> receivers;
    } cases[] = {
        {"group without target", 1, 1, -1, {0, 2}},
        {"target in the group", -1, 1, 1, {1}},
        {"target outside the group", -1, 1, 3, {}},
        {"sender as the target", 0, 1, 0, {}},
        {"group zero ignores the target", 3, 0, 0, {0, 1, 2}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        received.clear();
        wxCommandEvent event(wxEVT_MENU, cmd::InstrumentLink);
        event.SetClientObject(SenderTag(c.sender < 0 ? nullptr : boards[c.sender]));
        application.Dispatch(event, c.group, c.target < 0 ? nullptr : boards[c.target]);
        EXPECT_TRUE(received.empty()) << "delivered from the event loop, not inside Dispatch";
        Flush();
        std::vector<Tickerdeck*> expected;
        for (int index : c.receivers)
            expected.push_back(boards[index]);
        std::sort(expected.begin(), expected.end());
        std::sort(received.begin(), received.end());
        EXPECT_EQ(expected, received);
    }
}

}  // namespace
