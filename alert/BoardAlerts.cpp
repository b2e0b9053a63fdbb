#include "alert/BoardAlerts.h"

#include <utility>
#include <vector>

#include <wx/intl.h>
#include <wx/toplevel.h>

#include "alert/AlertIcon.h"
#include "alert/AlertNodes.h"
#include "alert/TabAlertBadges.h"
#include "board/AlertNotification.h"
#include "board/Tickerdeck.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"

namespace {

constexpr int kCascadeStep = 24;

}  // namespace

BoardAlerts::~BoardAlerts()
{
    // The manager lists records owned by m_alerts, which goes with us; a
    // repaint before the manager itself is gone must find none of them.
    if (AlertManager* manager = m_manager.get())
        for (const auto& entry : m_alerts)
            manager->ForgetAlert(entry.second.get());
    PopupMap popups = std::move(popupMap);
    popupMap.clear();
    for (auto& [instrument, popup] : popups)
        if (popup)
            popup->CloseOrphaned();
    if (m_setup)
        m_setup->CloseOrphaned();
    if (m_manager)
        m_manager->CloseOrphaned();
}

std::vector<int> BoardAlerts::Commands() const
{
    return {cmd::AlertSetup, cmd::AlertList, cmd::AlertFired};
}

void BoardAlerts::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    BoardOwner* factory = board.GetOwner();
    if (!factory)
        return;
    switch (event.GetId())
    {
    case cmd::AlertFired:
        if (const std::optional<AlertFiring> firing = ShowPopup(factory, board.GetOwnerFrame(), event))
            if (auto* badges = board.Features().FindFeature<TabAlertBadges>())
                badges->NoteFiring(firing->quote);
        break;
    case cmd::AlertSetup:
        if (Price* price = board.Tabs().CommandTargets().First(); price && price->instrument)
            OpenSetup(factory, board.GetOwnerFrame(), price->instrument);
        break;
    case cmd::AlertList:
        OpenManager(factory, board.GetOwnerFrame());
        break;
    default:
        break;
    }
}

AlertDialog* BoardAlerts::PopupOf(Instrument* instrument) const
{
    const auto entry = popupMap.find(instrument);
    if (entry == popupMap.end())
        return nullptr;
    AlertDialog* popup = entry->second.get();
    return popup && popup->IsShown() && !popup->IsClosing() ? popup : nullptr;
}

std::optional<AlertFiring> BoardAlerts::ShowPopup(BoardOwner* factory, wxWindow* owner,
                                                  const wxCommandEvent& notification)
{
    const std::optional<AlertFiring> firing = ReadNotification(m_alerts, notification);
    if (!firing)
        return firing;
    Instrument* instrument = firing->alert->instrument;

    AlertDialog* popup = PopupOf(instrument);
    if (!popup)
    {
        popup = CreatePopup(factory, owner, instrument);
        if (!HasOpenDialog(owner))
            m_bringForward(owner);
    }
    m_newestPopup = popup;
    popup->SetAlert(*firing->alert, firing->value);
    popup->ShowWithAction([this, instrument] { RemoveAlert(instrument); });
    return firing;
}

AlertDialog* BoardAlerts::CreatePopup(BoardOwner* factory, wxWindow* owner, Instrument* instrument)
{
    // A popup that is hidden but not yet gone is replaced, never reused.
    if (AlertDialog* stale = popupMap[instrument].get())
        stale->CloseOrphaned();
    auto* popup = new AlertDialog(factory, owner, wxID_ANY, _("Price Alert"), wxDefaultPosition,
                                  wxSize(280, 210));
    // Popups of several instruments would hide each other exactly; each
    // further one sits a step lower and to the right.
    int onScreen = 0;
    for (const auto& [other, shown] : popupMap)
        onScreen += other != instrument && shown && shown->IsShown();
    popup->Move(popup->GetPosition() + wxPoint(kCascadeStep, kCascadeStep) * onScreen);
    popupMap[instrument] = popup;
    popup->SetCloseHandler([this, instrument, popup] {
        const auto entry = popupMap.find(instrument);
        if (entry != popupMap.end() && entry->second.get() == popup)
            popupMap.erase(entry);
    });
    return popup;
}

void BoardAlerts::BringForward(wxWindow* owner)
{
    // Raising an active window changes nothing and may move its focus.
    if (!owner)
        return;
    if (auto* top = wxDynamicCast(wxGetTopLevelParent(owner), wxTopLevelWindow); top && top->IsActive())
        return;
    owner->Raise();
    owner->Show(true);
}

bool BoardAlerts::HasOpenDialog(const wxWindow* owner)
{
    if (!owner)
        return false;
    // A dialog that disables the owner leaves it disabled while it is open.
    if (!owner->IsEnabled())
        return true;
    for (const wxWindow* child : owner->GetChildren())
        if (child->IsTopLevel() && child->IsShown() && !dynamic_cast<const AlertDialog*>(child))
            return true;
    return false;
}

bool BoardAlerts::ReachNewestPopup()
{
    AlertDialog* popup = m_newestPopup.get();
    if (!popup || !popup->IsShown() || popup->IsClosing())
    {
        popup = nullptr;
        for (const auto& [instrument, shown] : popupMap)
            if (AlertDialog* candidate = PopupOf(instrument))
                popup = candidate;
    }
    if (!popup)
        return false;
    popup->TakeKeyboard();
    return true;
}

void BoardAlerts::BindReachKey(wxWindow& board)
{
    board.Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == AlertDialog::kReachKey && event.GetModifiers() == wxMOD_NONE &&
            ReachNewestPopup())
            return;
        event.Skip();
    });
}

void BoardAlerts::RemoveAlert(Instrument* instrument)
{
    const auto entry = m_alerts.find(instrument);
    if (entry == m_alerts.end())
        return;
    if (AlertManager* manager = m_manager.get())
        manager->ForgetAlert(entry->second.get());
    m_alerts.erase(entry);
}

PriceAlertSetup* BoardAlerts::OpenSetup(BoardOwner* factory, wxWindow* owner, Instrument* instrument)
{
    if (!instrument)
        return nullptr;
    auto* setup = new PriceAlertSetup(factory, owner, wxID_ANY, _("Setup Price Alert"), wxDefaultPosition,
                                      wxSize(340, 240));
    m_setup = setup;
    setup->SetIcon(AlertIcon());
    const auto existing = m_alerts.find(instrument);
    if (existing != m_alerts.end() && existing->second)
        setup->SetAlert(*existing->second);
    else
        setup->SetInstrument(instrument);

    setup->ShowWithAction([this, setup] {
        // Looked up again: the alert may have been disabled from a popup
        // while the dialog was open. An alert still there is edited in place.
        std::unique_ptr<PriceAlert>& record = m_alerts[setup->GetInstrument()];
        if (!record)
            record = std::make_unique<PriceAlert>();
        setup->GetAlert(*record);
    });
    return setup;
}

AlertManager* BoardAlerts::OpenManager(BoardOwner* factory, wxWindow* owner)
{
    auto* manager = new AlertManager(factory, owner, wxID_ANY, _("Price Alerts"), wxDefaultPosition,
                                     wxSize(534, 398));
    m_manager = manager;
    if (owner)
        owner->Enable(false);
    manager->SetAlerts(m_alerts);
    manager->ShowWithAction([this, manager] { manager->ApplyChanges(m_alerts); });
    return manager;
}

void BoardAlerts::LoadLayout(Tickerdeck& board, const layout::Tree& node)
{
    if (Host* host = board.GetHost())
        alert_nodes::RestoreAlerts(node, *host, m_alerts);
}

void BoardAlerts::SaveLayout(Tickerdeck& /*board*/, layout::Tree& node)
{
    alert_nodes::SaveAlerts(m_alerts, node);
}
