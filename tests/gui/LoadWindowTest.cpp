// Loading a board: which node is used, its settings, the frame, the failures
// that end the load, and the alerts restored at the end.

#include <clocale>
#include <algorithm>
#include <set>
#include <string>

#include <wx/frame.h>

#include "LoadTestFixture.h"
#include "controls/wxStaticTextEx.h"
#include "plugin/CommandIds.h"

namespace {

using testing_support::LoadFixture;
using testing_support::Tree;

const char* const kLoadError = "[Tickerdeck] Tickerdeck::Load error:";

class LoadWindow : public LoadFixture
{
protected:
    static void ExpectConstructionSettings(const TickerdeckSettings& settings)
    {
        EXPECT_FALSE(settings.controlledByOrders);
        EXPECT_FALSE(settings.controlledByPositions);
        EXPECT_FALSE(settings.controlledByInstruments);
        EXPECT_FALSE(settings.controlsOthers);
        EXPECT_FALSE(settings.autoAddInstrument);
        EXPECT_TRUE(settings.f1Only);
        EXPECT_TRUE(settings.autoFitColumns);
        EXPECT_FALSE(settings.volumeInThousands);
        EXPECT_TRUE(settings.title.empty());
    }
};

TEST_F(LoadWindow, WithoutAnyLayoutTheErrorIsLoggedAndTheBoardStaysAsBuilt)
{
    host.layoutFilePath = (folder / "missing.xml").string();
    Tickerdeck* board = LoadBoard(nullptr, nullptr);
    ASSERT_NE(nullptr, board);

    const std::string text = log.str();
    EXPECT_EQ(0u, text.find(kLoadError)) << text;
    EXPECT_NE(std::string::npos, text.find("cannot open file")) << text;
    EXPECT_EQ(1, std::count(text.begin(), text.end(), '\n')) << "one line";
    EXPECT_EQ(0u, board->GetNotebook()->GetPageCount());
    EXPECT_TRUE(board->GetGrids().empty());
    EXPECT_EQ(_("Ticker Deck"), board->GetTitleLabel()->GetLabel()) << "no title was applied";
    ExpectConstructionSettings(board->Settings());
}

TEST_F(LoadWindow, ADefaultFileWithoutTheDefaultNodeIsAnError)
{
    WriteFile(host.layoutFilePath, "<application><layout/></application>");
    Tickerdeck* board = LoadBoard(nullptr, nullptr);
    EXPECT_EQ(std::string(kLoadError) + "No such node (application.layout.default.tickerdeck)\n", log.str());
    ExpectConstructionSettings(board->Settings());
}

TEST_F(LoadWindow, TheNodeWinsOverTheDocumentWhichWinsOverTheFile)
{
    const auto layoutWithTitle = [](const std::string& title) {
        return "<application><layout><default><tickerdeck><setting><general title=\"" + title +
               "\"/></setting><watchlists/></tickerdeck></default></layout></application>";
    };
    WriteFile(host.layoutFilePath, layoutWithTitle("From file"));
    const Tree document = Parse(layoutWithTitle("From document"));
    const Tree node = Node("<setting><general title=\"From node\"/></setting><watchlists/>");

    EXPECT_EQ("From node", LoadBoard(&document, &node)->GetTitleLabel()->GetLabel());
    EXPECT_EQ("From document", LoadBoard(&document, nullptr)->GetTitleLabel()->GetLabel());
    const Tree otherDocument = Parse("<application><layout/></application>");
    EXPECT_EQ("From file", LoadBoard(&otherDocument, nullptr)->GetTitleLabel()->GetLabel());
    EXPECT_EQ("From file", LoadBoard(nullptr, nullptr)->GetTitleLabel()->GetLabel());
    EXPECT_TRUE(log.str().empty()) << log.str();
}

TEST_F(LoadWindow, SettingsWithoutWatchlistsAreKeptAndTheMissingElementIsLogged)
{
    Tickerdeck* board = LoadNode(R"(
        <setting>
          <controls control_by_instrument="true" control_by_order="1" control_by_position="yes"
                    control_instrument="false" control_autoinstrument="true"/>
          <general autoinstrument="0" f1_change_instrument="true" title="Desk"
                   auto_fit_column_width="false" show_volume_ink="true"/>
        </setting>
        <alerts><alert exchange="AMX" code="ARPI" value="90"/></alerts>)");

    const TickerdeckSettings& settings = board->Settings();
    EXPECT_TRUE(settings.controlledByInstruments);
    EXPECT_TRUE(settings.controlledByOrders) << "\"1\" reads as true";
    EXPECT_FALSE(settings.controlledByPositions) << "\"yes\" reads as the default";
    EXPECT_FALSE(settings.controlsOthers);
    EXPECT_FALSE(settings.autoAddInstrument);
    EXPECT_FALSE(settings.f1Only) << "always cleared by loading";
    EXPECT_FALSE(settings.autoFitColumns);
    EXPECT_TRUE(settings.volumeInThousands);
    EXPECT_EQ("Desk", settings.title);
    EXPECT_EQ("Desk", board->GetTitleLabel()->GetLabel());

    const std::string text = log.str();
    const std::string ending = "No such node (watchlists)\n";
    ASSERT_GE(text.size(), ending.size());
    EXPECT_EQ(ending, text.substr(text.size() - ending.size())) << text;
    EXPECT_EQ(0u, text.find(kLoadError)) << text;
    EXPECT_EQ(0u, board->GetNotebook()->GetPageCount());
    EXPECT_TRUE(board->Alerts().empty());
}

TEST_F(LoadWindow, MissingSettingsTakeTheirDefaults)
{
    Tickerdeck* board = LoadNode("<watchlists/>");
    const TickerdeckSettings& settings = board->Settings();
    EXPECT_FALSE(settings.controlledByOrders);
    EXPECT_FALSE(settings.controlledByInstruments);
    EXPECT_FALSE(settings.controlledByPositions);
    EXPECT_TRUE(settings.controlsOthers);
    EXPECT_TRUE(settings.autoAddInstrument);
    EXPECT_FALSE(settings.f1Only);
    EXPECT_TRUE(settings.autoFitColumns) << "the board's value after construction";
    EXPECT_FALSE(settings.volumeInThousands);
    EXPECT_EQ("Tickerdeck", settings.title);
    EXPECT_EQ("Tickerdeck", board->GetTitleLabel()->GetLabel());
    EXPECT_TRUE(log.str().empty()) << log.str();
}

TEST_F(LoadWindow, TheFrameSizeAndTitleApplyOnlyToAWindowInItsOwnFrame)
{
    const Tree node = Node("<setting><general title=\"Framed\"/></setting><watchlists/>",
                           "size-x=\"700\" size-y=\"450\"");
    const wxSize before = frame->GetSize();
    LoadBoard(nullptr, &node, 0);
    EXPECT_EQ(before, frame->GetSize());
    EXPECT_EQ("Board", frame->GetTitle());

    LoadBoard(nullptr, &node, window_flag::OwnFrame);
    EXPECT_EQ(wxSize(700, 450), frame->GetSize());
    EXPECT_EQ("Framed", frame->GetTitle());

    const Tree bare = Node("<watchlists/>", "size-x=\"big\"");
    LoadBoard(nullptr, &bare, window_flag::OwnFrame);
    EXPECT_EQ(wxSize(360, 530), frame->GetSize()) << "malformed and missing sizes take the defaults";
}

TEST_F(LoadWindow, AlertsNeedAKnownInstrumentAndTheLastOneWins)
{
    Tickerdeck* board = LoadNode(R"(<watchlists/>
        <alerts>
          <alert exchange="AMX" code="ARPI" type="16" condition="2" value="91.5" remark="first"/>
          <alert exchange="AMX" code="NOPE" value="1"/>
          <alert exchange="KTX" code="TKE"/>
          <alert exchange="AMX" code="ARPI" value="95.25" remark="second"/>
          <alert code="BDI" value="3"/>
        </alerts>)");
    ASSERT_EQ(2u, board->Alerts().size());
    const PriceAlert& arpiAlert = *board->Alerts().at(arpi);
    EXPECT_EQ("second", arpiAlert.remark);
    EXPECT_DOUBLE_EQ(95.25, arpiAlert.threshold);
    EXPECT_EQ(4096u, arpiAlert.field) << "the second alert's own defaults, nothing kept from the first";
    EXPECT_EQ(1u, arpiAlert.comparison);
    ASSERT_EQ(1u, board->Alerts().count(tke));
    EXPECT_DOUBLE_EQ(0.0, board->Alerts().at(tke)->threshold);
}

TEST_F(LoadWindow, NonAsciiTextsSurviveTheCLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    const std::string name = "M\xC3\xA4rkte \xE6\xA0\xAA";  // "Märkte 株"
    WriteStore("<watchlist name=\"" + name + "\"><instrument exchange=\"AMX\" code=\"CDG\"/></watchlist>");
    Tickerdeck* board = LoadNode("<setting><general title=\"" + name + "\"/></setting><watchlists><watchlist name=\"" +
                                 name + "\"/></watchlists>");
    std::setlocale(LC_ALL, previous.c_str());

    const wxString expected = wxString::FromUTF8(name);
    EXPECT_EQ(expected, board->Settings().title);
    EXPECT_EQ(expected, board->GetTitleLabel()->GetLabel());
    ASSERT_EQ(1u, board->GetNotebook()->GetPageCount());
    EXPECT_EQ(expected, board->GetNotebook()->GetPageText(0));
    TickerdeckTable* table = TableOfPage(board, 0);
    EXPECT_EQ(name, table->GetWatchlistName());
    ASSERT_EQ(1, table->GetNumberRows()) << "the store lookup matched the same bytes";
    EXPECT_EQ(cdg, table->RowPrice(0)->instrument);
}

}  // namespace
