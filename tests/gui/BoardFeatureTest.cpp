// The board hands each command and grid event to the feature that claimed it
// first; commands nobody claims end at the board as they always have.

#include <memory>
#include <utility>
#include <vector>

#include <wx/grid.h>

#include "board/BoardFeature.h"
#include "contract/CommandIds.h"
#include "support/BoardFixture.h"

namespace {

using testing_support::BoardFixture;
using testing_support::PostCommand;

/// Records the commands and key presses of what it claims.
class RecordingFeature : public BoardFeature
{
public:
    RecordingFeature(std::vector<int> commands, std::vector<BoardEventKind> kinds)
        : m_commands(std::move(commands)), m_kinds(std::move(kinds))
    {
    }
    std::vector<int> Commands() const override { return m_commands; }
    std::vector<BoardEventKind> EventKinds() const override { return m_kinds; }
    void OnCommand(Tickerdeck& /*board*/, wxCommandEvent& event) override { commands.push_back(event.GetId()); }
    void OnGridKey(Tickerdeck& /*board*/, wxKeyEvent& event) override { keys.push_back(event.GetKeyCode()); }

    std::vector<int> commands;
    std::vector<int> keys;

private:
    std::vector<int> m_commands;
    std::vector<BoardEventKind> m_kinds;
};

class BoardFeatures : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        // Without the shipped features, whose claims would come first.
        board = new Tickerdeck(&application, 1, container, nullptr, nullptr, 0, {});
        grid = AddTab(board, {arpi}, "Core");
        // A command the board lets go travels on up to its container.
        container->Bind(wxEVT_MENU, [this](wxCommandEvent& event) { escaped.push_back(event.GetId()); });
    }

    RecordingFeature* Install(std::vector<int> commands, std::vector<BoardEventKind> kinds)
    {
        auto feature = std::make_unique<RecordingFeature>(std::move(commands), std::move(kinds));
        RecordingFeature* installed = feature.get();
        board->AddFeature(std::move(feature));
        return installed;
    }

    void PressKey(int code) { testing_support::SendKey(grid->GetGridWindow(), wxEVT_KEY_DOWN, code); }

    Tickerdeck* board = nullptr;
    wxGridEx* grid = nullptr;
    std::vector<int> escaped;
};

TEST_F(BoardFeatures, EachCommandAndEventReachesItsFirstClaimantOnlyOnce)
{
    RecordingFeature* first = Install({cmd::ExportExcel, cmd::PrintPreview}, {BoardEventKind::GridKeyDown});
    RecordingFeature* second = Install({cmd::ExportExcel, cmd::Settings}, {BoardEventKind::GridKeyDown});
    for (int id : {cmd::ExportExcel, cmd::PrintPreview, cmd::Settings, cmd::EditFilter})
        PostCommand(board, id);
    PressKey('K');

    // Settings, a toolbar command, is listed twice in the board's table.
    EXPECT_EQ((std::vector<int>{cmd::ExportExcel, cmd::PrintPreview}), first->commands);
    EXPECT_EQ(std::vector<int>{cmd::Settings}, second->commands);
    EXPECT_EQ(std::vector<int>{'K'}, first->keys);
    EXPECT_TRUE(second->keys.empty());
    EXPECT_TRUE(escaped.empty()) << "claimed or not, the board's commands end at the board";
}

}  // namespace
