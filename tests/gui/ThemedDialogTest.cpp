// How every dialog holds the window it opens over (the other dialog tests
// check only which hold each dialog asks for).

#include "kit/ThemedDialog.h"
#include "support/BoardFixture.h"

namespace {

using namespace testing_support;

using Lock = ThemedDialog::ParentLock;

class ThemedDialogTest : public BoardFixture
{
protected:
    ThemedDialog* Open(Lock lock)
    {
        auto* dialog =
            new ThemedDialog(nullptr, frame, wxID_ANY, "dialog", wxDefaultPosition, wxDefaultSize, lock);
        dialog->SetCloseHandler([this] { ++closes; });
        dialog->ShowWithAction([] {});
        return dialog;
    }

    int closes = 0;
};

TEST_F(ThemedDialogTest, TheParentWaitsWhileTheDialogIsUpAsItsLockSays)
{
    ThemedDialog* dialog = Open(Lock::DisableWhileShown);
    EXPECT_FALSE(frame->IsEnabled());
    dialog->Close();
    dialog->Close();  // a second close changes nothing
    EXPECT_TRUE(frame->IsEnabled());
    EXPECT_EQ(1, closes) << "the close handler runs once";

    frame->Enable(false);  // as the opener of such a dialog does
    Open(Lock::EnableOnClose)->Close();
    EXPECT_TRUE(frame->IsEnabled());

    ThemedDialog* note = Open(Lock::Untouched);
    EXPECT_TRUE(frame->IsEnabled());
    frame->Enable(false);
    note->Close();
    EXPECT_FALSE(frame->IsEnabled()) << "a notification leaves its parent as it is";
}

}  // namespace
