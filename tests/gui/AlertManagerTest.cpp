// The alert list: rows, buttons that follow the selection, editing that
// applies at once, and deletions staged until "OK".

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "alert/AlertManager.h"
#include "controls/wxBitmapButtonEx.h"
#include "controls/wxDataViewCtrlEx.h"
#include "support/AlertFixture.h"

namespace {

using testing_support::Flush;

class AlertList : public testing_support::AlertFixture
{
protected:
    AlertManager* OpenWithThree(bool answerYes = true)
    {
        gamma = host.AddInstrument("GAMMA");
        for (Instrument* instrument : {alpha, beta, gamma})
            AddAlert(instrument, AlertField::Last, AlertComparison::AtMost, 10);
        return Open(answerYes);
    }

    AlertManager* Open(bool answerYes = true)
    {
        AlertManager* manager = alerts->OpenManager(&application, owner);
        manager->SetQuestion([this, answerYes](wxWindow*, const wxString& message, const wxString& caption) {
            questions.push_back(caption + ": " + message);
            return answerYes;
        });
        return manager;
    }

    /// Selects a row as a click would, with the list's selection event.
    static void SelectRow(AlertManager* manager, int row)
    {
        wxDataViewCtrlEx* list = manager->GetList();
        const wxDataViewItem item = row >= 0 ? manager->GetModel()->GetItem(row) : wxDataViewItem();
        if (item.IsOk())
            list->Select(item);
        else
            list->UnselectAll();
        wxDataViewEvent event(wxEVT_DATAVIEW_SELECTION_CHANGED, list, item);
        list->ProcessWindowEvent(event);
    }

    static std::vector<Instrument*> Listed(const AlertManager* manager)
    {
        std::vector<Instrument*> listed;
        for (unsigned row = 0; row < manager->GetModel()->GetCount(); ++row)
            listed.push_back(manager->GetModel()->AlertAt(row)->instrument);
        return listed;
    }

    void Remove(AlertManager* manager, int row)
    {
        SelectRow(manager, row);
        ASSERT_TRUE(Click(manager, wxID_REMOVE));
    }

    Instrument* gamma = nullptr;
    std::vector<wxString> questions;
};

TEST_F(AlertList, ListsInMapOrderLocksTheOwnerAndStagesConfirmedDeletionsUntilOk)
{
    AlertManager* manager = OpenWithThree(false);
    EXPECT_FALSE(owner->IsEnabled());
    std::vector<Instrument*> expected;
    for (const auto& [instrument, alert] : alerts->Map())
        expected.push_back(instrument);
    EXPECT_EQ(expected, Listed(manager));
    EXPECT_EQ(host.theme.Palette().cellBackground, manager->GetList()->GetBackgroundColour());
    Remove(manager, 0);
    EXPECT_EQ(3u, manager->GetModel()->GetCount()) << "answering no keeps the row";
    EXPECT_FALSE(manager->GetOkButton()->IsEnabled()) << "nothing to apply";

    ASSERT_TRUE(Click(manager, wxID_CANCEL));
    EXPECT_TRUE(owner->IsEnabled());

    manager = Open();
    Remove(manager, 0);
    Remove(manager, 0);
    EXPECT_EQ(1u, manager->GetModel()->GetCount());
    EXPECT_TRUE(manager->GetOkButton()->IsEnabled());
    EXPECT_EQ(3u, alerts->Map().size()) << "nothing is deleted before OK";
    ASSERT_EQ(3u, questions.size()) << "each removal is confirmed";
    ASSERT_TRUE(Click(manager, wxID_CANCEL));
    EXPECT_EQ(3u, alerts->Map().size());

    manager = Open();
    const std::vector<Instrument*> listed = Listed(manager);
    Remove(manager, 0);
    Remove(manager, 1);  // the third of the original rows
    ASSERT_TRUE(Click(manager, wxID_OK));
    ASSERT_EQ(1u, alerts->Map().size());
    EXPECT_EQ(listed[1], alerts->Map().begin()->first);
}

TEST_F(AlertList, AlertsRemovedOrReplacedElsewhereAreNotDeletedByOk)
{
    AlertManager* manager = OpenWithThree();
    const std::vector<Instrument*> listed = Listed(manager);
    Remove(manager, 0);
    alerts->RemoveAlert(listed[0]);  // a popup's Disable on the staged one
    alerts->RemoveAlert(listed[2]);  // and on one still listed
    EXPECT_EQ(std::vector<Instrument*>{listed[1]}, Listed(manager));
    EXPECT_TRUE(manager->GetStagedDeletions().empty());

    // A new alert for a staged instrument is not the one that was staged.
    Remove(manager, 0);
    AddAlert(listed[1], AlertField::Buy, AlertComparison::AtLeast, 1);
    ASSERT_TRUE(Click(manager, wxID_OK));
    ASSERT_EQ(1u, alerts->Map().size());
    EXPECT_EQ(ToCode(AlertField::Buy), alerts->Map()[listed[1]]->field);
}

TEST_F(AlertList, EditAppliesAtOnceSurvivesCancelAndClosesWhenItsAlertIsDisabled)
{
    PriceAlert* alert = AddAlert(alpha, AlertField::Last, AlertComparison::AtMost, 10, "old");
    AlertManager* manager = Open();
    SelectRow(manager, 0);
    ASSERT_TRUE(Click(manager, wxID_EDIT));
    PriceAlertSetup* edit = manager->GetEditDialog();
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(manager, edit->GetParent());
    EXPECT_FALSE(manager->IsEnabled()) << "the list waits for the edit";
    EXPECT_EQ("10.00", edit->GetValueText()->GetValue());

    edit->GetValueText()->SetValue("9.5");
    edit->GetRemarkText()->SetValue("new");
    ASSERT_TRUE(Click(edit, wxID_OK));
    EXPECT_DOUBLE_EQ(9.5, alert->threshold);
    EXPECT_EQ("new", alert->remark);
    wxVariant condition;
    manager->GetModel()->GetValueByRow(condition, 0, AlertModel::ConditionColumn);
    EXPECT_EQ("Last <= 9.50", condition.GetString());

    ASSERT_TRUE(Click(manager, wxID_CANCEL));
    EXPECT_EQ(alert, alerts->Map()[alpha].get());
    EXPECT_DOUBLE_EQ(9.5, alert->threshold);

    // An edit whose alert a popup disables meanwhile closes and writes nowhere.
    manager = Open();
    SelectRow(manager, 0);
    ASSERT_TRUE(Click(manager, wxID_EDIT));
    wxWeakRef<PriceAlertSetup> stale(manager->GetEditDialog());
    alerts->RemoveAlert(alpha);
    Flush();
    EXPECT_FALSE(stale);
    EXPECT_TRUE(manager->IsEnabled());
    EXPECT_EQ(0u, manager->GetModel()->GetCount());
}

TEST_F(AlertList, TheDeletionQuestionHasAStyleTheToolkitAccepts)
{
    // Built, not shown: the toolkit asserts on a style it rejects, and the
    // test main turns its assertion into a failure.
    wxMessageDialog box(owner, "Delete?", "Delete Alert", ThemedDialog::kQuestionStyle);
    EXPECT_FALSE(HasNonfatalFailure()) << "the toolkit rejected the question's style";
}

}  // namespace
