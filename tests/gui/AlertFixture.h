#pragma once
// A frame that owns the alert dialogs, a recording host, and a chime that
// is counted instead of played.

#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/intl.h>

#include "alert/AlertSound.h"
#include "alert/BoardAlerts.h"
#include "controls/wxButtonEx.h"
#include "plugin/Application.h"
#include "support/EventLoop.h"
#include "support/FakeHost.h"

namespace testing_support {

class AlertFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousPlayer = alert_sound::SetPlayer([this](const wxString& path) { chimes.push_back(path); });
        owner = new wxFrame(nullptr, wxID_ANY, "Owner", wxPoint(40, 40), wxSize(700, 500));
        owner->Show();
        alpha = host.AddInstrument("ALPHA");
        beta = host.AddInstrument("BETA");
        Flush();
    }

    void TearDown() override
    {
        alerts.reset();
        if (owner)
            owner->Destroy();
        Flush();
        alert_sound::SetPlayer(m_previousPlayer);
    }

    PriceAlert* AddAlert(Instrument* instrument, AlertField field, AlertComparison comparison, double threshold,
                         const std::string& remark = std::string())
    {
        auto record = std::make_unique<PriceAlert>();
        *record = PriceAlert{instrument, ToCode(field), ToCode(comparison), threshold, remark};
        PriceAlert* alert = record.get();
        alerts->Map()[instrument] = std::move(record);
        return alert;
    }

    /// Handles a notification for `alert` as the board's 7167 handler does.
    void Fire(PriceAlert* alert, double value)
    {
        alerts->ShowPopup(&application, owner, AlertFiredEvent(AlertFiring{alert, value}));
    }

    static wxButtonEx* ButtonOf(wxWindow* dialog, int id)
    {
        return wxDynamicCast(dialog->FindWindow(id), wxButtonEx);
    }

    /// Clicks a button of a dialog by its id; false when it is missing or disabled.
    static bool Click(wxWindow* dialog, int id)
    {
        wxButtonEx* button = ButtonOf(dialog, id);
        return button && button->Click();
    }

    FakeHost host;
    Application application{&host};
    std::unique_ptr<BoardAlerts> alerts = std::make_unique<BoardAlerts>();
    wxFrame* owner = nullptr;
    Instrument* alpha = nullptr;
    Instrument* beta = nullptr;
    std::vector<wxString> chimes;

private:
    alert_sound::Player m_previousPlayer;
};

/// US English number conventions for the lifetime of the object, when the
/// system has them.
class GroupingLocale
{
public:
    GroupingLocale()
    {
        if (wxLocale::IsAvailable(wxLANGUAGE_ENGLISH_US))
            m_locale = std::make_unique<wxLocale>(wxLANGUAGE_ENGLISH_US, wxLOCALE_DONT_LOAD_DEFAULT);
    }
    bool IsOk() const { return m_locale && m_locale->IsOk(); }

private:
    std::unique_ptr<wxLocale> m_locale;
};

}  // namespace testing_support
