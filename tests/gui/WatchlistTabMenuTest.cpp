// The tab strip's menu: its structure, what its items open, the searchable
// list behind its "More..." items, and Delete Tab and Delete Watchlist with
// the store and the rows they let go of.

#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "board/Tickerdeck.h"
#include "support/BoardFixture.h"
#include "support/QuoteEvent.h"
#include "support/UserInput.h"
#include "watchlist/TabMenu.h"
#include "board/WatchlistChooser.h"
#include "watchlist/WatchlistCommands.h"

namespace {

using testing_support::Flush;
using testing_support::HideInstruments;
using testing_support::MenuLabels;

class TabMenuTest : public testing_support::BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        host.exchanges[0].groups[0].caption = "Sector";
        Exchange& closed = host.exchanges.emplace_back();
        closed.code = "OFF";
        closed.name = "Closed Exchange";
        closed.active = false;
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="BDI"/>)"
                   R"(</watchlist><watchlist name="R&amp;D"><instrument exchange="KTX" code="TKE"/></watchlist>)");
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
        commands = board->FindFeature<WatchlistCommands>();
        commands->SetQuestion([this](wxWindow*, const wxString& message, const wxString& caption) {
            questions.push_back(caption + ": " + message);
            return answer;
        });
        commands->SetErrorReport([this](wxWindow*, const wxString& message, const wxString&) { errors.push_back(message); });
        Flush();  // the menu is built on the first idle time
    }

    TabMenu& Menu() const { return *commands->GetTabMenu(); }

    int IdOf(const wxMenu* menu, const wxString& label) const
    {
        for (const wxMenuItem* item : menu->GetMenuItems())
            if (item->GetItemLabel() == label)
                return item->GetId();
        ADD_FAILURE() << "no item " << label;
        return wxID_NONE;
    }

    wxMenu* ExchangeMenu(const wxString& name) const
    {
        return Menu().GetMenu()->FindItem(IdOf(Menu().GetMenu(), name))->GetSubMenu();
    }

    void Choose(int id) { testing_support::PostCommand(board, id); }

    /// The watchlist chooser open now, as a "More..." item opens it.
    static WatchlistChooser* OpenChooser()
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* chooser = dynamic_cast<WatchlistChooser*>(window); chooser && !chooser->IsClosing())
                return chooser;
        return nullptr;
    }

    static void Press(WatchlistChooser* chooser, int id)
    {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(chooser);
        chooser->ProcessWindowEvent(event);
    }

    /// Picks the first name matching `typed` in the open chooser.
    static void ChooseInChooser(const wxString& typed)
    {
        WatchlistChooser* chooser = OpenChooser();
        ASSERT_NE(chooser, nullptr);
        chooser->ShowMatches(typed);
        Press(chooser, wxID_OK);
        Flush();
    }

    Tickerdeck* board = nullptr;
    WatchlistCommands* commands = nullptr;
    bool answer = true;
    std::vector<wxString> questions;
    std::vector<wxString> errors;
};

TEST_F(TabMenuTest, ListsActiveExchangesTheirNamedCategoriesAndTheStoredWatchlists)
{
    EXPECT_EQ(board->GetNotebook()->GetRightClickMenu(), Menu().GetMenu());
    // The closed exchange has no item.
    const std::vector<wxString> top = MenuLabels(Menu().GetMenu());
    EXPECT_EQ(std::vector<wxString>(top.begin(), top.begin() + 3),
              (std::vector<wxString>{"Atlantic Markets Exchange", "Kanto Exchange", "-"}));
    // MISC has no display name and no item; an exchange without categories
    // has "All" alone.
    EXPECT_EQ(MenuLabels(ExchangeMenu("Atlantic Markets Exchange")), (std::vector<wxString>{"Sector", "-", "All"}));
    wxMenu* sector = ExchangeMenu("Atlantic Markets Exchange")->GetMenuItems()[0]->GetSubMenu();
    EXPECT_EQ(MenuLabels(sector), std::vector<wxString>{"Technology"});
    EXPECT_EQ(MenuLabels(ExchangeMenu("Kanto Exchange")), std::vector<wxString>{"All"});
    EXPECT_EQ(MenuLabels(Menu().GetWatchlistsMenu()), (std::vector<wxString>{"Core", "R&D"}));
}

TEST_F(TabMenuTest, OpensInTheCurrentTabWithoutCtrlAndANewOneWithItAndSelectsAnOpenTab)
{
    wxMenu* kanto = ExchangeMenu("Kanto Exchange");
    HoldControl(false);
    Choose(IdOf(kanto, "All"));
    EXPECT_EQ(PageLabels(board), std::vector<wxString>{"Kanto Exchange (KTX)"});

    HoldControl(true);
    Choose(TabMenu::kOpenWatchlistFirst);  // Core
    Choose(IdOf(kanto, "All"));            // "All" never looks for an open tab
    EXPECT_EQ(PageLabels(board), (std::vector<wxString>{"Kanto Exchange (KTX)", "Core", "Kanto Exchange (KTX)"}));

    board->GetNotebook()->SetSelection(0);
    Choose(TabMenu::kOpenWatchlistFirst);
    EXPECT_EQ(3u, board->GetNotebook()->GetPageCount());
    EXPECT_EQ(1, board->GetNotebook()->GetSelection()) << "the open Core tab is selected";
}

TEST_F(TabMenuTest, EveryStoredWatchlistStaysReachableBeyondTheMenusIdsThroughASearchableChooser)
{
    std::string store;
    for (int index = 0; index < 230; ++index)
        store += "<watchlist name=\"W" + std::to_string(index) + "\"><instrument exchange=\"AMX\" code=\"AI\"/></watchlist>";
    WriteStore(store);
    commands->RebuildTabMenu();

    // 201 names, then "More...", whose id is no other item's.
    const auto items = Menu().GetWatchlistsMenu()->GetMenuItems();
    ASSERT_EQ(items.size(), 202u);
    EXPECT_EQ(items.back()->GetId(), TabMenu::kMoreToOpen);
    EXPECT_EQ(Menu().GetDeleteWatchlistMenu()->GetMenuItems().back()->GetId(), TabMenu::kMoreToDelete);

    // The chooser lists the names holding what is typed; OK takes the selected one.
    HoldControl(true);
    Choose(TabMenu::kMoreToOpen);
    WatchlistChooser* chooser = OpenChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_FALSE(frame->IsEnabled());
    chooser->GetSearchField()->SetValue("29");
    ASSERT_EQ(chooser->GetList()->GetCount(), 3u);   // W29, W129, W229
    chooser->GetList()->SetSelection(2);
    Press(chooser, wxID_OK);
    Flush();
    EXPECT_EQ(PageLabels(board).back(), "W229");

    // Enter where the user typed takes the first match.
    Choose(TabMenu::kMoreToOpen);
    ASSERT_NE(chooser = OpenChooser(), nullptr);
    chooser->GetSearchField()->SetValue("w7");
    EXPECT_TRUE(testing_support::PressKey(chooser->GetSearchField(), WXK_RETURN));
    Flush();
    EXPECT_EQ(PageLabels(board).back(), "W7");

    // Nothing is chosen without a match, nor on Cancel.
    Choose(TabMenu::kMoreToOpen);
    ASSERT_NE(chooser = OpenChooser(), nullptr);
    chooser->GetSearchField()->SetValue("xyz");
    Press(chooser, wxID_OK);
    EXPECT_FALSE(chooser->IsClosing());
    Press(chooser, wxID_CANCEL);
    Flush();
    EXPECT_EQ(3u, board->GetNotebook()->GetPageCount());
}

TEST_F(TabMenuTest, HostTextsKeepTheirAmpersandsAndCategoriesPastTheIdBoundGoBehindMore)
{
    Exchange& amx = host.exchanges[0];
    amx.name = "Oil & Gas Exchange";
    amx.groups[0].caption = "Sector & Index";
    amx.groups[0].displayNames["TECH"] = "Tech & Media";
    CategoryGroup& boards = amx.groups[1];
    boards.caption = "Boards";
    for (int index = 0; index < 1000; ++index)
    {
        const std::string key = "B" + std::to_string(index);
        boards.categories.push_back(Category{key, {arpi}});
        boards.displayNames[key] = "Board " + std::to_string(index);
    }
    commands->RebuildTabMenu();

    wxMenu* oil = ExchangeMenu("Oil && Gas Exchange");
    ASSERT_NE(nullptr, oil);
    EXPECT_EQ("Sector & Index", MenuLabels(oil)[0]);
    EXPECT_EQ(MenuLabels(oil->GetMenuItems()[0]->GetSubMenu()), std::vector<wxString>{"Tech & Media"});
    // The terminal's widget commands start at 9000.
    EXPECT_LE(Menu().EndOfSourceIds(), TabMenu::kMoreSources);
    EXPECT_LT(TabMenu::kMoreSources, 9000);
    EXPECT_EQ(TabMenu::kMoreSources, oil->GetMenuItems()[1]->GetSubMenu()->GetMenuItems().back()->GetId());

    HoldControl(true);
    Choose(TabMenu::kMoreSources);
    ChooseInChooser("Board 999");
    EXPECT_EQ(2u, board->GetNotebook()->GetPageCount());
    EXPECT_EQ(Shown(board, 1), std::vector<Instrument*>{arpi});
}

TEST_F(TabMenuTest, IsRebuiltAfterAThemeChangeAndEnablesWhatFitsTheTab)
{
    const TabMenu* before = commands->GetTabMenu();
    Choose(cmd::ThemeChanged);
    EXPECT_NE(commands->GetTabMenu(), before);

    wxFlatNotebookEvent rightClick(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, cmd::Notebook, 0);
    board->GetNotebook()->ProcessWindowEvent(rightClick);
    EXPECT_TRUE(Menu().GetMenu()->IsEnabled(cmd::RenameWatchlist));
    EXPECT_FALSE(Menu().GetMenu()->IsEnabled(cmd::RemoveFilter));

    HoldControl(false);
    Choose(IdOf(ExchangeMenu("Kanto Exchange"), "All"));
    board->TabFilters()[board->GetNotebook()->GetPage(0)] = std::make_unique<HideInstruments>();
    board->GetNotebook()->ProcessWindowEvent(rightClick);
    EXPECT_FALSE(Menu().GetMenu()->IsEnabled(cmd::RenameWatchlist)) << "only a stored watchlist is renamed";
    EXPECT_FALSE(Menu().GetMenu()->IsEnabled(cmd::EditWatchlist));
    EXPECT_TRUE(Menu().GetMenu()->IsEnabled(cmd::RemoveFilter));
}

TEST_F(TabMenuTest, DeleteTabLetsGoOfEveryRowAndForgetsTheGrid)
{
    wxGridEx* grid = GridOfPage(board, 0);
    TickerdeckTable* table = Tickerdeck::TableOf(grid);
    auto hide = std::make_unique<HideInstruments>(std::set<const Instrument*>{bdi});
    table->SetFilter(hide.get());
    board->TabFilters()[grid->GetSplitter()] = std::move(hide);
    board->RearrangeRows(grid);
    ASSERT_EQ(Shown(board, 0), std::vector<Instrument*>{cdg});
    const std::string store = StoreBytes();

    answer = false;
    Choose(cmd::DeleteTab);
    EXPECT_EQ(1u, board->GetNotebook()->GetPageCount());

    answer = true;
    Choose(cmd::DeleteTab);
    EXPECT_EQ(questions.back(), "Delete Tab: Are you sure to delete the selected tab?");
    EXPECT_EQ(0u, board->GetNotebook()->GetPageCount());
    EXPECT_TRUE(board->GetGrids().empty());
    EXPECT_EQ(board->GetCurrentGrid(), nullptr);
    EXPECT_TRUE(board->TabFilters().empty());
    EXPECT_EQ(0, host.ActiveSubscriptions(board, cdg, ""));
    EXPECT_EQ(0, host.ActiveSubscriptions(board, bdi, "")) << "the hidden row is let go too";
    EXPECT_TRUE(board->GetSubscriptions().empty());
    EXPECT_EQ(store, StoreBytes());

    // A quote for a row of the closed tab reaches nothing.
    testing_support::PostQuote(board, host.PriceOf(cdg), testing_support::kLastMask, true);
    Flush();
    Choose(TabMenu::kOpenWatchlistFirst);
    EXPECT_EQ(PageLabels(board), std::vector<wxString>{"Core"});
}

TEST_F(TabMenuTest, AWatchlistThatCannotBeReadIsReportedAndOpensNothing)
{
    testing_support::WriteBytes(host.applicationFilePath, "broken <");
    HoldControl(true);
    Choose(TabMenu::kOpenWatchlistFirst + 1);  // R&D
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_NE(log.str().find("opening watchlist \"R&D\" from " + host.applicationFilePath), std::string::npos)
        << log.str();
    EXPECT_EQ(PageLabels(board), std::vector<wxString>{"Core"});
}

TEST_F(TabMenuTest, DeleteWatchlistClosesTheFirstTabOfItsNameAndLeavesTheStoreOnFailure)
{
    HoldControl(true);
    Choose(TabMenu::kOpenWatchlistFirst + 1);  // R&D
    board->AddTabPage(board->CreateTabGrid(), "Core", false);
    wxGridEx* second = GridOfPage(board, 2);

    testing_support::WriteBytes(host.applicationFilePath, "broken <");
    Choose(TabMenu::kDeleteWatchlistFirst);
    EXPECT_EQ(questions.back(), "Delete Watchlist: Are you sure to delete the watchlist: Core?");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(log.str().find("deleting watchlist \"Core\""), std::string::npos);
    EXPECT_EQ("broken <", StoreBytes());
    EXPECT_EQ(3u, board->GetNotebook()->GetPageCount());
    EXPECT_EQ(Menu().NameOf(TabMenu::kDeleteWatchlistFirst), "Core");

    WriteStore(R"(<watchlist name="Core"/><watchlist name="R&amp;D"/>)");
    Choose(TabMenu::kDeleteWatchlistFirst);
    EXPECT_EQ(PageLabels(board), (std::vector<wxString>{"R&D", "Core"}));
    EXPECT_EQ(GridOfPage(board, 1), second);
    EXPECT_EQ(0, host.ActiveSubscriptions(board, cdg, ""));
    EXPECT_EQ(layout::ListWatchlistNames(host.applicationFilePath), std::vector<std::string>{"R&D"});
    EXPECT_EQ(MenuLabels(Menu().GetWatchlistsMenu()), std::vector<wxString>{"R&D"});
}

}  // namespace
