// What the alert dialogs look like on screen: each one is painted in the
// theme, not in the toolkit's default colours. With TICKERDECK_SHOTS set to a
// folder the captures are kept there as PNG files for a human to look at.
//
// Reading pixels back from the screen is only dependable for the first
// windows a process shows, so these run on request, one per process:
//   board_tests --gtest_also_run_disabled_tests --gtest_filter=AlertLooks.DISABLED_Popup*

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/textctrl.h>

#include "AlertFixture.h"
#include "alert/AlertDialog.h"
#include "alert/AlertManager.h"
#include "alert/PriceAlertSetup.h"

namespace {

using testing_support::AlertFixture;
using testing_support::Flush;
using testing_support::GroupingLocale;
using testing_support::RunFor;

class AlertLooks : public AlertFixture
{
protected:
    void TearDown() override
    {
        AlertFixture::TearDown();
        RunFor(200);  // let the server drop the windows before the next capture
    }

    /// The dialog as it is on screen, saved when a shot folder is given.
    wxImage Capture(wxWindow* dialog, const wxString& name)
    {
        dialog->Raise();
        RunFor(300);
        dialog->Update();
        const wxRect area = dialog->GetScreenRect();
        wxBitmap bitmap(area.GetSize(), 24);
        {
            wxScreenDC screen;
            wxMemoryDC memory(bitmap);
            memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
        }
        wxImage image = bitmap.ConvertToImage();
        wxString folder;
        if (wxGetEnv("TICKERDECK_SHOTS", &folder) && !folder.empty())
            image.SaveFile(wxFileName(folder, name + ".png").GetFullPath(), wxBITMAP_TYPE_PNG);
        return image;
    }

    /// Share of the pixels that have exactly `colour`.
    static double ShareOf(const wxImage& image, const wxColour& colour)
    {
        const unsigned char* data = image.GetData();
        const long pixels = static_cast<long>(image.GetWidth()) * image.GetHeight();
        long matching = 0;
        for (long i = 0; i < pixels; ++i)
            matching += data[3 * i] == colour.Red() && data[3 * i + 1] == colour.Green() &&
                        data[3 * i + 2] == colour.Blue();
        return pixels ? static_cast<double>(matching) / pixels : 0.0;
    }

    void AddSamples()
    {

        alpha->name = "Alpha Mining";
        beta->name = "Beta Rail Holdings";
        beta->decimals = 3;
        AddAlert(alpha, AlertField::Last, AlertComparison::AtMost, 12.6, "cut losses");
        AddAlert(beta, AlertField::BuyVol, AlertComparison::AtLeast, 1500, "size on the bid");
    }
};

TEST_F(AlertLooks, DISABLED_SetupDialogIsPaintedInTheTheme)
{
    GroupingLocale locale;
    AddSamples();
    PriceAlertSetup* setup = alerts->OpenSetup(&application, owner, alpha);
    const wxImage shot = Capture(setup, "alert-setup");
    EXPECT_GT(ShareOf(shot, host.theme.background), 0.3);
    EXPECT_GT(ShareOf(shot, host.theme.button), 0.005) << "the Activate button is drawn in the theme";
}

TEST_F(AlertLooks, DISABLED_PopupIsPaintedInTheTheme)
{
    GroupingLocale locale;
    AddSamples();
    Fire(alerts->Map()[beta].get(), 1600);
    AlertDialog* popup = alerts->PopupOf(beta);
    ASSERT_NE(nullptr, popup);
    const wxImage shot = Capture(popup, "alert-popup");
    EXPECT_GT(ShareOf(shot, host.theme.background), 0.3);
    EXPECT_GT(ShareOf(shot, host.theme.button), 0.01);
}

TEST_F(AlertLooks, DISABLED_ManagerListIsPaintedInTheTheme)
{
    GroupingLocale locale;
    AddSamples();
    AlertManager* manager = alerts->OpenManager(&application, owner);
    const wxImage shot = Capture(manager, "alert-manager");
    EXPECT_GT(ShareOf(shot, host.theme.background) + ShareOf(shot, host.theme.cellBackground), 0.5);
}

}  // namespace
