// Test entry for suites that create windows: one application object for the
// whole run, so tests can build frames and pump the event loop.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>

namespace {

class GuiTestApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxInitAllImageHandlers();
        return true;
    }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new GuiTestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 2;
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
