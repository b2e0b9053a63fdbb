#pragma once
// The list of a board's price alerts, for editing and staged deletion.

#include <map>

#include <type_traits>  // wx/weakref.h needs it and does not include it

#include <wx/weakref.h>

#include "alert/AlertModel.h"
#include "model/PriceAlert.h"
#include "alert/PriceAlertSetup.h"
#include "kit/ThemedDialog.h"

class wxBitmapButtonEx;
class wxDataViewCtrlEx;
class wxDataViewEvent;

/// Lists the alerts; edits apply at once, deletions only when "OK" commits them.
class AlertManager : public ThemedDialog
{
public:
    static constexpr int kListId = wxID_HIGHEST + 10;

    AlertManager(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxSize(534, 398));

    /// Lists every alert of the map, in map order.
    void SetAlerts(const PriceAlertMap& alerts);
    /// Deletes the staged alerts that the map still holds.
    void ApplyChanges(PriceAlertMap& alerts);
    /// Drops every reference to a record that is about to be deleted
    /// elsewhere (a popup's "Disable"), so the list never shows a dead record.
    void ForgetAlert(const PriceAlert* alert);

    /// Opens the edit dialog for the selected row; nothing without a selection.
    void EditSelected();
    /// Asks, then stages the selected row's alert for deletion.
    void DeleteSelected();

    AlertModel* GetModel() const { return m_model.get(); }
    wxDataViewCtrlEx* GetList() const { return m_list; }
    wxBitmapButtonEx* GetEditButton() const { return m_editButton; }
    wxBitmapButtonEx* GetRemoveButton() const { return m_removeButton; }
    wxButtonEx* GetOkButton() const { return m_ok; }
    PriceAlertSetup* GetEditDialog() const { return m_editDialog.get(); }
    const std::map<Instrument*, PriceAlert*>& GetStagedDeletions() const { return m_staged; }

protected:
    void OnClosing() override;

private:
    void CreateList();
    wxSizer* MakeSideButtons();
    wxSizer* MakeButtonRow();
    /// The selected row, or -1.
    int SelectedRow() const;
    void UpdateRowButtons();
    void OnSelectionChanged(wxDataViewEvent& event);
    void OnEdit(wxCommandEvent& event);
    void OnRemove(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);

    wxDataViewCtrlEx* m_list = nullptr;
    wxObjectDataPtr<AlertModel> m_model;
    wxBitmapButtonEx* m_editButton = nullptr;
    wxBitmapButtonEx* m_removeButton = nullptr;
    wxWeakRef<PriceAlertSetup> m_editDialog;
    PriceAlert* m_editedAlert = nullptr;
    wxButtonEx* m_ok = nullptr;
    std::map<Instrument*, PriceAlert*> m_staged;  // not owned

    wxDECLARE_EVENT_TABLE();
};
