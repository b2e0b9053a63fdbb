// The searchable watchlist list behind the menus' "More..." items.

#include <wx/listbox.h>
#include <wx/textctrl.h>

#include "support/BoardFixture.h"
#include "support/UserInput.h"
#include "board/WatchlistChooser.h"

namespace {

using testing_support::Flush;

class Chooser : public testing_support::BoardFixture
{
protected:
    WatchlistChooser* Open(std::vector<wxString> names)
    {
        ChooseWatchlist(&application, frame, "Watchlists", std::move(names),
                        [this](const wxString& name) { chosen.push_back(name); });
        Flush();
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* chooser = dynamic_cast<WatchlistChooser*>(window); chooser && !chooser->IsClosing())
                return chooser;
        return nullptr;
    }

    static void Activate(WatchlistChooser* chooser, int id, wxEventType type)
    {
        wxCommandEvent event(type, id);
        event.SetEventObject(chooser);
        chooser->ProcessWindowEvent(event);
    }

    std::vector<wxString> chosen;
};

TEST_F(Chooser, SearchNarrowsTheListOkOrEnterChoosesTheSelectedNameAndCancelOrNoMatchChoosesNothing)
{
    WatchlistChooser* chooser = Open({"Banks", wxString::FromUTF8("Zürich Blue"), "Miners", "Bonds"});
    ASSERT_NE(chooser, nullptr);
    EXPECT_FALSE(frame->IsEnabled());
    EXPECT_EQ(chooser->GetList()->GetCount(), 4u);

    chooser->GetSearchField()->SetValue(wxString::FromUTF8("ZÜR"));
    ASSERT_EQ(chooser->GetList()->GetCount(), 1u);
    chooser->GetSearchField()->SetValue("b");
    ASSERT_EQ(chooser->GetList()->GetCount(), 3u);
    chooser->GetList()->SetSelection(2);
    Activate(chooser, wxID_OK, wxEVT_BUTTON);
    Flush();

    EXPECT_EQ(chosen, std::vector<wxString>{"Bonds"});

    // Enter where the user typed takes the first match.
    chooser = Open({"Banks", "Miners"});
    ASSERT_NE(chooser, nullptr);
    chooser->GetSearchField()->SetValue("n");
    EXPECT_TRUE(testing_support::PressKey(chooser->GetSearchField(), WXK_RETURN));
    Flush();
    EXPECT_EQ(chosen, (std::vector<wxString>{"Bonds", "Banks"}));

    // Nothing is chosen without a match, nor on Cancel.
    chooser = Open({"Banks"});
    ASSERT_NE(chooser, nullptr);
    chooser->GetSearchField()->SetValue("xyz");
    Activate(chooser, wxID_OK, wxEVT_BUTTON);
    EXPECT_FALSE(chooser->IsClosing());
    Activate(chooser, wxID_CANCEL, wxEVT_BUTTON);
    Flush();
    EXPECT_EQ(chosen, (std::vector<wxString>{"Bonds", "Banks"}));
}

}  // namespace
