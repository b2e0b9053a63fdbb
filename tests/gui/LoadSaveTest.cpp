// Loading a board from its window node and saving it back: which node is
// used, settings and their failures, the frame, alerts, and each tab kind with
// its columns, selection, bookmarks and filters; the stored watchlists written
// into the shared store, including damaged nodes and stores that cannot be read.

#include <set>

#include <wx/translation.h>

#include "controls/wxStaticTextEx.h"
#include "layout/WindowNodeReader.h"
#include "support/BoardFixture.h"

namespace {

using layout::InstrumentRef;
using namespace testing_support;

const char* const kLoadError = "[Tickerdeck] Tickerdeck::Load error:";

using Load = BoardFixture;

TEST_F(Load, TheNodeWinsOverTheDocumentWhichWinsOverTheFileWithoutAnyTheBoardStaysEmptyAndOnlyItsOwnFrameTakesSizeAndTitle)
{
    EXPECT_TRUE(LoadBoard(nullptr, nullptr)->Tabs().Grids().empty());
    EXPECT_EQ(0u, log.str().find(kLoadError)) << log.str();

    const auto layoutWithTitle = [](const std::string& title) {
        return "<application><layout><default><tickerdeck><setting><general title=\"" + title +
               "\"/></setting><watchlists/></tickerdeck></default></layout></application>";
    };
    WriteBytes(host.layoutFilePath, layoutWithTitle("From file"));
    const Tree document = Parse(layoutWithTitle("From document"));
    const Tree node = Node("<setting><general title=\"From node\"/></setting><watchlists/>");
    const Tree otherDocument = Parse("<application><layout/></application>");

    EXPECT_EQ("From node", LoadBoard(&document, &node)->Toolbar().TitleLabel()->GetLabel());
    EXPECT_EQ("From document", LoadBoard(&document, nullptr)->Toolbar().TitleLabel()->GetLabel());
    EXPECT_EQ("From file", LoadBoard(&otherDocument, nullptr)->Toolbar().TitleLabel()->GetLabel());
    EXPECT_EQ("From file", LoadBoard(nullptr, nullptr)->Toolbar().TitleLabel()->GetLabel());

    // The frame's size and title apply only to a window in its own frame.
    const Tree framed =
        Node("<setting><general title=\"Framed\"/></setting><watchlists/>", "size-x=\"700\" size-y=\"450\"");
    const wxSize before = frame->GetSize();
    LoadBoard(nullptr, &framed, 0);
    EXPECT_EQ(before, frame->GetSize());
    EXPECT_EQ("Board", frame->GetTitle());

    LoadBoard(nullptr, &framed, window_flag::OwnFrame);
    EXPECT_EQ(wxSize(700, 450), frame->GetSize());
    EXPECT_EQ("Framed", frame->GetTitle());
}

TEST_F(Load, SettingsWithoutWatchlistsAreKeptAndTheMissingElementIsLogged)
{
    Tickerdeck* board = LoadNode(R"(<setting><general title="P&amp;L Desk" show_volume_ink="true"/></setting>)");
    EXPECT_TRUE(board->Settings().volumeInThousands);
    EXPECT_EQ("P&L Desk", board->Toolbar().TitleLabel()->GetLabelText()) << "an ampersand is no mnemonic in a title";
    EXPECT_EQ(std::string(kLoadError) + "No such node (watchlists)\n", log.str());
    // The user reads it in the notice strip in words of their own, naming the file.
    EXPECT_EQ("A board could not be restored completely from the layout " + host.layoutFilePath +
                  ": the element <watchlists> is missing\n",
              Notices());
}

TEST_F(Load, StoredRowsAndAlertsSkipUnknownInstrumentsAndTheLastAlertOfOneWins)
{
    WriteStore(R"(
        <watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="AMX" code="GONE"/>
          <instrument exchange="KTX" code="TKE"/><instrument code="BDI"/></watchlist>
        <watchlist name="Other"><instrument exchange="AMX" code="AI"/></watchlist>)");
    // A name that is no UTF-8 and holds a line break is labelled as the menus show it, on one line.
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/><watchlist name="Nowhere"/>
        <watchlist name="Two&#10;lines )" "\xFF" R"("/></watchlists>
        <alerts>
          <alert exchange="AMX" code="ARPI" type="16" condition="2" value="91.5" remark="first"/>
          <alert exchange="AMX" code="NOPE" value="1"/>
          <alert exchange="KTX" code="TKE"/>
          <alert exchange="AMX" code="ARPI" value="95.25" remark="second"/>
          <alert code="BDI" value="3"/>
        </alerts>)");

    ASSERT_EQ((std::vector<wxString>{"Core", "Nowhere", wxString::FromUTF8("Two lines \xEF\xBF\xBD")}),
              PageLabels(board));
    EXPECT_EQ((std::vector<Instrument*>{cdg, tke}), Shown(board, 0));
    EXPECT_EQ(2u, host.subscribes.size());
    EXPECT_EQ("Core", TableOfPage(board, 0)->Identity().watchlistName);
    EXPECT_EQ(0, GridOfPage(board, 1)->GetNumberRows());
    EXPECT_EQ(1, TableOfPage(board, 1)->Identity().tabType) << "a missing type is a stored watchlist";

    ASSERT_EQ(2u, board->Alerts().size());
    const PriceAlert& arpiAlert = *board->Alerts().at(arpi);
    EXPECT_EQ("second", arpiAlert.remark);
    EXPECT_DOUBLE_EQ(95.25, arpiAlert.threshold);
    EXPECT_EQ(4096u, arpiAlert.field) << "the second alert's own defaults, nothing kept from the first";

    // After a store that cannot be read, later tabs and alerts still load.
    std::filesystem::remove(host.applicationFilePath);
    board = LoadNode(R"(<watchlists>
        <watchlist name="Core"/>
        <watchlist name="Again"/>
        <watchlist name="Kanto" type="7" exchange="KTX"/>
      </watchlists>
      <alerts><alert exchange="AMX" code="AI" value="5"/></alerts>)");
    ASSERT_EQ((std::vector<wxString>{"Core", "Again", "Kanto Exchange (KTX)"}), PageLabels(board));
    EXPECT_EQ(2u, Shown(board, 2).size());
    EXPECT_EQ(1u, board->Alerts().count(ai));
}

TEST_F(Load, UnknownCategoriesExchangesAndTypesGiveEmptyTabsOfTheirOwnTypeAndANamelessEntryNoPage)
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
        EXPECT_EQ(types[page], TableOfPage(board, page)->Identity().tabType) << "kept, so saving cannot change the kind";
    }
    EXPECT_EQ("ENGY", TableOfPage(board, 0)->Identity().category);
    EXPECT_TRUE(host.subscribes.empty()) << "not even from the stored watchlist of the same name";

    // A nameless entry adds a fitted grid but no page and touches no other tab.
    board = LoadNode(R"(<watchlists>
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
    ASSERT_EQ(2u, board->Tabs().Grids().size());
    wxGridEx* nameless = board->Tabs().Grids()[1];
    EXPECT_EQ(0, nameless->GetNumberRows());
    EXPECT_FALSE(nameless->GetSplitter()->IsShown()) << "a grid without a page must not cover the board";
    EXPECT_EQ(GridOfPage(board, 0), board->Tabs().CurrentGrid()) << "the nameless entry took no selection";
    EXPECT_TRUE(board->Looks().TabFilters().empty());
    EXPECT_EQ((std::set<Instrument*>{tke}), TableOfPage(board, 0)->Members().Bookmarks());
    EXPECT_EQ(nullptr, TableOfPage(board, 0)->Filter().Get());
    EXPECT_EQ(2u, host.subscribes.size()) << "only the named tab subscribed";
    for (wxGridEx* grid : board->Tabs().Grids())
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
      <watchlist name="B" type="7" exchange="AMX"><columns><column id="6"/></columns><filters/></watchlist>
      <watchlist name="C" type="7" exchange="AMX">
        <columns><column id="6" show="true" sort="true" ascending="false"/></columns><filters>
          <column id="6"><filter condition="11" value="2"/></column><column id="6"><filter condition="1" value="0"/></column>
        </filters></watchlist>
      <watchlist name="D" type="7" exchange="AMX"><columns>
        <column id="32" size="50" show="true" sort="true" position="0"/>
        <column id="-1" size="50" show="true" position="1"/>
        <column id="2147483647" show="false"/>
        <column id="7" size="90" show="true" position="99"/>
        <column id="8" size="-5" show="true" position="-3"/>
        <column id="30" size="25" show="true" position="30"/>
      </columns></watchlist></watchlists>)");
    Flush();
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
    bare->ShowCol(6);
    EXPECT_EQ(80, bare->GetColSize(6)) << "and keeps the default width for when it is shown";
    EXPECT_EQ((std::vector<Instrument*>{bdi, cdg, arpi, ai}), Shown(board, 2))
        << "sorted, and filtered by the later column 6 alone";
    EXPECT_EQ(0, board->Tabs().Notebook()->GetPageImage(2)) << "the filtered tab is marked";
    EXPECT_EQ(-1, board->Tabs().Notebook()->GetPageImage(1)) << "an empty filter marks no tab";
    EXPECT_EQ(nullptr, TableOfPage(board, 1)->Filter().Get());
    EXPECT_EQ(1u, board->Looks().TabFilters().size());

    grid = GridOfPage(board, 3);
    EXPECT_EQ(column::Count, grid->GetNumberCols());
    EXPECT_EQ(wxNOT_FOUND, grid->GetSortingColumn()) << "the sort flag of column 32 went nowhere";
    EXPECT_EQ(90, grid->GetColSize(7));
    EXPECT_EQ(7, grid->GetColPos(7)) << "position 99 was skipped";
    EXPECT_EQ(8, grid->GetColPos(8)) << "position -3 was skipped";
    EXPECT_EQ(25, grid->GetColSize(30));
    EXPECT_EQ("The tab \"D\" stores column widths that cannot be shown; those columns are now between 0 and "
              "1000 pixels wide.\n",
              Notices())
        << "only the tab with a width out of range is named";
}

TEST_F(Load, TheLastCurrentTabIsSelectedAndWithoutACurrentEntryTheShownPageIsTheCurrentTabUntilNoneIsLeft)
{
    Tickerdeck* last = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX"/>
        <watchlist name="B" type="7" exchange="KTX"/>
        <watchlist name="C" type="7" exchange="AMX" current="false"/>
      </watchlists>)");
    EXPECT_EQ(1, last->Tabs().Notebook()->GetSelection());
    EXPECT_EQ(GridOfPage(last, 1), last->Tabs().CurrentGrid());

    Tickerdeck* board = LoadNode(R"(<watchlists>
        <watchlist name="A" type="7" exchange="AMX" current="false"/>
        <watchlist name="B" type="7" exchange="KTX" current="false"/>
      </watchlists>)");
    ASSERT_EQ(0, board->Tabs().Notebook()->GetSelection());
    EXPECT_EQ(GridOfPage(board, 0), board->Tabs().CurrentGrid());

    wxFlatNotebook* notebook = board->Tabs().Notebook();
    notebook->RemovePage(0);
    EXPECT_EQ(GridOfPage(board, 0), board->Tabs().CurrentGrid());
    notebook->RemovePage(0);
    EXPECT_EQ(nullptr, board->Tabs().CurrentGrid()) << "no page, no current tab";
}

// The alert's codes are outside the tables a newer program may have written.
const char* const kArranged = R"(
  <setting>
    <controls control_by_instrument="true" control_by_order="true" control_by_position="false" control_instrument="false" control_autoinstrument="true"/>
    <general autoinstrument="true" f1_change_instrument="false" title="Desk &lt;1&gt; &#233;" auto_fit_column_width="false" show_volume_ink="true" stale_after_seconds="30"/>
  </setting>
  <watchlists>
    <watchlist name="Core" current="false" type="1">
      <columns>
        <column id="6" size="91" show="true" sort="true" ascending="false" position="0"/>
        <column id="1" size="120" show="true" position="2"/>
        <column id="3" size="0" show="false" position="5"/>
      </columns>
      <filters><column id="2"><filter condition="3" value="CDG"/></column></filters>
      <bookmark><instrument exchange="KTX" code="TKE"/><instrument exchange="AMX" code="CDG"/></bookmark>
    </watchlist>
    <watchlist name="Tech" current="true" type="2" exchange="AMX" category="TECH"/>
    <watchlist name="KTX" current="false" type="7" exchange="KTX"/>
  </watchlists>
  <alerts>
    <alert code="ARPI" exchange="AMX" type="32768" condition="9" value="12.5" remark="watch &amp; see"/>
  </alerts>)";

const char* const kCoreStore = R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/>)"
                               R"(<instrument exchange="KTX" code="TKE"/><instrument exchange="AMX" code="AI"/></watchlist>)";

using Save = BoardFixture;

TEST_F(Save, LoadSaveLoadGivesTheSameNodeInEnglishUnderAGermanGridAndLeavesTheStoreAlone)
{
    WriteStore(kCoreStore);
    const std::string storeBefore = StoreBytes();
    const ino_t storeIdentity = StoreIdentity();

    wxFileTranslationsLoader::AddCatalogLookupPathPrefix("locale");  // the build's runtime folder
    auto* german = new wxTranslations;
    german->SetLanguage(wxLANGUAGE_GERMAN);
    wxTranslations::Set(german);
    ASSERT_TRUE(german->AddCatalog("tickerdeck"));
    const Tree once = Saved(LoadNode(kArranged));
    wxTranslations::Set(nullptr);
    nodes.push_back(std::make_unique<Tree>(once));
    const Tree twice = Saved(LoadBoard(nullptr, nodes.back().get()));
    EXPECT_EQ(Xml(once), Xml(twice));
    EXPECT_EQ(storeBefore, StoreBytes());
    EXPECT_EQ(storeIdentity, StoreIdentity()) << "an unchanged store is not rewritten";

    // What was arranged is what was written, as written out by hand from the
    // node above: a field both saves lose would pass the comparison above.
    Tree withoutColumns = once;
    for (auto& [key, tab] : withoutColumns.get_child("watchlists"))
        tab.erase("columns");
    const Tree expected = Node(
        R"x(<setting><controls control_by_instrument="true" control_by_order="true" control_by_position="false" )x"
        R"x(control_instrument="false" control_autoinstrument="true"/><general autoinstrument="true" )x"
        R"x(f1_change_instrument="false" title="Desk &lt;1&gt; &#233;" auto_fit_column_width="false" )x"
        R"x(show_volume_ink="true" stale_after_seconds="30"/></setting><watchlists><watchlist name="Core" current="false" type="1">)x"
        R"x(<filters><column id="2"><filter condition="3" value="CDG" row="0"/></column></filters><bookmark>)x"
        R"x(<instrument exchange="AMX" code="CDG"/><instrument exchange="KTX" code="TKE"/></bookmark></watchlist>)x"
        R"x(<watchlist name="Technology (AMX)" current="true" type="2" exchange="AMX" category="TECH"/>)x"
        R"x(<watchlist name="Kanto Exchange (KTX)" current="false" type="7" exchange="KTX"/></watchlists>)x"
        R"x(<alerts><alert code="ARPI" exchange="AMX" type="32768" condition="9" value="12.5" remark="watch &amp; see"/>)x"
        R"x(</alerts>)x");
    EXPECT_EQ(Xml(expected), Xml(withoutColumns));

    const std::vector<layout::TabEntry> tabs = layout::ReadTabEntries(once.get_child("watchlists"));
    ASSERT_EQ(static_cast<size_t>(column::Count), tabs[0].columns.size());
    EXPECT_FALSE(tabs[0].columns[3].show);
    EXPECT_EQ(2, tabs[0].columns[1].position);
    const std::string xml = Xml(once);
    EXPECT_NE(std::string::npos, xml.find("<column id=\"6\" name=\"Last\" size=\"91\" show=\"true\" sort=\"true\" "
                                          "ascending=\"false\" position=\"0\"/>"))
        << xml;
}

TEST_F(Save, AStoreThatCannotBeReadIsReportedNeverOverwrittenAndAMissingOneIsCreated)
{
    Tickerdeck* board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/></watchlists>)");
    board->Rows().SubscribeRow(ai, GridOfPage(board, 0), BoardRows::Delivery::Interactive);
    const std::string corrupt = "<application><watchlists><watchlist name=\"Core\">";
    WriteBytes(host.applicationFilePath, corrupt);
    log.str("");
    const Tree node = Saved(board);
    EXPECT_EQ(corrupt, StoreBytes());
    EXPECT_EQ("Core", node.get<std::string>("watchlists.watchlist.<xmlattr>.name")) << "the node is still written";

    std::filesystem::remove(host.applicationFilePath);
    Saved(board);
    EXPECT_EQ((std::vector<InstrumentRef>{{"AMX", "AI"}}), Stored("Core"));
}

}  // namespace
