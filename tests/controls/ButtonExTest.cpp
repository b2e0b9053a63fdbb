// Push-button behaviour of the owner-drawn buttons: mouse, keyboard, dialogs.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "support/EventLoop.h"
#include "wxBitmapButtonEx.h"
#include "wxButtonEx.h"

namespace {

void SendMouse(wxWindow* window, wxEventType type, const wxPoint& at)
{
    wxMouseEvent event(type);
    event.SetPosition(at);
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

bool SendKey(wxWindow* window, wxEventType type, int keyCode)
{
    wxKeyEvent event(type);
    event.m_keyCode = keyCode;
    event.SetEventObject(window);
    return window->GetEventHandler()->ProcessEvent(event);
}

/// Counts wxEVT_BUTTON per id as the enclosing window sees them.
struct ClickCounter
{
    std::map<int, int> clicks;
    void OnButton(wxCommandEvent& event) { ++clicks[event.GetId()]; }
    int operator[](int id) { return clicks[id]; }
};

class ButtonExTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        frame = new wxFrame(nullptr, wxID_ANY, "buttons", wxDefaultPosition, wxSize(400, 300));
        panel = new wxPanel(frame);
        button = new wxButtonEx(panel, 5100, "OK", wxPoint(10, 10));
        frame->Bind(wxEVT_BUTTON, &ClickCounter::OnButton, &counter);
        frame->Show();
        testing_support::Flush();
    }

    void TearDown() override
    {
        frame->Destroy();
        testing_support::Flush();
    }

    wxFrame* frame = nullptr;
    wxPanel* panel = nullptr;
    wxButtonEx* button = nullptr;
    ClickCounter counter;
};

TEST_F(ButtonExTest, PressAndReleaseInsideFiresOnceAndPropagates)
{
    SendMouse(button, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    EXPECT_EQ(counter[5100], 0);  // fires on release, not on press
    EXPECT_TRUE(button->IsPressed());
    SendMouse(button, wxEVT_LEFT_UP, wxPoint(6, 6));
    EXPECT_EQ(counter[5100], 1);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_FALSE(button->HasCapture());
}

TEST_F(ButtonExTest, ReleaseOutsideOrWithoutPressDoesNotFire)
{
    SendMouse(button, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    SendMouse(button, wxEVT_MOTION, wxPoint(-20, 5));
    EXPECT_FALSE(button->IsPressed());
    SendMouse(button, wxEVT_LEFT_UP, wxPoint(-20, 5));
    SendMouse(button, wxEVT_LEFT_UP, wxPoint(5, 5));
    EXPECT_EQ(counter[5100], 0);
}

TEST_F(ButtonExTest, SpaceFiresOnReleaseAndEnterAtOnce)
{
    SendKey(button, wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_EQ(counter[5100], 0);
    SendKey(button, wxEVT_KEY_UP, WXK_SPACE);
    EXPECT_EQ(counter[5100], 1);

    SendKey(button, wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_EQ(counter[5100], 2);
    SendKey(button, wxEVT_KEY_DOWN, WXK_NUMPAD_ENTER);
    EXPECT_EQ(counter[5100], 3);

    // A stray key-up without its key-down is not a press.
    SendKey(button, wxEVT_KEY_UP, WXK_SPACE);
    EXPECT_EQ(counter[5100], 3);
}

TEST_F(ButtonExTest, DisabledButtonIgnoresMouseAndKeys)
{
    button->Disable();
    SendMouse(button, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    SendMouse(button, wxEVT_LEFT_UP, wxPoint(5, 5));
    SendKey(button, wxEVT_KEY_DOWN, WXK_SPACE);
    SendKey(button, wxEVT_KEY_UP, WXK_SPACE);
    SendKey(button, wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_FALSE(button->Click());
    EXPECT_EQ(counter[5100], 0);
    EXPECT_FALSE(button->AcceptsFocus());

    button->Enable();
    EXPECT_TRUE(button->Click());
    EXPECT_EQ(counter[5100], 1);
}

TEST_F(ButtonExTest, DisablingMidPressCancelsThePress)
{
    SendMouse(button, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    button->Disable();
    button->Enable();
    SendMouse(button, wxEVT_LEFT_UP, wxPoint(5, 5));
    EXPECT_EQ(counter[5100], 0);
}

TEST_F(ButtonExTest, BestSizeFollowsTheLabelWithAFloor)
{
    EXPECT_GE(button->GetBestSize().x, 75);
    EXPECT_GE(button->GetBestSize().y, 25);
    const int shortWidth = button->GetBestSize().x;
    button->SetLabel("A considerably longer label for this button");
    EXPECT_GT(button->GetBestSize().x, shortWidth);
    EXPECT_EQ(button->GetLabel(), "A considerably longer label for this button");
}

TEST_F(ButtonExTest, TabTraversalReachesTheButton)
{
    auto* text = new wxTextCtrl(panel, wxID_ANY, "", wxPoint(10, 60));
    EXPECT_TRUE(button->AcceptsFocusFromKeyboard());
    text->SetFocus();
    testing_support::Flush();
    text->Navigate(wxNavigationKeyEvent::IsBackward);
    testing_support::PumpUntil([&] { return wxWindow::FindFocus() == button; }, 1000);
    if (wxWindow::FindFocus() == nullptr)
        GTEST_SKIP() << "no keyboard focus on this display";
    EXPECT_EQ(wxWindow::FindFocus(), button);
}

/// A dialog with OK and Cancel as owner-drawn buttons, recording the buttons it hears.
class TwoButtonDialog : public wxDialog
{
public:
    TwoButtonDialog() : wxDialog(nullptr, wxID_ANY, "dialog")
    {
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        text = new wxTextCtrl(this, wxID_ANY);
        ok = new wxButtonEx(this, wxID_OK, "OK");
        cancel = new wxButtonEx(this, wxID_CANCEL, "Cancel");
        sizer->Add(text);
        sizer->Add(ok);
        sizer->Add(cancel);
        SetSizerAndFit(sizer);
        Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { heard.push_back(event.GetId()); });
    }

    wxTextCtrl* text;
    wxButtonEx* ok;
    wxButtonEx* cancel;
    std::vector<int> heard;
};

class DialogButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog = new TwoButtonDialog;
        dialog->Show();
        testing_support::Flush();
    }
    void TearDown() override
    {
        dialog->Destroy();
        testing_support::Flush();
    }
    TwoButtonDialog* dialog = nullptr;
};

TEST_F(DialogButtonTest, EscapeReachesTheCancelButton)
{
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    ASSERT_EQ(dialog->heard.size(), 1u);
    EXPECT_EQ(dialog->heard[0], wxID_CANCEL);
}

TEST_F(DialogButtonTest, EscapeFollowsTheDialogsEscapeId)
{
    dialog->SetEscapeId(wxID_OK);
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    ASSERT_EQ(dialog->heard.size(), 1u);
    EXPECT_EQ(dialog->heard[0], wxID_OK);

    dialog->heard.clear();
    dialog->SetEscapeId(wxID_NONE);
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_TRUE(dialog->heard.empty());
}

TEST_F(DialogButtonTest, DisabledCancelLeavesEscapeToTheDialog)
{
    dialog->cancel->Disable();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_TRUE(dialog->heard.empty());
}

TEST_F(DialogButtonTest, DestroyedCancelNoLongerListens)
{
    dialog->cancel->Destroy();
    testing_support::Flush();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_TRUE(dialog->heard.empty());
}

TEST_F(DialogButtonTest, EnterActivatesTheDefaultButtonOnly)
{
    dialog->text->SetFocus();
    testing_support::Flush();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_RETURN);
    EXPECT_TRUE(dialog->heard.empty());  // no default yet

    dialog->ok->SetDefault();
    EXPECT_TRUE(dialog->ok->IsDefault());
    EXPECT_EQ(dialog->GetDefaultItem(), dialog->ok);
    if (wxWindow::FindFocus() != dialog->text)
        GTEST_SKIP() << "no keyboard focus on this display";
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_RETURN);
    ASSERT_EQ(dialog->heard.size(), 1u);
    EXPECT_EQ(dialog->heard[0], wxID_OK);

    dialog->cancel->SetDefault();
    EXPECT_FALSE(dialog->ok->IsDefault());
    dialog->ok->Disable();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_RETURN);
    ASSERT_EQ(dialog->heard.size(), 2u);
    EXPECT_EQ(dialog->heard[1], wxID_CANCEL);
}

TEST(BitmapButtonExTest, DrawsAFadedGreyBitmapWhenDisabled)
{
    wxImage red(8, 8);
    red.SetRGB(wxRect(0, 0, 8, 8), 220, 30, 30);
    red.InitAlpha();
    auto* frame = new wxFrame(nullptr, wxID_ANY, "bitmap");
    auto* button = new wxBitmapButtonEx(frame, wxID_EDIT, wxBitmap(red));

    const wxImage disabled = button->GetDisabledBitmap().ConvertToImage();
    ASSERT_TRUE(disabled.IsOk());
    EXPECT_EQ(disabled.GetRed(3, 3), disabled.GetGreen(3, 3));
    EXPECT_EQ(disabled.GetGreen(3, 3), disabled.GetBlue(3, 3));
    ASSERT_TRUE(disabled.HasAlpha());
    EXPECT_LT(disabled.GetAlpha(3, 3), 255);
    EXPECT_GE(button->GetBestSize().x, 8);
    EXPECT_LT(button->GetBestSize().x, 75);  // an icon button, not a labelled one

    ClickCounter counter;
    frame->Bind(wxEVT_BUTTON, &ClickCounter::OnButton, &counter);
    SendKey(button, wxEVT_KEY_DOWN, WXK_RETURN);
    button->Disable();
    SendKey(button, wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_EQ(counter[wxID_EDIT], 1);
    frame->Destroy();
    testing_support::Flush();
}

}  // namespace

namespace {

TEST_F(DialogButtonTest, RealEscapeKeyPressReachesTheCancelButton)
{
    dialog->Raise();
    dialog->text->SetFocus();
    if (!testing_support::PumpUntil([&] { return wxWindow::FindFocus() == dialog->text; }, 1500))
        GTEST_SKIP() << "no keyboard focus on this display";
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_ESCAPE);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !dialog->heard.empty(); }, 2000));
    ASSERT_EQ(dialog->heard.size(), 1u);
    EXPECT_EQ(dialog->heard[0], wxID_CANCEL);
}

}  // namespace
