#pragma once
// The read-only list model behind the alert manager.

#include <vector>

#include <wx/dataview.h>

#include "model/PriceAlert.h"

/// Rows of alerts: instrument, condition and remark. The records stay owned
/// by the board's alert map; the model only points at them.
class AlertModel : public wxDataViewVirtualListModel
{
public:
    enum Column : unsigned
    {
        InstrumentColumn = 0,
        ConditionColumn = 1,
        RemarkColumn = 2,
        ColumnCount = 3
    };

    AlertModel() = default;
    ~AlertModel() override;

    unsigned int GetColumnCount() const override;
    wxString GetColumnType(unsigned int column) const override;
    void GetValueByRow(wxVariant& variant, unsigned int row, unsigned int column) const override;
    bool SetValueByRow(const wxVariant& variant, unsigned int row, unsigned int column) override;
    unsigned int GetCount() const override;

    /// Adds a row at the end and announces it to the views.
    void Append(PriceAlert* alert);
    /// Removes a row and announces it; rows outside the list are ignored.
    void RemoveRow(unsigned int row);
    /// Forgets every alert: the list shows none.
    void Clear();
    /// The record of a row, or null outside the list.
    PriceAlert* AlertAt(unsigned int row) const;
    /// The row of a record, or -1.
    int RowOf(const PriceAlert* alert) const;

private:
    std::vector<PriceAlert*> m_alerts;
};
