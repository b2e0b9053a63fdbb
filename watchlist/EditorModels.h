#pragma once
// The watchlist editor's two data-view models: the catalogue as a tree of
// exchanges kept as a flat list of rows, and the instruments chosen so far.

#include <map>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dataview.h>

#include "layout/LayoutEntries.h"
#include "watchlist/InstrumentCatalogue.h"

/// Icons of instruments by file, read once per editor.
class InstrumentIcons
{
public:
    /// The asset icon; the exchange flag instead when `flagFallback` and
    /// there is no asset icon. Invalid when neither file can be read.
    const wxBitmap& For(const Instrument& instrument, bool flagFallback);

private:
    const wxBitmap& Load(const wxString& path);
    std::map<wxString, wxBitmap> m_bitmaps;
};

/// The catalogue tree: a header row per exchange, followed by its
/// instruments while it is expanded. A virtual list, so that a hundred
/// thousand instruments cost the control nothing until they are on screen.
class CatalogueModel : public wxDataViewVirtualListModel
{
public:
    enum Column
    {
        CodeColumn,
        NameColumn,
        ColumnCount
    };

    /// Shows `groups`, every one expanded or every one collapsed.
    void Show(std::vector<InstrumentCatalogue::Group> groups, bool expanded);
    /// Expands or collapses the exchange of a header row; false for other rows.
    bool Toggle(unsigned row);
    bool IsExpanded(size_t group) const { return m_expanded[group]; }
    size_t GroupCount() const { return m_groups.size(); }
    unsigned RowCount() const { return static_cast<unsigned>(m_rows.size()); }
    /// The instrument of a row; null for a header row or a row out of range.
    Instrument* InstrumentAt(unsigned row) const;
    bool IsHeader(unsigned row) const;

    unsigned GetColumnCount() const override { return ColumnCount; }
    wxString GetColumnType(unsigned column) const override;
    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override;
    bool GetAttrByRow(unsigned row, unsigned column, wxDataViewItemAttr& attr) const override;
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return true; }

private:
    struct Row
    {
        size_t group;
        Instrument* instrument;  // null for the group's header
    };
    void Flatten();

    std::vector<InstrumentCatalogue::Group> m_groups;
    std::vector<bool> m_expanded;
    std::vector<Row> m_rows;
    mutable InstrumentIcons m_icons;
};

/// The instruments chosen for the watchlist, in list order.
class ChosenListModel : public wxDataViewVirtualListModel
{
public:
    enum Column
    {
        ExchangeColumn,
        CodeColumn,
        NameColumn,
        ColumnCount
    };

    /// Appends unless the list holds the instrument already; returns whether it did.
    bool Add(Instrument* instrument);
    /// Takes a whole list as it is, duplicates included.
    void Assign(std::vector<Instrument*> instruments);
    /// Lists, after the instruments, what the host does not know today, so
    /// that the user can take it out.
    void SetUnknown(std::vector<layout::InstrumentRef> unknown);
    /// Takes out the row's instrument or unknown entry.
    void RemoveAt(unsigned row);
    const std::vector<Instrument*>& Instruments() const { return m_instruments; }
    const std::vector<layout::InstrumentRef>& Unknown() const { return m_unknown; }

    unsigned GetColumnCount() const override { return ColumnCount; }
    wxString GetColumnType(unsigned column) const override;
    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override;
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return true; }

private:
    unsigned RowCount() const { return static_cast<unsigned>(m_instruments.size() + m_unknown.size()); }

    std::vector<Instrument*> m_instruments;
    std::vector<layout::InstrumentRef> m_unknown;
    mutable InstrumentIcons m_icons;
};
