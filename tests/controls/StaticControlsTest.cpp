// The self-painted label sizes itself to its text and font, unless told not to.

#include <gtest/gtest.h>

#include <wx/frame.h>

#include "support/EventLoop.h"
#include "wxStaticTextEx.h"

namespace {

TEST(StaticTextEx, GrowsWithItsTextAndFontUnlessItsSizeIsFixed)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "static");
    auto* label = new wxStaticTextEx(frame, wxID_ANY, "Ticker");
    const wxSize small = label->GetSize();
    label->SetLabel("Ticker Deck with a longer title");
    EXPECT_GT(label->GetSize().x, small.x);
    const wxSize before = label->GetSize();
    wxFont big = label->GetFont();
    big.SetPointSize(big.GetPointSize() * 2);
    label->SetFont(big);
    EXPECT_GT(label->GetSize().y, before.y);

    auto* fixed = new wxStaticTextEx(frame, wxID_ANY, "A", wxDefaultPosition, wxSize(120, 20), wxST_NO_AUTORESIZE);
    fixed->SetLabel("A label far wider than one hundred and twenty pixels surely");
    EXPECT_EQ(fixed->GetSize(), wxSize(120, 20));
    frame->Destroy();
    testing_support::Flush();
}

}  // namespace
