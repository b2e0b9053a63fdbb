#include "alert/AlertModel.h"

#include <algorithm>

#include "model/AlertFormat.h"

AlertModel::~AlertModel() = default;

unsigned int AlertModel::GetColumnCount() const
{
    return ColumnCount;
}

wxString AlertModel::GetColumnType(unsigned int /*column*/) const
{
    return "string";
}

void AlertModel::GetValueByRow(wxVariant& variant, unsigned int row, unsigned int column) const
{
    const PriceAlert* alert = AlertAt(row);
    if (!alert)
        return;
    switch (column)
    {
    case InstrumentColumn:
        variant = alert->instrument ? alert_format::InstrumentText(*alert->instrument) : wxString();
        break;
    case ConditionColumn:
        if (const auto text = alert_format::ListConditionText(*alert))
            variant = *text;
        break;
    case RemarkColumn: variant = wxString::FromUTF8(alert->remark); break;
    default: variant = wxString(); break;
    }
}

bool AlertModel::SetValueByRow(const wxVariant& /*variant*/, unsigned int /*row*/, unsigned int /*column*/)
{
    return true;  // the list only shows; edits go through the setup dialog
}

unsigned int AlertModel::GetCount() const
{
    return static_cast<unsigned int>(m_alerts.size());
}

void AlertModel::Append(PriceAlert* alert)
{
    m_alerts.push_back(alert);
    RowAppended();
}

void AlertModel::RemoveRow(unsigned int row)
{
    if (row >= m_alerts.size())
        return;
    m_alerts.erase(m_alerts.begin() + row);
    RowDeleted(row);
}

void AlertModel::Clear()
{
    m_alerts.clear();
    Reset(0);
}

PriceAlert* AlertModel::AlertAt(unsigned int row) const
{
    return row < m_alerts.size() ? m_alerts[row] : nullptr;
}

int AlertModel::RowOf(const PriceAlert* alert) const
{
    const auto found = std::find(m_alerts.begin(), m_alerts.end(), alert);
    return found == m_alerts.end() ? -1 : static_cast<int>(found - m_alerts.begin());
}
