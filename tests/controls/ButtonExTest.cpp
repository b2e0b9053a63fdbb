// Push-button behaviour of the owner-drawn buttons: mouse, keyboard, dialogs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "support/EventLoop.h"
#include "support/UserInput.h"
#include "wxButtonEx.h"

namespace {

using testing_support::SendKey;
using testing_support::SendMouse;

/// The button as it is drawn now.
wxImage Snapshot(wxButtonEx* button)
{
    wxBitmap bitmap(button->GetClientSize());
    {
        wxMemoryDC dc(bitmap);
        button->Render(dc);
    }
    return bitmap.ConvertToImage();
}

/// Contrast ratio of two pixels as the accessibility guidelines define it.
double Contrast(const unsigned char* a, const unsigned char* b)
{
    const auto luminance = [](const unsigned char* rgb) {
        const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(rgb[0] / 255.0) + 0.7152 * linear(rgb[1] / 255.0) + 0.0722 * linear(rgb[2] / 255.0);
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

/// A dialog with a text field and OK and Cancel as owner-drawn buttons,
/// recording the button events it hears.
class ButtonDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog = new wxDialog(nullptr, wxID_ANY, "dialog");
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        text = new wxTextCtrl(dialog, wxID_ANY);
        ok = new wxButtonEx(dialog, wxID_OK, "OK");
        cancel = new wxButtonEx(dialog, wxID_CANCEL, "Cancel");
        sizer->Add(text);
        sizer->Add(ok);
        sizer->Add(cancel);
        dialog->SetSizerAndFit(sizer);
        dialog->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { heard.push_back(event.GetId()); });
        dialog->Show();
        testing_support::Flush();
    }
    void TearDown() override
    {
        dialog->Destroy();
        testing_support::Flush();
    }

    wxDialog* dialog = nullptr;
    wxTextCtrl* text = nullptr;
    wxButtonEx* ok = nullptr;
    wxButtonEx* cancel = nullptr;
    std::vector<int> heard;
};

TEST_F(ButtonDialog, APressAndReleaseInsideOrSpaceFiresOnceEnterAtOnceAndNothingWhileDisabled)
{
    SendMouse(ok, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    EXPECT_TRUE(heard.empty()) << "fires on release, not on press";
    EXPECT_TRUE(ok->IsPressed());
    SendMouse(ok, wxEVT_LEFT_UP, wxPoint(6, 6));
    EXPECT_EQ(heard, std::vector<int>{wxID_OK});
    EXPECT_FALSE(ok->IsPressed());
    EXPECT_FALSE(ok->HasCapture());

    SendMouse(ok, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    SendMouse(ok, wxEVT_MOTION, wxPoint(-20, 5));
    EXPECT_FALSE(ok->IsPressed()) << "leaving the button releases the press";
    SendMouse(ok, wxEVT_LEFT_UP, wxPoint(-20, 5));
    SendMouse(ok, wxEVT_LEFT_UP, wxPoint(5, 5));
    EXPECT_EQ(heard.size(), 1u);

    // Space fires on release, Enter at once.
    SendKey(ok, wxEVT_KEY_DOWN, WXK_SPACE);
    EXPECT_EQ(heard.size(), 1u);
    SendKey(ok, wxEVT_KEY_UP, WXK_SPACE);
    SendKey(ok, wxEVT_KEY_DOWN, WXK_RETURN);
    SendKey(ok, wxEVT_KEY_DOWN, WXK_NUMPAD_ENTER);
    EXPECT_EQ(heard.size(), 4u);
    SendKey(ok, wxEVT_KEY_UP, WXK_SPACE);
    EXPECT_EQ(heard.size(), 4u) << "a stray key-up without its key-down is not a press";

    // A disabled button ignores mouse and keys, and disabling cancels a press.
    heard.clear();
    ok->Disable();
    SendMouse(ok, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    SendMouse(ok, wxEVT_LEFT_UP, wxPoint(5, 5));
    SendKey(ok, wxEVT_KEY_DOWN, WXK_SPACE);
    SendKey(ok, wxEVT_KEY_UP, WXK_SPACE);
    SendKey(ok, wxEVT_KEY_DOWN, WXK_RETURN);
    EXPECT_FALSE(ok->Click());
    EXPECT_FALSE(ok->AcceptsFocus());
    EXPECT_TRUE(heard.empty());

    ok->Enable();
    SendMouse(ok, wxEVT_LEFT_DOWN, wxPoint(5, 5));
    ok->Disable();
    ok->Enable();
    SendMouse(ok, wxEVT_LEFT_UP, wxPoint(5, 5));
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(ok->Click());
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(ButtonDialog, EscapeReachesTheButtonOfTheEscapeIdWhileItCanListen)
{
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    dialog->SetEscapeId(wxID_OK);
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_EQ(heard, (std::vector<int>{wxID_CANCEL, wxID_OK}));
    dialog->SetEscapeId(wxID_NONE);
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    dialog->SetEscapeId(wxID_CANCEL);
    cancel->Disable();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    cancel->Destroy();
    testing_support::Flush();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_ESCAPE);
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(ButtonDialog, EnterActivatesTheEnabledDefaultButtonOnly)
{
    text->SetFocus();
    testing_support::Flush();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_RETURN);
    EXPECT_TRUE(heard.empty()) << "no default yet";

    ok->SetDefault();
    EXPECT_EQ(dialog->GetDefaultItem(), ok);
    if (wxWindow::FindFocus() != text)
        GTEST_SKIP() << "no keyboard focus on this display";
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_RETURN);
    cancel->SetDefault();
    EXPECT_FALSE(ok->IsDefault());
    ok->Disable();
    SendKey(dialog, wxEVT_CHAR_HOOK, WXK_RETURN);
    EXPECT_EQ(heard, (std::vector<int>{wxID_OK, wxID_CANCEL}));
}

TEST_F(ButtonDialog, TheFocusedButtonStandsOut)
{
    ok->SetNormalColour(wxColour("#2d333b"));
    ok->SetFocusedColour(wxColour("#264f78"));
    ok->SetTextColour(wxColour("#e6e6e6"));
    text->SetFocus();
    testing_support::Flush();
    const wxImage unfocused = Snapshot(ok);
    ok->SetFocus();
    testing_support::Flush();
    if (!ok->HasFocus())
        GTEST_SKIP() << "no keyboard focus on this display";
    const wxImage focused = Snapshot(ok);

    // Guidelines ask 3:1 of a focus mark against what it replaces.
    double strongest = 1;
    for (int at = 0; at < focused.GetWidth() * focused.GetHeight(); ++at)
        strongest = std::max(strongest, Contrast(focused.GetData() + 3 * at, unfocused.GetData() + 3 * at));
    EXPECT_GE(strongest, 3.0);
}

}  // namespace
