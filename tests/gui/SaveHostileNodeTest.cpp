// Damaged window nodes: whatever a load makes of them, the save writes a
// complete, valid node and keeps every text whole.

#include <set>
#include <string>
#include <vector>

#include "SaveTestFixture.h"
#include "layout/WindowNodeReader.h"

namespace {

using testing_support::SaveFixture;
using testing_support::Tree;

class SaveHostileNode : public SaveFixture
{
};

TEST_F(SaveHostileNode, BadColumnsStillSaveAllThirtyOneInAValidOrder)
{
    StoreWatchlists("");
    Tickerdeck* board = LoadNode(R"(<setting><general auto_fit_column_width="false"/></setting>
      <watchlists><watchlist name="W" type="1"><columns>
        <column id="-1" size="50" show="true" position="0"/>
        <column id="31" size="50" show="true" position="1"/>
        <column id="99999999999" show="true"/>
        <column id="abc" size="77" show="true" position="2"/>
        <column id="4" size="-3" show="maybe" position="-5"/>
        <column id="5" size="abc" show="true" position="100"/>
        <column id="6" size="2147483648" show="true" position="3"/>
        <column id="7" size="123" show="true" position="30"/>
      </columns></watchlist></watchlists>)");
    const Tree node = Saved(board);
    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(node.get_child("watchlists"));
    ASSERT_EQ(1u, tabs.size());
    ASSERT_EQ(31u, tabs[0].columns.size());
    std::set<int> positions;
    for (size_t id = 0; id < tabs[0].columns.size(); ++id)
    {
        EXPECT_EQ(static_cast<int>(id), tabs[0].columns[id].id);
        EXPECT_GE(tabs[0].columns[id].size, 0);
        positions.insert(tabs[0].columns[id].position);
    }
    EXPECT_EQ(31u, positions.size());
    EXPECT_EQ(0, *positions.begin());
    EXPECT_EQ(30, *positions.rbegin());
    EXPECT_EQ(30, tabs[0].columns[7].position);
    EXPECT_EQ(123, tabs[0].columns[7].size);
    EXPECT_EQ(77, tabs[0].columns[0].size) << "a non-numeric id reads as column 0";
}

TEST_F(SaveHostileNode, HugeAndMarkupTextsSurviveNodeAndStore)
{
    const std::string huge(1 << 20, 'x');
    const std::string odd = "<&\"'> \xE2\x82\xAC \xF0\x9F\x93\x88 " + huge;
    StoreWatchlists("");
    nodes.push_back(std::make_unique<Tree>());
    Tree& input = *nodes.back();
    input.put("setting.general.<xmlattr>.title", odd);
    input.put("watchlists.watchlist.<xmlattr>.name", odd);
    input.put("watchlists.watchlist.<xmlattr>.type", "not a number");
    Tickerdeck* board = LoadBoard(nullptr, &input);
    board->SubscribeRow(ai, board->GetCurrentGrid(), Tickerdeck::Delivery::Interactive);

    const Tree node = Saved(board);
    EXPECT_EQ(odd, node.get<std::string>("setting.general.<xmlattr>.title"));
    EXPECT_EQ(odd, node.get<std::string>("watchlists.watchlist.<xmlattr>.name"));
    EXPECT_EQ("1", node.get<std::string>("watchlists.watchlist.<xmlattr>.type"));
    EXPECT_EQ((std::vector<layout::InstrumentRef>{{"AMX", "AI"}}), Stored(odd));
}

}  // namespace
