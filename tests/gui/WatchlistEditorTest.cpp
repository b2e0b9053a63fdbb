// The watchlist editor and the commands that open it: New, Edit and Rename
// Watchlist, with the names they refuse and the store they change.

#include <functional>

#include <wx/popupwin.h>
#include <wx/srchctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "controls/wxButtonEx.h"
#include "support/BoardFixture.h"
#include "support/UserInput.h"
#include "watchlist/TabMenu.h"
#include "watchlist/WatchlistCommands.h"

namespace {

using layout::InstrumentRef;
using testing_support::Flush;
using testing_support::HideInstruments;

class EditorTest : public testing_support::BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        host.AddInstrument("ZKB", "AMX")->name = "BANK Z\xC3\x9CRICH";   // "zk" is in its code alone
        host.AddInstrument("LOST", "NOWHERE");   // an exchange the host has no name for
        WriteStore(R"(<watchlist name="Core"><instrument exchange="AMX" code="CDG"/><instrument exchange="SYN" code="GHOST"/>)"
                   R"(<instrument exchange="AMX" code="BDI"/><instrument exchange="AMX" code="AI"/></watchlist>)"
                   R"(<watchlist name="Shelf"/>)");
        board = LoadNode(R"(<watchlists><watchlist name="Core" type="1"/>)"
                         R"(<watchlist name="Technology" type="2" exchange="AMX" category="TECH" current="false"/></watchlists>)");
        commands = board->FindFeature<WatchlistCommands>();
        commands->SetErrorReport([this](wxWindow*, const wxString& message, const wxString&) { errors.push_back(message); });
        Flush();
    }

    WatchlistEditor* Open(int command)
    {
        testing_support::PostCommand(board, command);
        return commands->GetOpenEditor();
    }

    template <typename Model>
    static std::string Label(const Model& model, unsigned row)
    {
        wxVariant value;
        model.GetValueByRow(value, row, Model::NameColumn);
        wxDataViewIconText text;
        text << value;
        return text.GetText().utf8_string();
    }

    /// The catalogue as "exchange label: codes" per header row.
    static std::vector<std::string> Tree(const WatchlistEditor* editor)
    {
        const CatalogueModel& model = editor->GetCatalogueModel();
        std::vector<std::string> rows;
        for (unsigned row = 0; row < model.RowCount(); ++row)
            if (model.IsHeader(row))
                rows.push_back(Label(model, row) + ":");
            else
                rows.back() += " " + model.InstrumentAt(row)->code;
        return rows;
    }

    /// The texts a balloon shown under `field` holds, each only when its
    /// label is wide enough for the whole of it.
    static std::vector<wxString> BalloonTextsShownInFull(wxWindow* field)
    {
        std::vector<wxString> texts;
        const std::function<void(wxWindow*)> collect = [&](wxWindow* window) {
            for (wxWindow* child : window->GetChildren())
            {
                auto* label = dynamic_cast<wxStaticText*>(child);
                if (label && label->GetSize().x >= label->GetTextExtent(label->GetLabelText()).x)
                    texts.push_back(label->GetLabelText());
                collect(child);
            }
        };
        for (wxWindow* child : field->GetChildren())
            if (dynamic_cast<wxPopupWindow*>(child) && child->IsShown())
                collect(child);
        return texts;
    }

    static unsigned RowOf(const WatchlistEditor* editor, const Instrument* instrument)
    {
        for (unsigned row = 0; row < editor->GetCatalogueModel().RowCount(); ++row)
            if (editor->GetCatalogueModel().InstrumentAt(row) == instrument)
                return row;
        ADD_FAILURE() << "not listed: " << instrument->code;
        return 0;
    }

    Tickerdeck* board = nullptr;
    WatchlistCommands* commands = nullptr;
    std::vector<wxString> errors;
};

TEST_F(EditorTest, SearchFindsCodesAndNamesInAnyCaseOneCharacterACodeOfItsOwnAndAnEmptyListIsSaved)
{
    host.AddInstrument("K", "KTX");
    WatchlistEditor* editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(frame->IsEnabled());
    EXPECT_EQ(Tree(editor), (std::vector<std::string>{"Atlantic Markets Exchange (AMX):", "Kanto Exchange (KTX):",
                                                      "NOWHERE:"}));

    editor->Search("k");
    EXPECT_EQ(Tree(editor), std::vector<std::string>{"Kanto Exchange (KTX): K"})
        << "the one-letter code alone";
    EXPECT_TRUE(editor->GetSearchHint()->IsShown());
    editor->Search("zk");  // in ZKB's code only
    EXPECT_EQ(Tree(editor), std::vector<std::string>{"Atlantic Markets Exchange (AMX): ZKB"});
    EXPECT_FALSE(editor->GetSearchHint()->IsShown());
    editor->Search("pI cO");  // "ARPI Corp"
    EXPECT_EQ(Tree(editor), std::vector<std::string>{"Atlantic Markets Exchange (AMX): ARPI"});

    // Activating an exchange opens and closes it.
    editor->Search("");
    editor->ActivateCatalogueRow(2);
    EXPECT_EQ(Tree(editor).back(), "NOWHERE: LOST");
    editor->ActivateCatalogueRow(2);
    EXPECT_EQ(Tree(editor).back(), "NOWHERE:");

    // Nothing was listed: an empty watchlist is stored.
    editor->GetNameField()->SetValue("Empty");
    ASSERT_TRUE(editor->Save());
    EXPECT_TRUE(Stored("Empty").empty());
    EXPECT_EQ(layout::ListWatchlistNames(host.applicationFilePath).back(), "Empty");
}

TEST_F(EditorTest, NewWatchlistStoresTheChosenInstrumentsUnderAFreeName)
{
    WatchlistEditor* editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->Search("ai");
    editor->ActivateCatalogueRow(RowOf(editor, ai));
    editor->ActivateCatalogueRow(RowOf(editor, ai));
    editor->Search("tk");
    editor->ActivateCatalogueRow(RowOf(editor, tke));
    editor->Search("ar");
    editor->ActivateCatalogueRow(RowOf(editor, arpi));
    editor->ActivateListRow(0);
    EXPECT_EQ(editor->GetListModel().Instruments(), (std::vector<Instrument*>{tke, arpi}));

    // Empty and stored names, with a tab or without, are refused.
    for (const wxString& taken : {wxString(), wxString("Shelf"), wxString("Core")})
    {
        editor->GetNameField()->SetValue(taken);
        EXPECT_FALSE(editor->Save()) << taken;
        EXPECT_FALSE(editor->GetNameError().empty());
    }

    editor->GetNameField()->SetValue("Fresh");
    EXPECT_TRUE(editor->Save());
    Flush();
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);
    EXPECT_EQ(PageLabels(board).back(), "Fresh");
    EXPECT_EQ(Tickerdeck::TableOf(board->GetCurrentGrid())->GetTabType(), layout::kStoredWatchlistTab);
    EXPECT_EQ(Stored("Fresh"), (std::vector<InstrumentRef>{{"KTX", "TKE"}, {"AMX", "ARPI"}}));
}

TEST_F(EditorTest, EditingAFilteredTabKeepsItsHiddenRowsAndListsUnknownOnesToTakeOut)
{
    wxGridEx* core = GridOfPage(board, 0);
    auto hide = std::make_unique<HideInstruments>(std::set<const Instrument*>{bdi});
    Tickerdeck::TableOf(core)->SetFilter(hide.get());
    board->TabFilters()[core->GetSplitter()] = std::move(hide);
    board->RearrangeRows(core);

    WatchlistEditor* editor = Open(cmd::EditWatchlist);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetNameField()->GetValue(), "Core");
    EXPECT_EQ(editor->GetListModel().Instruments(), (std::vector<Instrument*>{cdg, bdi, ai}));
    EXPECT_EQ(Label(editor->GetListModel(), 3), "SYN:GHOST, not in the catalogue today");
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
}

TEST_F(EditorTest, EditOnACategoryTabDoesNothingAndAFailedSaveKeepsTheEditorAndTheTab)
{
    board->GetNotebook()->SetSelection(1);
    EXPECT_EQ(Open(cmd::EditWatchlist), nullptr);

    board->GetNotebook()->SetSelection(0);
    WatchlistEditor* editor = Open(cmd::EditWatchlist);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->Save()) << "its own name passes";
    editor = Open(cmd::EditWatchlist);
    testing_support::WriteBytes(host.applicationFilePath, "broken <");
    editor->GetNameField()->SetValue("Elsewhere");
    EXPECT_FALSE(editor->Save());
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(commands->GetOpenEditor(), editor);
    EXPECT_EQ(PageLabels(board).front(), "Core");
    EXPECT_EQ("broken <", StoreBytes());
}

TEST_F(EditorTest, ARefusedNameIsToldInFullUnderTheNameField)
{
    const wxString taken = "A watchlist of that name already exists, please choose another name.";
    WatchlistEditor* editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->GetNameField()->SetValue(" sHELF  "); // "Shelf" is stored
    ASSERT_FALSE(editor->Save()) << "spaces around and case alone make no other name";
    Flush();
    EXPECT_EQ(BalloonTextsShownInFull(editor->GetNameField()), std::vector<wxString>{taken});
}

TEST_F(EditorTest, EnterInTheNameFieldSavesButNotInTheSearchOrTheCatalogue)
{
    using testing_support::PressKey;
    WatchlistEditor* editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->GetNameField()->SetValue("Fresh");
    // Enter searches in the search field and adds a row in the catalogue.
    EXPECT_FALSE(PressKey(editor->GetSearchField(), WXK_RETURN));
    EXPECT_FALSE(PressKey(editor->FindWindow(WatchlistEditor::kCatalogueId), WXK_RETURN));
    ASSERT_EQ(commands->GetOpenEditor(), editor);
    EXPECT_TRUE(PressKey(editor->GetNameField(), WXK_RETURN));
    Flush();
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);
    EXPECT_EQ(PageLabels(board).back(), "Fresh");
}

TEST_F(EditorTest, RenameRefusesTakenAndEmptyNamesAndChangesTheTabAndTheStoredRecordTogether)
{
    testing_support::PostCommand(board, cmd::RenameWatchlist);
    TextEntryDialog* rename = commands->GetOpenRename();
    ASSERT_NE(rename, nullptr);
    EXPECT_FALSE(rename->GetOkButton()->IsEnabled());
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    for (const wxString& taken : {wxString("Shelf"), wxString()})
    {
        rename->GetTextField()->SetValue(taken);
        rename->ProcessWindowEvent(ok);
        EXPECT_FALSE(rename->GetRefusal().empty()) << taken;
    }
    EXPECT_TRUE(rename->GetOkButton()->IsEnabled());

    rename->GetTextField()->SetValue(wxString::FromUTF8("Kern é"));
    EXPECT_TRUE(testing_support::PressKey(rename->GetTextField(), WXK_NUMPAD_ENTER)) << "Enter confirms";
    Flush();
    EXPECT_EQ(commands->GetOpenRename(), nullptr);
    EXPECT_EQ(PageLabels(board).front(), wxString::FromUTF8("Kern é"));
    EXPECT_EQ(layout::ListWatchlistNames(host.applicationFilePath), (std::vector<std::string>{"Kern \xC3\xA9", "Shelf"}));

    // A store that cannot be written leaves the label as it was.
    testing_support::WriteBytes(host.applicationFilePath, "broken <");
    testing_support::PostCommand(board, cmd::RenameWatchlist);
    commands->GetOpenRename()->GetTextField()->SetValue("Other");
    commands->GetOpenRename()->ProcessWindowEvent(ok);
    Flush();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(PageLabels(board).front(), wxString::FromUTF8("Kern é"));
}

TEST_F(EditorTest, EscapeAndCancelAskBeforeDiscardingChangesAndEscapeInTheSearchClearsItFirst)
{
    std::vector<wxString> asked;
    bool discard = false;
    const auto answer = [&](wxWindow*, const wxString& message) {
        asked.push_back(message);
        return discard;
    };
    const auto escape = [](WatchlistEditor* editor) {
        testing_support::PressKey(editor->GetSearchField(), WXK_ESCAPE);
        Flush();
    };
    WatchlistEditor* editor = Open(cmd::NewWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->SetDiscardQuestion(answer);
    editor->GetSearchField()->SetValue("ai");
    editor->ActivateCatalogueRow(RowOf(editor, ai));
    escape(editor);
    ASSERT_EQ(commands->GetOpenEditor(), editor);
    EXPECT_TRUE(editor->GetSearchField()->IsEmpty());
    EXPECT_EQ(Tree(editor).size(), 3u) << "the whole catalogue again";
    EXPECT_TRUE(asked.empty());

    escape(editor);
    EXPECT_EQ(asked, std::vector<wxString>{"Discard the changes to this watchlist?"});
    ASSERT_EQ(commands->GetOpenEditor(), editor) << "No keeps the list";
    discard = true;
    EXPECT_TRUE(testing_support::Click(editor, wxID_CANCEL));
    Flush();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);

    // Renaming is a change too; an editor left as it was closes without a word.
    editor = Open(cmd::EditWatchlist);
    ASSERT_NE(editor, nullptr);
    editor->SetDiscardQuestion(answer);
    editor->GetNameField()->SetValue("Core 2");
    editor->Close();
    EXPECT_EQ(asked.size(), 3u);
    Flush();
    editor = Open(cmd::EditWatchlist);
    editor->SetDiscardQuestion(answer);
    EXPECT_TRUE(testing_support::Click(editor, wxID_CANCEL));
    Flush();
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(commands->GetOpenEditor(), nullptr);
}

}  // namespace
