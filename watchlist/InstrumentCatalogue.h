#pragma once
// The host's instruments grouped by exchange, searchable by code and name.

#include <string>
#include <vector>

#include <wx/string.h>

#include "contract/Records.h"

/// Every instrument of the host under its exchange, with its code and name
/// kept case-folded so that a search only compares.
class InstrumentCatalogue
{
public:
    /// An exchange with the instruments shown under it, in host order.
    struct Group
    {
        wxString label;
        std::vector<Instrument*> instruments;
    };

    /// Groups in the order the exchanges first occur among `instruments`;
    /// a group is labelled "<exchange name> (<key>)", or the bare key when
    /// `exchanges` does not know it.
    InstrumentCatalogue(const std::vector<Instrument*>& instruments, const ExchangeList& exchanges);

    /// The instruments whose code, or else name, contains `text` without
    /// regard to case; groups without any are left out. Empty text: all.
    std::vector<Group> Search(const wxString& text) const;

    size_t Size() const { return m_entries.size(); }

private:
    struct Entry
    {
        Instrument* instrument;
        size_t group;
        std::wstring code;
        std::wstring name;
    };

    std::vector<Entry> m_entries;
    std::vector<wxString> m_groupLabels;
};
