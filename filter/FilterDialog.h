#pragma once
// The dialog in which the user edits the filter of one tab.

#include <memory>
#include <vector>

#include "kit/ThemedDialog.h"
#include "model/FilterSet.h"

class wxComboBox;
class wxGridTableBase;
class wxStaticBox;
class wxStaticBoxSizer;
class wxTextCtrl;

/// Rows of column, condition and content; the last row is always empty and
/// turns into a filled one as soon as the user picks a column in it.
class FilterDialog : public ThemedDialog
{
public:
    /// `columns` gives the column labels; the dialog only reads it.
    FilterDialog(BoardOwner* owner, wxGridTableBase* columns, wxWindow* parent, wxWindowID id,
                 const wxString& title, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxSize(480, 360));

    /// The label of the box around the rows: the tab's name.
    void SetBoxLabel(const wxString& label);
    /// Adds one filled row per condition, in column order.
    void SetFilters(const FilterSet& filters);

    /// The set "OK" built, once; null before "OK" and after it was taken.
    std::unique_ptr<FilterSet> TakeResult() { return std::move(m_result); }

    /// One row of the dialog.
    struct Row
    {
        wxComboBox* column = nullptr;
        wxComboBox* condition = nullptr;
        wxTextCtrl* content = nullptr;
        wxButtonEx* clear = nullptr;
        std::vector<int> operators; // the operator code of each condition item after the blank one
    };
    const std::vector<Row>& FilledRows() const { return m_filled; }
    const Row& EmptyRow() const { return m_empty; }
    wxButtonEx* GetOkButton() const { return m_ok; }
    wxStaticBox* GetBox() const { return m_box; }

    /// The column id and operator code a row's choices stand for, 0 for none.
    int ColumnOf(const Row& row) const;
    static int OperatorOf(const Row& row);

private:
    void AddEmptyRow();
    Row* FindRow(const wxObject* control);
    void OfferConditionsFor(Row& row);
    void ClearRow(Row& row);
    /// Marks the rows whose content the filter cannot read and keeps "OK"
    /// disabled while there is one; the balloon tells why at `typedIn`.
    bool CheckContents(wxWindow* typedIn);
    void OnShownWithAction() override;
    void FillNewestRow();
    void MarkChanged(wxWindow* changed = nullptr);
    void OnComboChosen(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnRowsCharHook(wxKeyEvent& event);
    bool IsLastField(const wxObject* window) const;
    FilterSet::Columns BuildColumns() const;

    Row m_empty;
    wxStaticBoxSizer* m_rowsSizer = nullptr;
    wxStaticBox* m_box = nullptr;
    wxButtonEx* m_ok = nullptr;
    std::vector<Row> m_filled;
    wxGridTableBase* m_columns;
    std::vector<int> m_columnIds; // the column id of each column item after the blank one
    bool m_changed = false;
    std::unique_ptr<FilterSet> m_result;

    wxDECLARE_EVENT_TABLE();
};
