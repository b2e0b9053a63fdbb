// Page management, selection events and mouse handling of the themed notebook.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/weakref.h>

#include "support/EventLoop.h"
#include "wxFlatNotebook.h"
#include "wxFlatNotebookTabStrip.h"

namespace {

/// Records every notebook event that reaches the frame.
struct EventLog
{
    struct Entry
    {
        wxEventType type;
        int id;
        int selection;
        int oldSelection;
        int selectionSeenByHandler;
    };
    std::vector<Entry> entries;
    wxFlatNotebook* notebook = nullptr;

    void Record(wxFlatNotebookEvent& event)
    {
        entries.push_back({event.GetEventType(), event.GetId(), event.GetSelection(),
                           event.GetOldSelection(), notebook->GetSelection()});
        event.Skip();
    }

    size_t Count(wxEventType type) const
    {
        size_t count = 0;
        for (const auto& entry : entries)
            count += entry.type == type ? 1 : 0;
        return count;
    }
};

class FlatNotebookTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "notebook", wxDefaultPosition, wxSize(600, 400));
        notebook = new wxFlatNotebook(frame, 7160, wxDefaultPosition, wxSize(23, 23),
                                      wxFLATNB_FLAT_TABS | wxFLATNB_STRIP_LINE);
        log.notebook = notebook;
        for (auto type : {wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED, wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING,
                          wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU})
            frame->Bind(type, &EventLog::Record, &log);
        frame->Show();
        frame->SendSizeEvent();
        testing_support::Flush();
    }

    void TearDown() override
    {
        frame->Destroy();
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

    void SendMouse(wxEventType type, const wxPoint& at, int wheelRotation = 0)
    {
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(Strip());
        event.m_wheelRotation = wheelRotation;
        event.m_wheelDelta = 120;
        Strip()->GetEventHandler()->ProcessEvent(event);
    }

    wxPoint TabCentre(int tab) const
    {
        const wxRect rect = Strip()->GetTabRect(tab);
        return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }

    wxFrame* frame = nullptr;
    wxFlatNotebook* notebook = nullptr;
    EventLog log;
};

TEST_F(FlatNotebookTest, PagesAreReparentedAndTheFirstOneIsShownWithoutEvents)
{
    wxPanel* first = NewPage();
    wxPanel* second = NewPage();
    ASSERT_TRUE(notebook->AddPage(first, "First"));
    ASSERT_TRUE(notebook->AddPage(second, "Second"));

    EXPECT_EQ(first->GetParent(), notebook);
    EXPECT_EQ(second->GetParent(), notebook);
    EXPECT_EQ(notebook->GetPageCount(), 2u);
    EXPECT_EQ(notebook->GetSelection(), 0);
    EXPECT_TRUE(first->IsShown());
    EXPECT_FALSE(second->IsShown());
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(notebook->GetPageIndex(second), 1);
    EXPECT_EQ(notebook->GetPageIndex(frame), wxNOT_FOUND);
    EXPECT_EQ(notebook->GetPage(2), nullptr);
}

TEST_F(FlatNotebookTest, RejectsNullDuplicateAndOutOfRangePages)
{
    wxPanel* page = NewPage();
    EXPECT_FALSE(notebook->AddPage(nullptr, "None"));
    EXPECT_TRUE(notebook->AddPage(page, "Once"));
    EXPECT_FALSE(notebook->AddPage(page, "Twice"));
    EXPECT_FALSE(notebook->InsertPage(5, NewPage(), "Far"));
    EXPECT_EQ(notebook->GetPageCount(), 1u);
    EXPECT_FALSE(notebook->DeletePage(3));
    EXPECT_FALSE(notebook->RemovePage(3));
    EXPECT_FALSE(notebook->SetPageText(3, "x"));
    EXPECT_EQ(notebook->GetPageText(3), "");
}

TEST_F(FlatNotebookTest, InsertBeforeSelectionKeepsTheSelectedPage)
{
    AddPages(3);
    notebook->ChangeSelection(1);
    wxWindow* selected = notebook->GetPage(1);
    wxPanel* inserted = NewPage();
    ASSERT_TRUE(notebook->InsertPage(0, inserted, "Inserted"));

    EXPECT_EQ(notebook->GetSelection(), 2);
    EXPECT_EQ(notebook->GetPage(2), selected);
    EXPECT_EQ(notebook->GetPage(0), inserted);
    EXPECT_EQ(notebook->GetPageText(0), "Inserted");
    EXPECT_FALSE(inserted->IsShown());
}

TEST_F(FlatNotebookTest, SetSelectionSendsChangingThenChangedWithIdsAndSelections)
{
    AddPages(3);
    const int old = notebook->SetSelection(2);

    EXPECT_EQ(old, 0);
    EXPECT_EQ(notebook->GetSelection(), 2);
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].type, wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING);
    EXPECT_EQ(log.entries[0].selectionSeenByHandler, 0);  // not yet switched
    EXPECT_EQ(log.entries[1].type, wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED);
    for (const auto& entry : log.entries)
    {
        EXPECT_EQ(entry.id, 7160);
        EXPECT_EQ(entry.selection, 2);
        EXPECT_EQ(entry.oldSelection, 0);
    }
    EXPECT_EQ(log.entries[1].selectionSeenByHandler, 2);
    EXPECT_TRUE(notebook->GetPage(2)->IsShown());
    EXPECT_FALSE(notebook->GetPage(0)->IsShown());

    // Selecting the current page again is not a change.
    log.entries.clear();
    EXPECT_EQ(notebook->SetSelection(2), 2);
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(FlatNotebookTest, ChangeSelectionSwitchesSilently)
{
    AddPages(3);
    EXPECT_EQ(notebook->ChangeSelection(1), 0);
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_TRUE(notebook->GetPage(1)->IsShown());
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(FlatNotebookTest, VetoedChangingKeepsTheOldPage)
{
    AddPages(3);
    frame->Bind(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGING, [](wxFlatNotebookEvent& event) {
        if (event.GetSelection() == 2)
            event.Veto();
        event.Skip();  // a veto must hold even when the handler passes the event on
    });

    EXPECT_EQ(notebook->SetSelection(2), 0);
    EXPECT_EQ(notebook->GetSelection(), 0);
    EXPECT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 0u);
    EXPECT_FALSE(notebook->GetPage(2)->IsShown());

    notebook->SetSelection(1);
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 1u);
}

TEST_F(FlatNotebookTest, AddingSelectedPageSendsTheEvent)
{
    AddPages(1);
    notebook->AddPage(NewPage(), "Chosen", true);
    EXPECT_EQ(notebook->GetSelection(), 1);
    ASSERT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 1u);
    EXPECT_EQ(log.entries.back().selection, 1);
    EXPECT_EQ(log.entries.back().oldSelection, 0);
}

TEST_F(FlatNotebookTest, ClickOnATabSelectsItAndDoubleClickIsJustAClick)
{
    AddPages(3);
    ASSERT_FALSE(Strip()->GetTabRect(1).IsEmpty());
    SendMouse(wxEVT_LEFT_DOWN, TabCentre(1));

    EXPECT_EQ(notebook->GetSelection(), 1);
    ASSERT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 1u);
    EXPECT_EQ(log.entries.back().selection, 1);
    EXPECT_EQ(log.entries.back().oldSelection, 0);

    SendMouse(wxEVT_LEFT_DCLICK, TabCentre(1));
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 1u);

    // A click past the last tab hits nothing.
    SendMouse(wxEVT_LEFT_DOWN, wxPoint(Strip()->GetClientSize().x - 2, 3));
    EXPECT_EQ(notebook->GetSelection(), 1);
}

TEST_F(FlatNotebookTest, RightClickSelectsTheTabAndAnnouncesTheContextMenu)
{
    AddPages(3);
    wxMenu menu;
    notebook->SetRightClickMenu(&menu);
    EXPECT_EQ(notebook->GetRightClickMenu(), &menu);
    // Vetoing the announcement keeps the (blocking) popup away from the test;
    // the veto holds even though this handler lets the event go on.
    frame->Bind(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU, [](wxFlatNotebookEvent& event) {
        event.Veto();
        event.Skip();
    });

    SendMouse(wxEVT_RIGHT_DOWN, TabCentre(2));

    EXPECT_EQ(notebook->GetSelection(), 2);
    ASSERT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU), 1u);
    const auto& announced = log.entries.back();
    EXPECT_EQ(announced.type, wxEVT_COMMAND_FLATNOTEBOOK_CONTEXT_MENU);
    EXPECT_EQ(announced.selection, 2);
    EXPECT_EQ(announced.selectionSeenByHandler, 2);  // selected before the menu

    notebook->SetRightClickMenu(nullptr);
    EXPECT_EQ(notebook->GetRightClickMenu(), nullptr);
}

TEST_F(FlatNotebookTest, RemovingTheSelectedPageSelectsTheNeighbourAndSaysSo)
{
    AddPages(3);
    notebook->ChangeSelection(1);
    wxWeakRef<wxWindow> removed = notebook->GetPage(1);

    ASSERT_TRUE(notebook->RemovePage(1));
    EXPECT_TRUE(removed);  // still alive
    EXPECT_FALSE(removed->IsShown());
    EXPECT_EQ(notebook->GetPageCount(), 2u);
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_EQ(notebook->GetPageText(1), "Page 2");
    ASSERT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 1u);
    EXPECT_EQ(log.entries.back().selection, 1);

    // The last page removed while selected falls back to the one before.
    ASSERT_TRUE(notebook->DeletePage(1));
    EXPECT_EQ(notebook->GetSelection(), 0);
    EXPECT_EQ(notebook->GetPageText(0), "Page 0");
    removed->Destroy();
}

TEST_F(FlatNotebookTest, DeletePageDestroysTheWindowAndShiftsTheSelection)
{
    AddPages(3);
    notebook->ChangeSelection(2);
    wxWeakRef<wxWindow> doomed = notebook->GetPage(0);

    ASSERT_TRUE(notebook->DeletePage(0));
    EXPECT_FALSE(doomed);
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_EQ(notebook->GetPageText(1), "Page 2");
    EXPECT_EQ(log.Count(wxEVT_COMMAND_FLATNOTEBOOK_PAGE_CHANGED), 0u);
}

TEST_F(FlatNotebookTest, DeleteAllPagesLeavesNoSelection)
{
    AddPages(4);
    std::vector<wxWeakRef<wxWindow>> pages;
    for (size_t i = 0; i < notebook->GetPageCount(); ++i)
        pages.emplace_back(notebook->GetPage(i));

    EXPECT_TRUE(notebook->DeleteAllPages());
    EXPECT_EQ(notebook->GetPageCount(), 0u);
    EXPECT_EQ(notebook->GetSelection(), wxNOT_FOUND);
    for (const auto& page : pages)
        EXPECT_FALSE(page);
    // The notebook is usable again afterwards.
    notebook->AddPage(NewPage(), "Again");
    EXPECT_EQ(notebook->GetSelection(), 0);
}

TEST_F(FlatNotebookTest, PageDestroyedBehindItsBackIsForgotten)
{
    AddPages(3);
    notebook->ChangeSelection(1);
    delete notebook->GetPage(1);

    EXPECT_EQ(notebook->GetPageCount(), 2u);
    EXPECT_EQ(notebook->GetSelection(), 1);
    EXPECT_EQ(notebook->GetPageText(1), "Page 2");
    EXPECT_TRUE(notebook->GetPage(1)->IsShown());
}

TEST_F(FlatNotebookTest, TextAndImageOfAPage)
{
    wxFlatNotebookImageList images;
    wxBitmap icon(16, 16);
    images.Add(icon);
    notebook->SetImageList(&images);
    EXPECT_EQ(notebook->GetImageList(), &images);
    AddPages(2);

    const int plainWidth = Strip()->GetTabRect(0).width;
    EXPECT_EQ(notebook->GetPageImage(0), -1);
    notebook->SetPageImage(0, 0);
    EXPECT_EQ(notebook->GetPageImage(0), 0);
    EXPECT_GE(Strip()->GetTabRect(0).width, plainWidth + 16);
    notebook->SetPageImage(0, -1);
    EXPECT_EQ(Strip()->GetTabRect(0).width, plainWidth);

    ASSERT_TRUE(notebook->SetPageText(1, "A much longer label than before"));
    EXPECT_EQ(notebook->GetPageText(1), "A much longer label than before");
    EXPECT_GT(Strip()->GetTabRect(1).width, plainWidth);
    notebook->SetImageList(nullptr);
}

TEST_F(FlatNotebookTest, PaddingWidensTabsAndStrip)
{
    AddPages(1);
    notebook->SetPadding(wxSize(2, 2));
    const wxRect narrow = Strip()->GetTabRect(0);
    const int lowStrip = Strip()->GetStripHeight();
    notebook->SetPadding(wxSize(10, 10));
    EXPECT_EQ(Strip()->GetTabRect(0).width, narrow.width + 16);
    EXPECT_EQ(Strip()->GetStripHeight(), lowStrip + 8);
    EXPECT_EQ(notebook->GetPadding(), wxSize(10, 10));
}

TEST_F(FlatNotebookTest, SelectedPageFillsTheAreaBelowTheStripAndFollowsResizes)
{
    AddPages(2);
    notebook->SetSize(500, 300);
    testing_support::Flush();
    const wxRect page = notebook->GetPage(0)->GetRect();
    EXPECT_EQ(page.y, Strip()->GetStripHeight());
    EXPECT_EQ(page.width, 500);
    EXPECT_EQ(page.GetBottom(), 299);

    notebook->SetSize(320, 200);
    testing_support::Flush();
    EXPECT_EQ(notebook->GetPage(0)->GetSize(), wxSize(320, 200 - Strip()->GetStripHeight()));
    notebook->SetSelection(1);
    EXPECT_EQ(notebook->GetPage(1)->GetSize(), wxSize(320, 200 - Strip()->GetStripHeight()));
}

TEST_F(FlatNotebookTest, OverflowingTabsStayReachable)
{
    notebook->SetSize(200, 200);
    testing_support::Flush();
    AddPages(12);
    ASSERT_TRUE(Strip()->HasScrollArrows());
    EXPECT_TRUE(Strip()->GetTabRect(11).IsEmpty());

    // Selecting a hidden tab scrolls it into view.
    notebook->SetSelection(11);
    const wxRect last = Strip()->GetTabRect(11);
    ASSERT_FALSE(last.IsEmpty());
    EXPECT_LE(last.GetRight(), Strip()->GetClientSize().x);

    // The wheel and the arrows walk back to the first tab.
    const int first = Strip()->GetFirstVisibleTab();
    ASSERT_GT(first, 0);
    SendMouse(wxEVT_MOUSEWHEEL, wxPoint(5, 5), 120);
    EXPECT_EQ(Strip()->GetFirstVisibleTab(), first - 1);
    const wxPoint leftArrow(Strip()->GetClientSize().x - 24, 5);
    for (int i = 0; i < 20; ++i)
        SendMouse(wxEVT_LEFT_DOWN, leftArrow);
    EXPECT_EQ(Strip()->GetFirstVisibleTab(), 0);
    EXPECT_FALSE(Strip()->GetTabRect(0).IsEmpty());
    EXPECT_EQ(notebook->GetSelection(), 11);  // arrows scroll, they do not select

    // The right arrow stops once the last tab is in view.
    const wxPoint rightArrow(Strip()->GetClientSize().x - 8, 5);
    for (int i = 0; i < 20; ++i)
        SendMouse(wxEVT_LEFT_DOWN, rightArrow);
    EXPECT_FALSE(Strip()->GetTabRect(11).IsEmpty());
    EXPECT_LT(Strip()->GetFirstVisibleTab(), 11);

    // Widening the notebook drops the arrows.
    notebook->SetSize(3000, 200);
    testing_support::Flush();
    EXPECT_FALSE(Strip()->HasScrollArrows());
    EXPECT_EQ(Strip()->GetFirstVisibleTab(), 0);
}

TEST(FlatNotebookImageListTest, IndexesAndBounds)
{
    wxFlatNotebookImageList images;
    EXPECT_EQ(images.GetCount(), 0);
    EXPECT_FALSE(images.Get(0).IsOk());

    EXPECT_EQ(images.Add(wxBitmap(8, 8)), 0);
    EXPECT_EQ(images.Add(wxBitmap(16, 12)), 1);
    EXPECT_EQ(images.GetCount(), 2);
    EXPECT_EQ(images.Get(1).GetSize(), wxSize(16, 12));
    EXPECT_EQ(images.Get(0).GetSize(), wxSize(8, 8));
    EXPECT_FALSE(images.Get(-1).IsOk());
    EXPECT_FALSE(images.Get(2).IsOk());

    images.Clear();
    EXPECT_EQ(images.GetCount(), 0);
    EXPECT_FALSE(images.Get(0).IsOk());
}

}  // namespace
