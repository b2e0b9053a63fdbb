// Loading a board from its window node: which node is used, settings and
// their failures, the frame, alerts, and each tab kind with its columns,
// selection, bookmarks and filters.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "controls/wxStaticTextEx.h"
#include "contract/CommandIds.h"
#include "support/BoardFixture.h"

namespace {

using testing_support::Tree;

const char* const kLoadError = "[Tickerdeck] Tickerdeck::Load error:";

class Load : public testing_support::BoardFixture
{
protected:
    /// The log holds exactly one line: the load error naming `cause`.
    void ExpectOneLoadError(const std::string& cause) const
    {
        const std::string text = log.str();
        EXPECT_EQ(0u, text.find(kLoadError)) << text;
        EXPECT_NE(std::string::npos, text.find(cause)) << text;
        EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << text;
    }
};

TEST_F(Load, WithoutAUsableLayoutOneErrorIsLoggedAndTheBoardStaysAsBuilt)
{
    host.layoutFilePath = (folder / "missing.xml").string();
    Tickerdeck* board = LoadBoard(nullptr, nullptr);
    ExpectOneLoadError("cannot open file");
    EXPECT_TRUE(board->GetGrids().empty());
    EXPECT_EQ(_("Ticker Deck"), board->GetTitleLabel()->GetLabel()) << "no title was applied";
}

TEST_F(Load, TheNodeWinsOverTheDocumentWhichWinsOverTheFile)
{
    const auto layoutWithTitle = [](const std::string& title) {
        return "<application><layout><default><tickerdeck><setting><general title=\"" + title +
               "\"/></setting><watchlists/></tickerdeck></default></layout></application>";
    };
    testing_support::WriteBytes(host.layoutFilePath, layoutWithTitle("From file"));
    const Tree document = testing_support::Parse(layoutWithTitle("From document"));
    const Tree node = testing_support::Node("<setting><general title=\"From node\"/></setting><watchlists/>");
    const Tree otherDocument = testing_support::Parse("<application><layout/></application>");

    EXPECT_EQ("From node", LoadBoard(&document, &node)->GetTitleLabel()->GetLabel());
    EXPECT_EQ("From document", LoadBoard(&document, nullptr)->GetTitleLabel()->GetLabel());
    EXPECT_EQ("From file", LoadBoard(&otherDocument, nullptr)->GetTitleLabel()->GetLabel());
    EXPECT_EQ("From file", LoadBoard(nullptr, nullptr)->GetTitleLabel()->GetLabel());
    EXPECT_TRUE(log.str().empty()) << log.str();
}

TEST_F(Load, SettingsWithoutWatchlistsAreKeptAndTheMissingElementIsLogged)
{
    Tickerdeck* board = LoadNode(R"(
        <setting><general title="P&amp;L Desk" show_volume_ink="true"/></setting>
        <alerts><alert exchange="AMX" code="ARPI" value="90"/></alerts>)");

    EXPECT_TRUE(board->Settings().volumeInThousands);
    EXPECT_EQ("P&L Desk", board->GetTitleLabel()->GetLabelText()) << "an ampersand is no mnemonic in a title";

    EXPECT_EQ(std::string(kLoadError) + "No such node (watchlists)\n", log.str());
    EXPECT_EQ(0u, board->GetNotebook()->GetPageCount());
    EXPECT_TRUE(board->Alerts().empty()) << "the load ended before the alerts";
}

TEST_F(Load, TheFrameSizeAndTitleApplyOnlyToAWindowInItsOwnFrame)
{
    const Tree node = testing_support::Node("<setting><general title=\"Framed\"/></setting><watchlists/>",
                                            "size-x=\"700\" size-y=\"450\"");
    const wxSize before = frame->GetSize();
    LoadBoard(nullptr, &node, 0);
    EXPECT_EQ(before, frame->GetSize());
    EXPECT_EQ("Board", frame->GetTitle());

    LoadBoard(nullptr, &node, window_flag::OwnFrame);
    EXPECT_EQ(wxSize(700, 450), frame->GetSize());
    EXPECT_EQ("Framed", frame->GetTitle());

    const Tree bare = testing_support::Node("<watchlists/>", "size-x=\"big\"");
    LoadBoard(nullptr, &bare, window_flag::OwnFrame);
    EXPECT_EQ(wxSize(360, 530), frame->GetSize()) << "malformed and missing sizes take the defaults";
}

TEST_F(Load, StoredRowsAndAlertsSkipUnknownInstrumentsAndTheLastAlertOfOneWins)
{
    WriteStore(R"(
        <watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="GONE"/>
          <instrument exchange="KTX" code="TKE"/><instrument code="BDI"/></watchlist>
        <watchlist name="Other"><instrument exchange="AMX" code="AI"/></watchlist>)");
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/><watchlist name="Nowhere"/></watchlists>
        <alerts>
          <alert exchange="AMX" code="ARPI" type="16" condition="2" value="91.5" remark="first"/>
          <alert exchange="AMX" code="NOPE" value="1"/>
          <alert exchange="KTX" code="TKE"/>
          <alert exchange="AMX" code="ARPI" value="95.25" remark="second"/>
          <alert code="BDI" value="3"/>
        </alerts>)");

    ASSERT_EQ((std::vector<wxString>{"Core", "Nowhere"}), PageLabels(board));
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke}), Shown(board, 0));
    EXPECT_EQ(2, GridOfPage(board, 0)->GetNumberRows()) << "the unknown instruments are not counted";
    EXPECT_EQ(2u, host.subscribes.size());
    EXPECT_EQ("Core", TableOfPage(board, 0)->GetWatchlistName());
    EXPECT_EQ(0, GridOfPage(board, 1)->GetNumberRows());
    EXPECT_EQ(1, TableOfPage(board, 1)->GetTabType()) << "a missing type is a stored watchlist";
    EXPECT_TRUE(log.str().empty()) << log.str();

    ASSERT_EQ(2u, board->Alerts().size());
    const PriceAlert& arpiAlert = *board->Alerts().at(arpi);
    EXPECT_EQ("second", arpiAlert.remark);
    EXPECT_DOUBLE_EQ(95.25, arpiAlert.threshold);
    EXPECT_EQ(4096u, arpiAlert.field) << "the second alert's own defaults, nothing kept from the first";
}

TEST_F(Load, UnknownCategoriesExchangesAndTypesGiveEmptyTabsOfTheirOwnType)
{
    WriteStore(R"(<watchlist name="Tech"><instrument exchange="AMX" code="AI"/></watchlist>)");
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Energy" type="2" exchange="AMX" category="ENGY"/>
        <watchlist name="Index" type="3" exchange="AMX" category="TECH"/>
        <watchlist name="Lost" type="7" exchange="ZZZ"/>
        <watchlist name="Future kind" type="9" exchange="AMX"/>
        <watchlist name="Tech" type="2" category="TECH"/>
        <watchlist name="Everything" type="7"/>
      </watchlists>)");
    ASSERT_EQ((std::vector<wxString>{"Energy", "Index", "Lost", "Future kind", "Tech", "Everything"}),
              PageLabels(board));
    const int types[] = {2, 3, 7, 9, 2, 7};
    for (size_t page = 0; page < 6; ++page)
    {
        SCOPED_TRACE(page);
        EXPECT_EQ(0, GridOfPage(board, page)->GetNumberRows());
        EXPECT_EQ(types[page], TableOfPage(board, page)->GetTabType()) << "kept, so saving cannot change the kind";
    }
    EXPECT_EQ("ENGY", TableOfPage(board, 0)->GetCategory());
    EXPECT_TRUE(host.subscribes.empty()) << "not even from the stored watchlist of the same name";
}

TEST_F(Load, ANamelessEntryAddsAFittedGridButNoPageAndTouchesNoOtherTab)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Kanto" type="7" exchange="KTX">
          <columns><column id="1" size="3" show="true"/></columns>
          <bookmark><instrument exchange="KTX" code="TKE"/></bookmark>
        </watchlist>
        <watchlist type="7" exchange="AMX" current="true">
          <columns><column id="1" size="3" show="true"/></columns>
          <filters><column id="6"><filter condition="1" value="5"/></column></filters>
          <bookmark><instrument exchange="KTX" code="KSM"/></bookmark>
        </watchlist>
      </watchlists>)");
    ASSERT_EQ((std::vector<wxString>{"Kanto Exchange (KTX)"}), PageLabels(board));
    ASSERT_EQ(2u, board->GetGrids().size());
    wxGridEx* nameless = board->GetGrids()[1];
    EXPECT_EQ(0, nameless->GetNumberRows());
    EXPECT_FALSE(nameless->GetSplitter()->IsShown()) << "a grid without a page must not cover the board";
    EXPECT_EQ(GridOfPage(board, 0), board->GetCurrentGrid()) << "the nameless entry took no selection";
    EXPECT_TRUE(board->TabFilters().empty());
    EXPECT_EQ((std::set<Instrument*>{tke}), TableOfPage(board, 0)->Bookmarks());
    EXPECT_EQ(nullptr, TableOfPage(board, 0)->GetFilter());
    EXPECT_EQ(2u, host.subscribes.size()) << "only the named tab subscribed";
    for (wxGridEx* grid : board->GetGrids())
        EXPECT_GT(grid->GetColSize(1), 3) << "auto fit runs on every grid";
}

TEST_F(Load, ColumnsAreShownHiddenSortedSizedAndOrderedAndThoseOutsideTheGridIgnored)
{
    // A toolkit assertion fails the test by itself (the test main's handler).
    SetLasts({{arpi, 1.0}, {bdi, 3.0}, {cdg, 2.0}, {ai, 0.5}});
    Tickerdeck* board = LoadNode(R"(<setting><general auto_fit_column_width="false"/></setting>
      <watchlists><watchlist name="A" type="7" exchange="AMX"><columns>
        <column id="0" size="40" show="true" position="5"/>
        <column id="1" size="200" show="true" position="4"/>
        <column id="2" size="64" show="true" position="2" sort="true" ascending="false"/>
        <column id="3" size="0" show="false" position="3"/>
        <column id="4" size="55" show="true" position="1"/>
        <column id="5" size="30" show="true" position="0"/>
      </columns></watchlist>
      <watchlist name="B" type="7" exchange="AMX"><columns><column id="6"/></columns></watchlist>
      <watchlist name="C" type="7" exchange="AMX">
        <columns><column id="6" show="true" sort="true" ascending="false"/></columns><filters>
          <column id="6"><filter condition="11" value="2"/></column><column id="6"><filter condition="1" value="0"/></column>
        </filters></watchlist>
      <watchlist name="D" type="7" exchange="AMX"><columns>
        <column id="31" size="50" show="true" sort="true" position="0"/>
        <column id="-1" size="50" show="true" position="1"/>
        <column id="2147483647" show="false"/>
        <column id="7" size="90" show="true" position="99"/>
        <column id="8" size="-5" show="true" position="-3"/>
        <column id="30" size="25" show="true" position="30"/>
      </columns></watchlist></watchlists>)");
    testing_support::Flush();
    wxGridEx* grid = GridOfPage(board, 0);
    // Moving columns in document order would leave them as 5,2,4,3,1,0.
    const int expectedOrder[] = {5, 4, 2, 3, 1, 0};
    for (int pos = 0; pos < 6; ++pos)
        EXPECT_EQ(expectedOrder[pos], grid->GetColAt(pos)) << "position " << pos;
    EXPECT_EQ(200, grid->GetColSize(1));
    EXPECT_FALSE(grid->IsColShown(3));
    EXPECT_EQ(2, grid->GetSortingColumn());
    EXPECT_FALSE(grid->IsSortOrderAscending());

    wxGridEx* bare = GridOfPage(board, 1);
    EXPECT_FALSE(bare->IsColShown(6)) << "a column without show is hidden";
    EXPECT_EQ(0, bare->GetColPos(6));
    bare->ShowCol(6);
    EXPECT_EQ(80, bare->GetColSize(6)) << "and keeps the default width for when it is shown";
    EXPECT_EQ((std::vector<Instrument*>{bdi, cdg, arpi, ai}), Shown(board, 2))
        << "sorted, and filtered by the later column 6 alone";
    EXPECT_EQ(0, board->GetNotebook()->GetPageImage(2)) << "the filtered tab is marked";
    EXPECT_EQ(-1, board->GetNotebook()->GetPageImage(1));

    grid = GridOfPage(board, 3);
    EXPECT_EQ(31, grid->GetNumberCols());
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn()) << "the sort flag of column 31 went nowhere";
    EXPECT_EQ(90, grid->GetColSize(7));
    EXPECT_EQ(7, grid->GetColPos(7)) << "position 99 was skipped";
    EXPECT_EQ(8, grid->GetColPos(8)) << "position -3 was skipped";
    EXPECT_EQ(25, grid->GetColSize(30));
}

TEST_F(Load, TheLastCurrentTabIsSelectedAndWithoutACurrentEntryTheShownPageIsTheCurrentTabUntilNoneIsLeft)
{
    Tickerdeck* last = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX"/>
        <watchlist name="B" type="7" exchange="KTX"/>
        <watchlist name="C" type="7" exchange="AMX" current="false"/>
      </watchlists>)");
    EXPECT_EQ(1, last->GetNotebook()->GetSelection());
    EXPECT_EQ(GridOfPage(last, 1), last->GetCurrentGrid());

    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX" current="false"/>
        <watchlist name="B" type="7" exchange="KTX" current="false"/>
      </watchlists>)");
    ASSERT_EQ(0, board->GetNotebook()->GetSelection());
    EXPECT_EQ(GridOfPage(board, 0), board->GetCurrentGrid());

    wxFlatNotebook* notebook = board->GetNotebook();
    notebook->RemovePage(0);
    EXPECT_EQ(GridOfPage(board, 0), board->GetCurrentGrid());
    notebook->RemovePage(0);
    EXPECT_EQ(nullptr, board->GetCurrentGrid()) << "no page, no current tab";
}

TEST_F(Load, AnUnreadableStoreIsLoggedOnceButLaterTabsAndAlertsStillLoad)
{
    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="Core"/>
        <watchlist name="Again"/>
        <watchlist name="Kanto" type="7" exchange="KTX"/>
      </watchlists>
      <alerts><alert exchange="AMX" code="AI" value="5"/></alerts>)");
    ASSERT_EQ((std::vector<wxString>{"Core", "Again", "Kanto Exchange (KTX)"}), PageLabels(board));
    EXPECT_EQ(2u, Shown(board, 2).size());
    EXPECT_EQ(1u, board->Alerts().count(ai));
    ExpectOneLoadError("cannot open file");
}

}  // namespace
