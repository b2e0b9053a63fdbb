// Typing on a tab: a watchlist's tab adds the instrument typed or pasted, a
// category or exchange tab selects the first row of the code typed. And
// watchlists written to and read from files of their own.

#include <chrono>

#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "commands/TypeToJump.h"
#include "store/WatchlistStoreService.h"
#include "support/BoardFixture.h"
#include "support/FileSizeLimit.h"
#include "watchlist/PasteCodes.h"
#include "watchlist/TypeToAdd.h"
#include "watchlist/WatchlistFiles.h"

namespace {

using namespace std::chrono_literals;
using layout::InstrumentRef;
using namespace testing_support;
using Refs = std::vector<InstrumentRef>;

class WatchlistTyping : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="ARPI"/>)"
                   R"(<instrument exchange="AMX" code="BDI"/></watchlist>)");
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/>)"
                         R"(<watchlist name="All" type="7" exchange="AMX" current="false"/></watchlists>)");
        board->Features().FindFeature<TypeToJump>()->SetClock([this] { return std::chrono::steady_clock::time_point{} + at; });
        Flush();
        grid = board->Tabs().CurrentGrid();
    }

    // A character typed at `when` in `target`'s cells, as the toolkit sends it after the key went unused.
    void Type(wxGridEx* target, int key, int modifiers = wxMOD_NONE, std::chrono::milliseconds when = {})
    {
        at = when;
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = key;
        event.m_uniChar = static_cast<wxChar>(key);
        event.SetControlDown(modifiers & wxMOD_CONTROL);
        event.SetEventObject(target->GetGridWindow());
        target->GetGridWindow()->ProcessWindowEvent(event);
    }

    Instrument* Selected() const
    {
        const Price* price = TabSorting::FirstSelectedPrice(board->Tabs().CurrentGrid());
        return price ? price->instrument : nullptr;
    }

    std::chrono::milliseconds at{0};
};

TEST_F(WatchlistTyping, TypingAddsTheChosenInstrumentOnceAndSelectsItAndAPasteAddsEveryKnownCodeInOneWrite)
{
    auto* typing = board->Features().FindFeature<TypeToAdd>();
    Type(grid, 'c');
    LookupField* field = typing->GetOpenField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->GetTextField()->GetValue(), "c");
    field->GetTextField()->SetValue("cd");
    ASSERT_FALSE(field->Shown().empty());
    EXPECT_EQ(field->Shown().front(), cdg);
    field->Choose();
    Flush();
    EXPECT_EQ(Stored("Core"), (Refs{{"AMX", "ARPI"}, {"AMX", "BDI"}, {"AMX", "CDG"}}));
    EXPECT_EQ(Selected(), cdg);

    // Held already: selected, not added twice.
    Type(grid, 'a');
    typing->GetOpenField()->GetTextField()->SetValue("arpi");
    typing->GetOpenField()->Choose();
    EXPECT_EQ(Stored("Core").size(), 3u);
    EXPECT_EQ(Selected(), arpi);

    // Escape closes without adding; a tab of an exchange takes no typing.
    Type(grid, 'k');
    SendKey(typing->GetOpenField()->GetTextField(), wxEVT_KEY_DOWN, WXK_ESCAPE);
    EXPECT_EQ(typing->GetOpenField(), nullptr);
    Type(GridOfPage(board, 1), 'k');
    EXPECT_EQ(typing->GetOpenField(), nullptr);
    EXPECT_EQ(Stored("Core").size(), 3u);

    // A paste adds every known code in one write.
    board->Features().FindFeature<PasteCodes>()->SetClipboardReader([] { return wxString("ksm, AMX:TKE\tBDI\nAMX:AI NOPE"); });
    int writes = 0;
    board->GetStore()->Observe([&writes](const store::StoreChange&) { ++writes; });
    Type(grid, WXK_CONTROL_V, wxMOD_CONTROL);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(Stored("Core"), (Refs{{"AMX", "ARPI"}, {"AMX", "BDI"}, {"AMX", "CDG"}, {"KTX", "KSM"}, {"AMX", "AI"}}));
    // The outcome is told to the user once, and is no error of the log.
    EXPECT_EQ("2 instruments added to \"Core\". 1 was listed already. Not found: AMX:TKE, NOPE\n", Notices());
    EXPECT_EQ(std::string::npos, log.str().find("added to")) << log.str();
}

// A store that cannot be written is told in the user's words, naming the
// file and the system's reason, and the tab and the file stay as they were.
TEST_F(WatchlistTyping, AStoreWriteThatFailsIsToldNamingTheFileAndTheReason)
{
    const std::string before = StoreBytes();
    board->Features().FindFeature<PasteCodes>()->SetClipboardReader([] { return wxString("CDG"); });
    {
        const FileSizeLimit limit(16);
        ASSERT_TRUE(limit.IsSet());
        Type(grid, WXK_CONTROL_V, wxMOD_CONTROL);
    }
    EXPECT_EQ(before, StoreBytes());
    EXPECT_EQ(InstrumentsShown(grid), (std::vector<Instrument*>{arpi, bdi}));
    EXPECT_EQ("The pasted codes could not be added to the watchlist \"Core\". " + host.applicationFilePath +
                  ": cannot write: File too large\n",
              Notices());
    EXPECT_NE(std::string::npos, log.str().find("[Tickerdeck] pasting into watchlist \"Core\"")) << log.str();
}

TEST_F(WatchlistTyping, ExportAndImportKeepTheListAndItsUnknownEntries)
{
    auto* files = board->Features().FindFeature<WatchlistFiles>();
    std::string chosen;
    files->SetFileChooser([&chosen](wxWindow*, bool, const wxString&) { return chosen; });
    std::vector<wxString> errors;
    files->SetErrorReport([&errors](wxWindow*, const wxString& message, const wxString&) { errors.push_back(message); });

    chosen = (folder / "in.csv").string();
    WriteBytes(chosen, "exchange,code,name\r\nAMX,BDI,x\r\nXTSE,GHOST,\r\nNOPE\r\nktx,tke,\r\n");
    files->Import(*board);
    TextEntryDialog* dialog = files->GetOpenImport();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->GetPrompt()->GetLabel().StartsWith("2 of 4 entries found.\nNot found, kept as unknown: XTSE:GHOST\nNot found, left out (no exchange given): NOPE")) << dialog->GetPrompt()->GetLabel();
    dialog->GetTextField()->SetValue(" CORE ");
    ASSERT_TRUE(Click(dialog, wxID_OK));
    EXPECT_FALSE(dialog->GetRefusal().empty());
    dialog->GetTextField()->SetValue("Imported");
    ClickAndFlush(dialog, wxID_OK);
    EXPECT_EQ(Stored("Imported"), (Refs{{"AMX", "BDI"}, {"XTSE", "GHOST"}, {"KTX", "TKE"}}));

    // The new tab is current: exported, it lists the unknown entry in its place.
    chosen = (folder / "out.csv").string();
    ASSERT_TRUE(files->Export(*board));
    EXPECT_EQ(ReadBytes(chosen),
              "exchange,code,name\r\nAMX,BDI,BDI Corp\r\nXTSE,GHOST,\r\nKTX,TKE,TKE Corp\r\n");

    chosen = (folder / "broken.csv").string();
    WriteBytes(chosen, "code\n\"KSM\n");
    files->Import(*board);
    EXPECT_EQ(files->GetOpenImport(), nullptr);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("line 2"), wxString::npos) << errors[0];
}

TEST_F(WatchlistTyping, OnAnExchangeTabLettersWithinASecondNarrowTheCodeAndAPauseStartsANewOne)
{
    board->Tabs().Notebook()->SetSelection(1);   // AMX shows ARPI, BDI, CDG, AI in that order
    Type(board->Tabs().CurrentGrid(), 'c', 0, 10s);
    EXPECT_EQ(cdg, Selected());
    Type(board->Tabs().CurrentGrid(), 'A', 0, 20s);
    EXPECT_EQ(arpi, Selected()) << "the first row whose code starts with it";
    Type(board->Tabs().CurrentGrid(), 'i', 0, 20s + 999ms);
    EXPECT_EQ(ai, Selected());
    Type(board->Tabs().CurrentGrid(), 'x', 0, 21s + 500ms);
    EXPECT_EQ(ai, Selected()) << "no code starts with AIX: the selection stays";
    Type(board->Tabs().CurrentGrid(), 'b', 0, 23s);
    EXPECT_EQ(bdi, Selected()) << "after a pause the typing starts over";

    // The lookup field of a watchlist tab may take the key; the jump must not.
    board->Tabs().Notebook()->SetSelection(0);
    Type(board->Tabs().CurrentGrid(), 'c', 0, 23s + 100ms);
    EXPECT_EQ("b", board->Features().FindFeature<TypeToJump>()->Typed()) << "nothing was taken as typed";
}

}  // namespace
