#pragma once
// The read-only flag dialogs of an instrument: check boxes from a panel of
// the application's XML resources, ticked for the flags a text carries.

#include <wx/string.h>

#include "kit/ThemedDialog.h"

class wxPanel;

/// A flag dialog: the resource panel `panelName` with the boxes whose label
/// occurs in the flag text ticked.
class InstrFlagsDialog : public ThemedDialog
{
public:
    InstrFlagsDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                     const wxPoint& pos, const wxSize& size, const wxString& panelName);

    /// The text the boxes are matched against; "Ok" replaces it with the
    /// labels of the ticked boxes.
    void SetFlagText(const wxString& text) { m_flagText = text; }
    const wxString& GetFlagText() const { return m_flagText; }
    /// The loaded resource panel; null when the resources have none of that name.
    wxPanel* GetFlagPanel() const { return m_panel; }

    /// Ticks every labelled check box below `window` whose label occurs in
    /// the flag text (case-sensitive), clears the others, and enables them
    /// all exactly when `readOnly` is false.
    void SetChecked(wxWindow* window, bool readOnly);
    /// Appends the labels of the ticked boxes below `window` to the flag
    /// text, separated by ";".
    void CollectChecked(wxWindow* window);

private:
    void LoadFlagPanel(const wxString& panelName);
    void ColourFlagPanel();
    void OnOk(wxCommandEvent& event);

    wxPanel* m_panel = nullptr;
    wxString m_flagText;

    wxDECLARE_EVENT_TABLE();
};

/// The trading-status flags of an instrument (panel "INSTR.STATUS").
class InstrStatusDialog : public InstrFlagsDialog
{
public:
    static constexpr const char* kPanelName = "INSTR.STATUS";

    InstrStatusDialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                      const wxPoint& pos, const wxSize& size)
        : InstrFlagsDialog(owner, parent, id, title, pos, size, kPanelName)
    {
    }
};

/// The corporate-action flags of an instrument (panel "INSTR.CA").
class InstrCADialog : public InstrFlagsDialog
{
public:
    static constexpr const char* kPanelName = "INSTR.CA";

    InstrCADialog(BoardOwner* owner, wxWindow* parent, wxWindowID id, const wxString& title,
                  const wxPoint& pos, const wxSize& size)
        : InstrFlagsDialog(owner, parent, id, title, pos, size, kPanelName)
    {
    }
};
