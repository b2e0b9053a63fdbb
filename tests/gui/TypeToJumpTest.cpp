// Typing a code on a category or exchange tab selects its first row.

#include <chrono>

#include "commands/TypeToJump.h"
#include "support/BoardFixture.h"

namespace {

using namespace std::chrono_literals;
using testing_support::BoardFixture;

class TypeToJumpTest : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1" current="false"/>
            <watchlist name="All" type="7" exchange="AMX" current="true"/></watchlists>)");
        board->FindFeature<TypeToJump>()->SetClock([this] { return std::chrono::steady_clock::time_point{} + at; });
    }

    /// Types `key` into the current grid at `when`; true when something took it.
    bool Type(wxChar key, std::chrono::milliseconds when)
    {
        at = when;
        wxKeyEvent event(wxEVT_CHAR);
        event.m_uniChar = key;
        event.m_keyCode = key;
        wxWindow* cells = board->GetCurrentGrid()->GetGridWindow();
        event.SetEventObject(cells);
        return cells->ProcessWindowEvent(event);
    }

    Instrument* Selected() const
    {
        const Price* price = Tickerdeck::FirstSelectedPrice(board->GetCurrentGrid());
        return price ? price->instrument : nullptr;
    }

    Tickerdeck* board = nullptr;
    std::chrono::milliseconds at{0};
};

TEST_F(TypeToJumpTest, LettersWithinASecondNarrowTheCodeAndAPauseStartsANewOne)
{
    // AMX shows ARPI, BDI, CDG, AI in that order.
    Type('c', 10s);
    EXPECT_EQ(cdg, Selected());
    Type('A', 20s);
    EXPECT_EQ(arpi, Selected()) << "the first row whose code starts with it";
    Type('i', 20s + 999ms);
    EXPECT_EQ(ai, Selected());
    Type('x', 21s + 500ms);
    EXPECT_EQ(ai, Selected()) << "no code starts with AIX: the selection stays";
    Type('b', 23s);
    EXPECT_EQ(bdi, Selected()) << "after a pause the typing starts over";
}

TEST_F(TypeToJumpTest, AWatchlistTabLeavesTypedKeysToOthers)
{
    Type('b', 1s);
    board->GetNotebook()->SetSelection(0);
    ASSERT_EQ(1, Tickerdeck::TableOf(board->GetCurrentGrid())->GetTabType());
    // The lookup field of a watchlist tab may take the key; the jump must not.
    Type('c', 1s + 100ms);
    EXPECT_EQ("b", board->FindFeature<TypeToJump>()->Typed()) << "nothing was taken as typed";
}

}  // namespace
