#pragma once
// The price alerts of one board window: the records, their popups and the
// dialogs that set them up and list them.

#include <map>

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "alert/AlertDialog.h"
#include "alert/AlertManager.h"
#include "alert/AlertNotification.h"
#include "model/PriceAlert.h"
#include "alert/PriceAlertSetup.h"

class BoardOwner;
class wxEvtHandler;

/// Owns a board's alerts and keeps its popups and alert dialogs in step with them.
class BoardAlerts
{
public:
    /// The popup last shown for each instrument while it is on screen.
    using PopupMap = std::map<Instrument*, wxWeakRef<AlertDialog>>;

    BoardAlerts() = default;
    /// Closes the dialogs still open: their actions refer to these alerts.
    ~BoardAlerts();
    BoardAlerts(const BoardAlerts&) = delete;
    BoardAlerts& operator=(const BoardAlerts&) = delete;

    PriceAlertMap& Map() { return alertMap; }
    const PriceAlertMap& Map() const { return alertMap; }

    /// Queues the alert notification to `board` when the update fires the
    /// alert of the quote's instrument; true when it did.
    bool Evaluate(wxEvtHandler& board, const Price& quote, uint32_t changeMask) const;

    /// Handles a queued notification: shows a fresh popup, or refreshes the
    /// one on screen, then plays the chime. `owner` is brought forward.
    void ShowPopup(BoardOwner* factory, wxWindow* owner, const wxCommandEvent& notification);

    /// Opens the setup dialog for `instrument`: its alert if it has one,
    /// otherwise a new one stored when "Activate" is pressed.
    PriceAlertSetup* OpenSetup(BoardOwner* factory, wxWindow* owner, Instrument* instrument);

    /// Opens the alert list with `owner` disabled until it closes.
    AlertManager* OpenManager(BoardOwner* factory, wxWindow* owner);

    /// Deletes the instrument's alert, whatever record it is at that moment.
    void RemoveAlert(Instrument* instrument);

    /// The popup on screen for `instrument`, or null.
    AlertDialog* PopupOf(Instrument* instrument) const;
    const PopupMap& Popups() const { return popupMap; }
    PriceAlertSetup* OpenSetupDialog() const { return m_setup.get(); }
    AlertManager* OpenAlertManager() const { return m_manager.get(); }

private:
    AlertDialog* CreatePopup(BoardOwner* factory, wxWindow* owner, Instrument* instrument);
    static void BringForward(wxWindow* owner);

    PriceAlertMap alertMap;
    PopupMap popupMap;
    wxWeakRef<PriceAlertSetup> m_setup;
    wxWeakRef<AlertManager> m_manager;
};
