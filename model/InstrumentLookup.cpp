#include "model/InstrumentLookup.h"

#include "model/TextSearch.h"

InstrumentLookup::InstrumentLookup(const std::vector<Instrument*>& instruments)
{
    m_entries.reserve(instruments.size());
    for (Instrument* instrument : instruments)
        if (instrument)
            m_entries.push_back(Entry{instrument, FoldUtf8(instrument->code), FoldUtf8(instrument->name)});
}

std::vector<Instrument*> InstrumentLookup::Find(const wxString& typed, size_t limit) const
{
    const std::wstring part = FoldCase(TrimmedName(typed));
    if (part.empty() || limit == 0)
        return {};
    std::vector<Instrument*> exact;
    std::vector<Instrument*> prefixed;
    std::vector<Instrument*> containing;
    // One pass: an exact code may come last in the catalogue, and a full
    // list of prefixes or names still leaves room for it.
    for (const Entry& entry : m_entries)
    {
        if (entry.code.size() >= part.size() && entry.code.compare(0, part.size(), part) == 0)
        {
            if (entry.code.size() == part.size())
                exact.push_back(entry.instrument);
            else if (prefixed.size() < limit)
                prefixed.push_back(entry.instrument);
        }
        else if (containing.size() < limit && (entry.code.find(part) != std::wstring::npos ||
                                                entry.name.find(part) != std::wstring::npos))
            containing.push_back(entry.instrument);
    }
    std::vector<Instrument*> found = std::move(exact);
    for (const auto* group : {&prefixed, &containing})
        for (Instrument* instrument : *group)
            if (found.size() < limit)
                found.push_back(instrument);
    found.resize(std::min(found.size(), limit));
    return found;
}
