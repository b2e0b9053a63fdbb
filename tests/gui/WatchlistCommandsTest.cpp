// The watchlist commands of a board: the tab strip's menu with its structure,
// what its items open and the searchable list behind its "More..." items;
// New, Edit and Rename Watchlist in the editor, with the names they refuse;
// Delete Tab and Delete Watchlist; each with the store and the rows they change.

#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "kit/WatchlistChooser.h"
#include "support/BoardFixture.h"
#include "watchlist/TabMenu.h"
#include "watchlist/WatchlistCommands.h"

namespace {

using layout::InstrumentRef;
using namespace testing_support;

class WatchlistCommandsTest : public BoardFixture
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
        host.AddInstrument("ZKB", "AMX")->name = "BANK Z\xC3\x9CRICH";   // "zk" is in its code alone
        host.AddInstrument("LOST", "NOWHERE");   // an exchange the host has no name for
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="SYN" code="GHOST"/>)"
                   R"(<instrument exchange="AMX" code="BDI"/><instrument exchange="AMX" code="AI"/></watchlist>)"
                   R"(<watchlist name="Shelf"/><watchlist name="R&amp;D"><instrument exchange="KTX" code="TKE"/></watchlist>)");
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
        commands = board->Features().FindFeature<WatchlistCommands>();
        commands->SetQuestion([this](wxWindow*, const wxString& message, const wxString& caption) {
            questions.push_back(caption + ": " + message);
            return answer;
        });
        commands->SetErrorReport([this](wxWindow*, const wxString& message, const wxString&) { errors.push_back(message); });
        Flush();  // the menu is built on the first idle time
    }

    void Choose(int id) { PostCommand(board, id); }

    WatchlistEditor* Open(int command)
    {
        Choose(command);
        return commands->GetOpenEditor();
    }

    TabMenu& Menu() const { return *commands->GetTabMenu(); }

    wxMenu* ExchangeMenu(const wxString& name) const { return Submenu(*Menu().GetMenu(), name); }

    /// The watchlist chooser open now, as a "More..." item opens it.
    static WatchlistChooser* OpenChooser()
    {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* chooser = dynamic_cast<WatchlistChooser*>(window); chooser && !chooser->IsClosing())
                return chooser;
        return nullptr;
    }

    /// The catalogue as "exchange label: codes" per header row.
    static std::vector<std::string> Tree(const WatchlistEditor* editor)
    {
        const CatalogueModel& model = editor->GetCatalogueModel();
        std::vector<std::string> rows;
        for (unsigned row = 0; row < model.RowCount(); ++row)
        {
            wxVariant value;
            model.GetValueByRow(value, row, CatalogueModel::NameColumn);
            wxDataViewIconText text;
            text << value;
            if (model.IsHeader(row))
                rows.push_back(text.GetText().utf8_string() + ":");
            else
                rows.back() += " " + model.InstrumentAt(row)->code;
        }
        return rows;
    }

    static unsigned RowOf(const WatchlistEditor* editor, const Instrument* instrument)
    {
        for (unsigned row = 0; row < editor->GetCatalogueModel().RowCount(); ++row)
            if (editor->GetCatalogueModel().InstrumentAt(row) == instrument)
                return row;
        ADD_FAILURE() << "not listed: " << instrument->code;
        return 0;
    }

    WatchlistCommands* commands = nullptr;
    bool answer = true;
    std::vector<wxString> questions;
    std::vector<wxString> errors;
};

using TabMenuTest = WatchlistCommandsTest;
using EditorTest = WatchlistCommandsTest;

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
    chooser->GetSearchField()->SetValue("29");
    ASSERT_EQ(chooser->GetList()->GetCount(), 3u);   // W29, W129, W229
    chooser->GetList()->SetSelection(2);
    PressButton(chooser, wxID_OK);
    Flush();
    EXPECT_EQ(PageLabels(board).back(), "W229");

    // Nothing is chosen without a match, nor on Cancel.
    Choose(TabMenu::kMoreToOpen);
    ASSERT_NE(chooser = OpenChooser(), nullptr);
    chooser->GetSearchField()->SetValue("xyz");
    PressButton(chooser, wxID_OK);
    EXPECT_FALSE(chooser->IsClosing());
    PressButton(chooser, wxID_CANCEL);
    Flush();
    EXPECT_EQ(2u, board->Tabs().Notebook()->GetPageCount());
}

TEST_F(TabMenuTest, ListsActiveExchangesNamedCategoriesAndStoredNamesAndPutsCategoriesPastTheIdBoundBehindMore)
{
    EXPECT_EQ(board->Tabs().Notebook()->GetRightClickMenu(), Menu().GetMenu());
    Exchange& amx = host.exchanges[0];
    amx.name = "Oil & Gas Exchange";
    amx.groups[0].caption = "Sector & Index";
    amx.groups[0].displayNames["TECH"] = "Tech & Media";
    commands->RebuildTabMenu();

    // The closed exchange has no item, nor has MISC, which has no display
    // name; an exchange without categories has "All" alone.
    const std::vector<wxString> top = MenuLabels(Menu().GetMenu());
    EXPECT_EQ(std::vector<wxString>(top.begin(), top.begin() + 3),
              (std::vector<wxString>{"Oil & Gas Exchange", "Kanto Exchange", "-"}));
    wxMenu* oil = ExchangeMenu("Oil & Gas Exchange");
    EXPECT_EQ(MenuLabels(oil), (std::vector<wxString>{"Sector & Index", "-", "All"}));
    EXPECT_EQ(MenuLabels(oil->GetMenuItems()[0]->GetSubMenu()), std::vector<wxString>{"Tech & Media"});
    EXPECT_EQ(MenuLabels(ExchangeMenu("Kanto Exchange")), std::vector<wxString>{"All"});
    EXPECT_EQ(MenuLabels(Menu().GetWatchlistsMenu()), (std::vector<wxString>{"Core", "Shelf", "R&D"}));

    CategoryGroup& boards = amx.groups[1];
    boards.caption = "Boards";
    for (int index = 0; index < 1000; ++index)
    {
        const std::string key = "B" + std::to_string(index);
        boards.categories.push_back(Category{key, {arpi}});
        boards.displayNames[key] = "Board " + std::to_string(index);
    }
    commands->RebuildTabMenu();
    oil = ExchangeMenu("Oil & Gas Exchange");
    // The terminal's widget commands start at 9000.
    EXPECT_LE(Menu().EndOfSourceIds(), TabMenu::kMoreSources);
    EXPECT_LT(TabMenu::kMoreSources, 9000);
    EXPECT_EQ(TabMenu::kMoreSources, oil->GetMenuItems()[1]->GetSubMenu()->GetMenuItems().back()->GetId());

    HoldControl(true);
    Choose(TabMenu::kMoreSources);
    ASSERT_NE(OpenChooser(), nullptr);
    OpenChooser()->ShowMatches("Board 999");   // OK takes the first match
    PressButton(OpenChooser(), wxID_OK);
    Flush();
    EXPECT_EQ(2u, board->Tabs().Notebook()->GetPageCount());
    EXPECT_EQ(Shown(board, 1), std::vector<Instrument*>{arpi});
}

TEST_F(TabMenuTest, DeleteTabLetsGoOfEveryRowDeleteWatchlistClosesTheFirstTabOfItsNameAndAnUnreadableStoreOpensAndDeletesNothing)
{
    HideCode(board, GridOfPage(board, 0), "BDI");
    ASSERT_EQ(Shown(board, 0), (std::vector<Instrument*>{cdg, ai}));
    const std::string store = StoreBytes();

    answer = false;
    Choose(cmd::DeleteTab);
    EXPECT_EQ(1u, board->Tabs().Notebook()->GetPageCount());

    answer = true;
    Choose(cmd::DeleteTab);
    EXPECT_EQ(0u, board->Tabs().Notebook()->GetPageCount());
    EXPECT_TRUE(board->Tabs().Grids().empty());
    EXPECT_TRUE(board->Looks().TabFilters().empty());
    EXPECT_EQ(0, host.ActiveSubscriptions(board, bdi, "")) << "the hidden row is let go too";
    EXPECT_TRUE(board->Rows().GetSubscriptions().empty());
    EXPECT_EQ(store, StoreBytes());

    // A quote for a row of the closed tab reaches nothing.
    PostQuote(board, host.PriceOf(cdg), kLastMask, true);
    Flush();
    Choose(TabMenu::kOpenWatchlistFirst);
    EXPECT_EQ(PageLabels(board), std::vector<wxString>{"Core"});

    HoldControl(true);
    Choose(TabMenu::kOpenWatchlistFirst + 2);  // R&D
    board->Tabs().AddPage(board->Tabs().CreateGrid(), "Core", false);
    wxGridEx* second = GridOfPage(board, 2);

    WriteBytes(host.applicationFilePath, "broken <");
    Choose(TabMenu::kOpenWatchlistFirst + 1);  // Shelf
    Choose(TabMenu::kDeleteWatchlistFirst);
    EXPECT_EQ(questions.back(), "Delete Watchlist: Delete the watchlist \"Core\"?");
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ("broken <", StoreBytes());
    EXPECT_EQ(3u, board->Tabs().Notebook()->GetPageCount());

    WriteStore(R"(<watchlist name="Core"/><watchlist name="R&amp;D"/>)");
    Choose(TabMenu::kDeleteWatchlistFirst);
    EXPECT_EQ(PageLabels(board), (std::vector<wxString>{"R&D", "Core"}));
    EXPECT_EQ(GridOfPage(board, 1), second);
    EXPECT_EQ(0, host.ActiveSubscriptions(board, cdg, ""));
    EXPECT_EQ(store::ListWatchlistNames(host.applicationFilePath), std::vector<std::string>{"R&D"});
    EXPECT_EQ(MenuLabels(Menu().GetWatchlistsMenu()), std::vector<wxString>{"R&D"});
}

TEST_F(EditorTest, SearchFindsCodesAndNamesInAnyCaseAndNewStoresTheChosenInstrumentsUnderAFreeName)
{
    host.AddInstrument("K", "KTX");
    WatchlistEditor* editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(frame->IsEnabled());
    EXPECT_EQ(Tree(editor), (std::vector<std::string>{"Atlantic Markets Exchange (AMX):", "Kanto Exchange (KTX):",
                                                      "NOWHERE:"}));

    editor->Search("k");
    EXPECT_EQ(Tree(editor), std::vector<std::string>{"Kanto Exchange (KTX): K"}) << "the one-letter code alone";
    editor->Search("zk");  // in ZKB's code only
    EXPECT_EQ(Tree(editor), std::vector<std::string>{"Atlantic Markets Exchange (AMX): ZKB"});
    editor->Search("pI cO");  // "ARPI Corp"
    EXPECT_EQ(Tree(editor), std::vector<std::string>{"Atlantic Markets Exchange (AMX): ARPI"});

    // Nothing was listed: an empty watchlist is stored.
    editor->GetNameField()->SetValue("Empty");
    ASSERT_TRUE(editor->Save());
    EXPECT_TRUE(Stored("Empty").empty());
    EXPECT_EQ(store::ListWatchlistNames(host.applicationFilePath).back(), "Empty");

    // New stores the chosen instruments under a free name on Enter in the
    // name field; closing asks before discarding.
    std::vector<wxString> asked;
    bool discard = false;
    const auto answer = [&](wxWindow*, const wxString& message) {
        asked.push_back(message);
        return discard;
    };
    const auto escape = [](WatchlistEditor* editor) {
        PressKey(editor->GetSearchField(), WXK_ESCAPE);
        Flush();
    };
    editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->SetDiscardQuestion(answer);
    editor->Search("ai");
    editor->ActivateCatalogueRow(RowOf(editor, ai));
    editor->ActivateCatalogueRow(RowOf(editor, ai));
    editor->Search("tk");
    editor->ActivateCatalogueRow(RowOf(editor, tke));
    editor->GetSearchField()->SetValue("ar");
    editor->ActivateCatalogueRow(RowOf(editor, arpi));
    editor->ActivateListRow(0);
    EXPECT_EQ(editor->GetListModel().Instruments(), (std::vector<Instrument*>{tke, arpi}));

    // Empty and stored names, with a tab or without, are refused; spaces
    // around and case alone make no other name. The reason shows in full.
    for (const wxString& taken : {wxString(), wxString("Core"), wxString(" sHELF  ")})
    {
        editor->GetNameField()->SetValue(taken);
        EXPECT_FALSE(editor->Save()) << taken;
        EXPECT_FALSE(editor->GetNameError().empty());
    }
    Flush();
    EXPECT_EQ(BalloonTextShownInFull(editor->GetNameField()),
              "A watchlist of that name already exists, please choose another name.");

    editor->GetNameField()->SetValue("Fresh");
    // Enter searches in the search field and adds a row in the catalogue.
    EXPECT_FALSE(PressKey(editor->GetSearchField(), WXK_RETURN));
    EXPECT_FALSE(PressKey(editor->FindWindow(WatchlistEditor::kCatalogueId), WXK_RETURN));
    escape(editor);
    ASSERT_EQ(commands->GetOpenEditor(), editor);
    EXPECT_TRUE(editor->GetSearchField()->IsEmpty());
    EXPECT_TRUE(asked.empty());

    escape(editor);
    EXPECT_EQ(asked, std::vector<wxString>{"Discard the changes to this watchlist?"});
    ASSERT_EQ(commands->GetOpenEditor(), editor) << "No keeps the list";
    EXPECT_TRUE(PressKey(editor->GetNameField(), WXK_RETURN));
    Flush();
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);
    EXPECT_EQ(PageLabels(board).back(), "Fresh");
    EXPECT_EQ(Tickerdeck::TableOf(board->Tabs().CurrentGrid())->Identity().tabType, layout::kStoredWatchlistTab);
    EXPECT_EQ(Stored("Fresh"), (std::vector<InstrumentRef>{{"KTX", "TKE"}, {"AMX", "ARPI"}}));

    // Renaming is a change too; an editor left as it was closes without a word.
    discard = true;
    editor = Open(cmd::EditWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->SetDiscardQuestion(answer);
    editor->GetNameField()->SetValue("Fresh 2");
    ClickAndFlush(editor, wxID_CANCEL);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);
    editor = Open(cmd::EditWatchlist);
    editor->SetDiscardQuestion(answer);
    editor->Close();
    Flush();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);
    EXPECT_EQ(PageLabels(board).back(), "Fresh");
}

TEST_F(EditorTest, EditingAFilteredTabKeepsItsHiddenRowsListsUnknownOnesToTakeOutAndAFailedSaveKeepsTheEditor)
{
    HideCode(board, GridOfPage(board, 0), "BDI");

    WatchlistEditor* editor = Open(cmd::EditWatchlist);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetListModel().Instruments(), (std::vector<Instrument*>{cdg, bdi, ai}));
    editor->ActivateListRow(3);
    editor->ActivateListRow(2);
    editor->Search("ks");
    editor->ActivateCatalogueRow(RowOf(editor, ksm));
    editor->GetNameField()->SetValue("Core 2");
    ASSERT_TRUE(editor->Save());

    EXPECT_EQ(PageLabels(board).front(), "Core 2");
    EXPECT_EQ(Stored("Core 2"), (std::vector<InstrumentRef>{{"AMX", "CDG"}, {"AMX", "BDI"}, {"KTX", "KSM"}}));
    EXPECT_EQ(0, host.ActiveSubscriptions(board, ai, ""));
    EXPECT_EQ(commands->GetTabMenu()->NameOf(TabMenu::kOpenWatchlistFirst), "Core 2");

    HoldControl(true);  // a category tab has no watchlist to edit
    Choose(
        ExchangeMenu("Atlantic Markets Exchange")->GetMenuItems()[0]->GetSubMenu()->FindItem("Technology"));
    EXPECT_EQ(Open(cmd::EditWatchlist), nullptr);
    board->Tabs().Notebook()->SetSelection(0);
    editor = Open(cmd::EditWatchlist);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Save()) << "its own name passes";
    editor = Open(cmd::EditWatchlist);
    WriteBytes(host.applicationFilePath, "broken <");
    editor->GetNameField()->SetValue("Elsewhere");
    EXPECT_FALSE(editor->Save());
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(commands->GetOpenEditor(), editor);
    EXPECT_EQ(PageLabels(board).front(), "Core 2");
    EXPECT_EQ("broken <", StoreBytes());
}

TEST_F(EditorTest, RenameRefusesTakenAndEmptyNamesAndChangesTheTabAndTheStoredRecordTogether)
{
    PostCommand(board, cmd::RenameWatchlist);
    TextEntryDialog* rename = commands->GetOpenRename();
    ASSERT_NE(rename, nullptr);
    for (const wxString& taken : {wxString("Shelf"), wxString()})
    {
        rename->GetTextField()->SetValue(taken);
        PressButton(rename, wxID_OK);
        EXPECT_FALSE(rename->GetRefusal().empty()) << taken;
    }

    rename->GetTextField()->SetValue(wxString::FromUTF8("Kern é"));
    EXPECT_TRUE(PressKey(rename->GetTextField(), WXK_NUMPAD_ENTER)) << "Enter confirms";
    Flush();
    EXPECT_EQ(commands->GetOpenRename(), nullptr);
    EXPECT_EQ(PageLabels(board).front(), wxString::FromUTF8("Kern é"));
    EXPECT_EQ(store::ListWatchlistNames(host.applicationFilePath), (std::vector<std::string>{"Kern \xC3\xA9", "Shelf", "R&D"}));

    // A store that cannot be written leaves the label as it was.
    WriteBytes(host.applicationFilePath, "broken <");
    PostCommand(board, cmd::RenameWatchlist);
    commands->GetOpenRename()->GetTextField()->SetValue("Other");
    PressButton(commands->GetOpenRename(), wxID_OK);
    Flush();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(PageLabels(board).front(), wxString::FromUTF8("Kern é"));
}

}  // namespace
