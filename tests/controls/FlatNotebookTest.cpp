// Page management, selection events and mouse handling of the themed notebook.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>

#include "support/EventLoop.h"
#include "support/FrameTest.h"
#include "support/UserInput.h"
#include "wxFlatNotebook.h"
#include "wxFlatNotebookTabStrip.h"

namespace {

/// Records every notebook event that reaches the frame.
struct EventLog
{
    /// The event's type, id, selection and old selection, and the selection its handler saw.
    using Entry = std::tuple<wxEventType, int, int, int, int>;
    std::vector<Entry> entries;
    wxFlatNotebook* notebook = nullptr;

    void Record(wxFlatNotebookEvent& event)
    {
        entries.emplace_back(event.GetEventType(), event.GetId(), event.GetSelection(),
                             event.GetOldSelection(), notebook->GetSelection());
        event.Skip();
    }

    /// What a switch of the notebook below from page `from` to page `to` sends: the
    /// handler of Changing still sees the old page selected.
    static std::vector<Entry> Switch(int from, int to)
    {
        return {{wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING, 7160, to, from, from},
                {wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, 7160, to, from, to}};
    }
};

class FlatNotebookTest : public testing_support::FrameTest
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "notebook", wxDefaultPosition, wxSize(600, 400));
        notebook = new wxFlatNotebook(frame, 7160, wxDefaultPosition, wxSize(23, 23),
                                      wxFLATNB_FLAT_TABS | wxFLATNB_STRIP_LINE);
        log.notebook = notebook;
        for (auto type : {wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING})
            frame->Bind(type, &EventLog::Record, &log);
        frame->Show();
        frame->SendSizeEvent();
        testing_support::Flush();
    }


    wxPanel* NewPage() { return new wxPanel(frame); }

    void AddPages(int count)
    {
        for (int i = 0; i < count; ++i)
            notebook->AddPage(NewPage(), wxString::Format("Page %d", i));
    }

    wxFlatNotebookTabStrip* Strip() const
    {
        return static_cast<wxFlatNotebookTabStrip*>(notebook->GetTabStrip());
    }

    void SendMouse(wxEventType type, const wxPoint& at) { testing_support::SendMouse(Strip(), type, at); }

    wxPoint TabCentre(int tab) const
    {
        const wxRect rect = Strip()->GetTabRect(tab);
        return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }

    wxFlatNotebook* notebook = nullptr;
    EventLog log;
};

TEST_F(FlatNotebookTest, PagesAreReparentedTheFirstIsShownWithoutEventsAndBadPagesAreRefused)
{
    wxPanel* first = NewPage();
    wxPanel* second = NewPage();
    ASSERT_TRUE(notebook->AddPage(first, "First"));
    ASSERT_TRUE(notebook->AddPage(second, "Second"));

    EXPECT_EQ(notebook->GetSelection(), 0);
    EXPECT_TRUE(first->IsShown());
    EXPECT_FALSE(second->IsShown());
    EXPECT_TRUE(log.entries.empty());
    ASSERT_TRUE(notebook->InsertPage(0, NewPage(), "Before"));
    EXPECT_EQ(notebook->GetSelection(), 1) << "the shown page stays shown when one goes in before it";

    EXPECT_FALSE(notebook->AddPage(nullptr, "None"));
    EXPECT_FALSE(notebook->AddPage(first, "Twice"));
    EXPECT_FALSE(notebook->InsertPage(5, NewPage(), "Far"));
    EXPECT_EQ(notebook->GetPageCount(), 3u);
    EXPECT_FALSE(notebook->DeletePage(3));

    notebook->SetSelection(2);
    ASSERT_TRUE(notebook->DeletePage(2));
    EXPECT_EQ(notebook->GetSelection(), 1) << "the page before a shown last page takes its place";
}

TEST_F(FlatNotebookTest, SetSelectionAndAClickOnATabSendChangingThenChangedWithIdsAndSelections)
{
    AddPages(3);
    EXPECT_EQ(notebook->SetSelection(2), 0);
    EXPECT_EQ(log.entries, EventLog::Switch(0, 2));
    EXPECT_TRUE(notebook->GetPage(2)->IsShown());
    EXPECT_FALSE(notebook->GetPage(0)->IsShown());

    // Selecting the current page again is not a change, and ChangeSelection is silent.
    log.entries.clear();
    EXPECT_EQ(notebook->SetSelection(2), 2);
    EXPECT_EQ(notebook->ChangeSelection(1), 2);
    EXPECT_TRUE(notebook->GetPage(1)->IsShown());
    EXPECT_TRUE(log.entries.empty());

    notebook->AddPage(NewPage(), "Chosen", true);
    EXPECT_EQ(notebook->GetSelection(), 3);
    EXPECT_EQ(log.entries, EventLog::Switch(1, 3)) << "adding a selected page says so";

    log.entries.clear();
    ASSERT_FALSE(Strip()->GetTabRect(1).IsEmpty());
    SendMouse(wxEVT_LEFT_DOWN, TabCentre(1));
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_EQ(log.entries, EventLog::Switch(3, 1));

    SendMouse(wxEVT_LEFT_DOWN, wxPoint(Strip()->GetClientSize().x - 2, 3));
    EXPECT_EQ(notebook->GetSelection(), 1) << "a click past the last tab hits nothing";
}

}  // namespace
