#pragma once
// The board stage with alert state of its own, two instruments to arm, and
// a chime that is counted instead of played.

#include <memory>
#include <vector>

#include <wx/intl.h>

#include "alert/AlertSound.h"
#include "alert/BoardAlerts.h"
#include "board/AlertNotification.h"
#include "controls/wxButtonEx.h"
#include "support/BoardFixture.h"
#include "support/UserInput.h"
#include "support/GroupingLocale.h"

namespace testing_support {

class AlertFixture : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        m_previousPlayer = alert_sound::SetPlayer([this](const wxString& path) { chimes.push_back(path); });
        owner = frame;
        alpha = host.AddInstrument("ALPHA");
        beta = host.AddInstrument("BETA");
        Flush();
    }

    void TearDown() override
    {
        alerts.reset();
        BoardFixture::TearDown();
        alert_sound::SetPlayer(m_previousPlayer);
    }

    /// Arms an alert in the test's own alert state, or in `map` (a board's).
    PriceAlert* AddAlert(Instrument* instrument, AlertField field, AlertComparison comparison, double threshold,
                         const std::string& remark = std::string(), PriceAlertMap* map = nullptr)
    {
        auto& slot = (map ? *map : alerts->Map())[instrument];
        slot = std::make_unique<PriceAlert>(
            PriceAlert{instrument, ToCode(field), ToCode(comparison), threshold, remark});
        return slot.get();
    }

    /// Handles a notification for `alert` as the board's handler does.
    void Fire(PriceAlert* alert, double value)
    {
        alerts->ShowPopup(&application, owner, AlertFiredEvent(AlertFiring{alert, value}));
    }

    static wxButtonEx* ButtonOf(wxWindow* dialog, int id) { return testing_support::ButtonOf(dialog, id); }
    static bool Click(wxWindow* dialog, int id) { return testing_support::Click(dialog, id); }

    PriceAlertMap alertMap;
    std::unique_ptr<BoardAlerts> alerts = std::make_unique<BoardAlerts>(alertMap);
    wxFrame* owner = nullptr;
    Instrument* alpha = nullptr;
    Instrument* beta = nullptr;
    std::vector<wxString> chimes;

private:
    alert_sound::Player m_previousPlayer;
};

}  // namespace testing_support
