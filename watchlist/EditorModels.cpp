#include "watchlist/EditorModels.h"

#include <algorithm>

#include <wx/intl.h>

#include "kit/PngFile.h"
#include "layout/TreeValues.h"

namespace {

// Triangles that show whether an exchange is open, like a tree's expander.
const wchar_t* const kExpandedMark = L"\u25BE ";
const wchar_t* const kCollapsedMark = L"\u25B8 ";
// Instruments sit to the right of their exchange's mark.
const char* const kIndent = "    ";

wxVariant IconText(const wxString& text, const wxBitmap& icon)
{
    wxVariant value;
    value << wxDataViewIconText(text, icon.IsOk() ? wxBitmapBundle(icon) : wxBitmapBundle());
    return value;
}

}  // namespace

const wxBitmap& InstrumentIcons::For(const Instrument& instrument, bool flagFallback)
{
    const wxBitmap& asset = Load("./icon/asset/" + layout::ToWxString(instrument.assetId) + ".png");
    if (asset.IsOk() || !flagFallback)
        return asset;
    return Load("./icon/flag/" + layout::ToWxString(instrument.flag) + ".png");
}

const wxBitmap& InstrumentIcons::Load(const wxString& path)
{
    const auto known = m_bitmaps.find(path);
    if (known != m_bitmaps.end())
        return known->second;
    return m_bitmaps.emplace(path, LoadPng(path)).first->second;
}

void CatalogueModel::Show(std::vector<InstrumentCatalogue::Group> groups, bool expanded)
{
    m_groups = std::move(groups);
    m_expanded.assign(m_groups.size(), expanded);
    Flatten();
}

bool CatalogueModel::Toggle(unsigned row)
{
    if (!IsHeader(row))
        return false;
    const size_t group = m_rows[row].group;
    m_expanded[group] = !m_expanded[group];
    Flatten();
    return true;
}

void CatalogueModel::Flatten()
{
    m_rows.clear();
    for (size_t group = 0; group < m_groups.size(); ++group)
    {
        m_rows.push_back(Row{group, nullptr});
        if (m_expanded[group])
            for (Instrument* instrument : m_groups[group].instruments)
                m_rows.push_back(Row{group, instrument});
    }
    Reset(static_cast<unsigned>(m_rows.size()));
}

Instrument* CatalogueModel::InstrumentAt(unsigned row) const
{
    return row < m_rows.size() ? m_rows[row].instrument : nullptr;
}

bool CatalogueModel::IsHeader(unsigned row) const
{
    return row < m_rows.size() && !m_rows[row].instrument;
}

wxString CatalogueModel::GetColumnType(unsigned column) const
{
    return column == NameColumn ? "wxDataViewIconText" : "string";
}

void CatalogueModel::GetValueByRow(wxVariant& value, unsigned row, unsigned column) const
{
    if (row >= m_rows.size())
        return;
    const Row& shown = m_rows[row];
    if (!shown.instrument)
    {
        // The exchange's label spans the header: its mark in the code
        // column, its name in the wide one.
        const wxString mark = m_expanded[shown.group] ? kExpandedMark : kCollapsedMark;
        value = column == CodeColumn ? wxVariant(mark) : IconText(m_groups[shown.group].label, wxNullBitmap);
        return;
    }
    if (column == CodeColumn)
        value = wxString(kIndent) + layout::ToWxString(shown.instrument->code);
    else if (column == NameColumn)
        value = IconText(layout::ToWxString(shown.instrument->name), m_icons.For(*shown.instrument, true));
}

bool CatalogueModel::GetAttrByRow(unsigned row, unsigned /*column*/, wxDataViewItemAttr& attr) const
{
    if (!IsHeader(row))
        return false;
    attr.SetBold(true);
    return true;
}

bool ChosenListModel::Add(Instrument* instrument)
{
    if (!instrument || std::find(m_instruments.begin(), m_instruments.end(), instrument) != m_instruments.end())
        return false;
    // Before the unknown entries, which stay last.
    m_instruments.push_back(instrument);
    RowInserted(static_cast<unsigned>(m_instruments.size() - 1));
    return true;
}

void ChosenListModel::SetUnknown(std::vector<layout::InstrumentRef> unknown)
{
    m_unknown = std::move(unknown);
    Reset(RowCount());
}

void ChosenListModel::Assign(std::vector<Instrument*> instruments)
{
    m_instruments = std::move(instruments);
    m_instruments.erase(std::remove(m_instruments.begin(), m_instruments.end(), nullptr), m_instruments.end());
    Reset(RowCount());
}

void ChosenListModel::RemoveAt(unsigned row)
{
    if (row >= RowCount())
        return;
    if (row < m_instruments.size())
        m_instruments.erase(m_instruments.begin() + row);
    else
        m_unknown.erase(m_unknown.begin() + (row - m_instruments.size()));
    RowDeleted(row);
}

wxString ChosenListModel::GetColumnType(unsigned column) const
{
    return column == NameColumn ? "wxDataViewIconText" : "string";
}

void ChosenListModel::GetValueByRow(wxVariant& value, unsigned row, unsigned column) const
{
    if (row >= RowCount())
        return;
    if (row >= m_instruments.size())
    {
        const layout::InstrumentRef& unknown = m_unknown[row - m_instruments.size()];
        const wxString exchange = layout::ToWxString(unknown.exchange);
        const wxString code = layout::ToWxString(unknown.code);
        if (column == NameColumn)
            value << wxDataViewIconText(
                wxString::Format(_("%s:%s, not in the catalogue today"), exchange, code));
        else
            value = column == ExchangeColumn ? exchange : code;
        return;
    }
    const Instrument& instrument = *m_instruments[row];
    switch (column)
    {
    case ExchangeColumn:
        value = layout::ToWxString(instrument.exchange);
        break;
    case CodeColumn:
        value = layout::ToWxString(instrument.code);
        break;
    case NameColumn:
        value = IconText(layout::ToWxString(instrument.name), m_icons.For(instrument, false));
        break;
    default:
        value = wxString();
    }
}
