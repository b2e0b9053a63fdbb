#pragma once
// The alert feature of a board window: the popups of its firing alerts and
// the dialogs that set them up and list them.

#include <functional>
#include <map>
#include <optional>

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "alert/AlertDialog.h"
#include "alert/AlertManager.h"
#include "alert/PriceAlertSetup.h"
#include "board/BoardFeature.h"
#include "model/PriceAlert.h"

class BoardOwner;

/// Keeps a board's alert popups and alert dialogs in step with its alerts,
/// and handles the board's alert commands.
class BoardAlerts : public BoardFeature
{
public:
    /// The popup last shown for each instrument while it is on screen.
    using PopupMap = std::map<Instrument*, wxWeakRef<AlertDialog>>;

    /// Works on `alerts`, which must outlive this object.
    explicit BoardAlerts(PriceAlertMap& alerts) : m_alerts(alerts) {}
    /// Closes the dialogs still open: their actions refer to these alerts.
    ~BoardAlerts() override;
    BoardAlerts(const BoardAlerts&) = delete;
    BoardAlerts& operator=(const BoardAlerts&) = delete;

    PriceAlertMap& Map() { return m_alerts; }
    const PriceAlertMap& Map() const { return m_alerts; }

    /// The alert setup and list commands, and the notification of a firing alert.
    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;
    /// The alerts of the board's window node join the map.
    void LoadLayout(Tickerdeck& board, const layout::Tree& node) override;
    /// The map's alerts replace the window node's.
    void SaveLayout(Tickerdeck& board, layout::Tree& node) override;

    /// Handles a queued notification: shows a fresh popup, or refreshes the
    /// one on screen, then plays the chime. Neither takes the keyboard.
    /// `owner` is brought forward with a fresh popup only, and never while
    /// a dialog of it is open: an alert fires at every update while it
    /// holds, and raising the owner each time would close any open menu, and
    /// raising it over its own dialog would leave that dialog hidden behind
    /// a disabled window.
    /// Returns the firing it showed, none when the alert is gone.
    std::optional<AlertFiring> ShowPopup(BoardOwner* factory, wxWindow* owner, const wxCommandEvent& notification);

    /// Opens the setup dialog for `instrument`: its alert if it has one,
    /// otherwise a new one stored when "Activate" is pressed.
    PriceAlertSetup* OpenSetup(BoardOwner* factory, wxWindow* owner, Instrument* instrument);

    /// Opens the alert list with `owner` disabled until it closes.
    AlertManager* OpenManager(BoardOwner* factory, wxWindow* owner);

    /// Deletes the instrument's alert, whatever record it is at that moment.
    void RemoveAlert(Instrument* instrument);

    /// Gives the keyboard to the popup shown last; false when none is on screen.
    bool ReachNewestPopup();
    /// Lets AlertDialog::kReachKey on `board` reach the newest popup.
    void BindReachKey(wxWindow& board);

    /// The popup on screen for `instrument`, or null.
    AlertDialog* PopupOf(Instrument* instrument) const;
    const PopupMap& Popups() const { return popupMap; }
    PriceAlertSetup* OpenSetupDialog() const { return m_setup.get(); }
    AlertManager* OpenAlertManager() const { return m_manager.get(); }
    /// Replaces how the owner is brought forward (tests).
    void SetBringForward(std::function<void(wxWindow*)> bringForward) { m_bringForward = std::move(bringForward); }

private:
    AlertDialog* CreatePopup(BoardOwner* factory, wxWindow* owner, Instrument* instrument);
    static void BringForward(wxWindow* owner);
    /// True while `owner` shows a dialog other than an alert popup.
    static bool HasOpenDialog(const wxWindow* owner);

    PriceAlertMap& m_alerts;
    PopupMap popupMap;
    wxWeakRef<AlertDialog> m_newestPopup;
    wxWeakRef<PriceAlertSetup> m_setup;
    wxWeakRef<AlertManager> m_manager;
    std::function<void(wxWindow*)> m_bringForward = BringForward;
};
