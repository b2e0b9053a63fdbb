#pragma once
// Finding instruments as a trader types the start of a code or a name.

#include <string>
#include <vector>

#include <wx/string.h>

#include "contract/Records.h"

/// The host's instruments with codes and names case-folded once, so that
/// each keystroke only compares.
class InstrumentLookup
{
public:
    explicit InstrumentLookup(const std::vector<Instrument*>& instruments);

    /// At most `limit` instruments for `typed`: the code itself first, then
    /// codes starting with it, then codes or names containing it (the
    /// editor's search), each group in catalogue order. Empty text: none.
    std::vector<Instrument*> Find(const wxString& typed, size_t limit = 10) const;

    size_t Size() const { return m_entries.size(); }

private:
    struct Entry
    {
        Instrument* instrument;
        std::wstring code;
        std::wstring name;
    };

    std::vector<Entry> m_entries;
};
