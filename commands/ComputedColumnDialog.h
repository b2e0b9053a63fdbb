#pragma once
// The dialog in which the trader defines or edits a computed column.

#include <functional>
#include <vector>

#include <wx/string.h>

#include "kit/ThemedDialog.h"
#include "model/ComputedColumns.h"

class wxButtonEx;
class wxSpinCtrl;
class wxTextCtrl;

/// Name, formula and decimals of one computed column; "OK" refuses a name
/// already taken or a formula that cannot be read, telling where and why.
class ComputedColumnDialog : public ThemedDialog
{
public:
    /// Whether a name is already some other column's.
    using NameTaken = std::function<bool(const wxString& name)>;

    ComputedColumnDialog(BoardOwner* owner, wxWindow* parent, const wxString& title);

    /// Fills the fields with a column being edited.
    void SetDef(const ComputedColumnDef& def);
    void SetNameTaken(NameTaken taken) { m_nameTaken = std::move(taken); }
    /// What "OK" took: the formula with its names in English.
    const ComputedColumnDef& GetDef() const { return m_def; }
    /// Why "OK" refused last; empty when it did not.
    const wxString& GetRefusal() const { return m_refusal; }

    wxTextCtrl* GetNameField() const { return m_name; }
    wxTextCtrl* GetFormulaField() const { return m_formula; }
    wxSpinCtrl* GetDecimalsField() const { return m_decimals; }
    wxButtonEx* GetOkButton() const { return m_ok; }

private:
    void OnChanged(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void Refuse(wxWindow* field, const wxString& why);

    wxTextCtrl* m_name = nullptr;
    wxTextCtrl* m_formula = nullptr;
    wxSpinCtrl* m_decimals = nullptr;
    wxButtonEx* m_ok = nullptr;
    NameTaken m_nameTaken;
    ComputedColumnDef m_def;
    wxString m_refusal;
};
