#include "watchlist/InstrumentCatalogue.h"

#include <unordered_map>

#include "layout/TreeValues.h"
#include "model/TextSearch.h"

namespace {

wxString GroupLabel(const ExchangeList& exchanges, const std::string& key)
{
    const Exchange* exchange = FindExchange(exchanges, key);
    if (!exchange)
        return layout::ToWxString(key);
    return layout::ToWxString(exchange->name) + " (" + layout::ToWxString(key) + ")";
}

}  // namespace

InstrumentCatalogue::InstrumentCatalogue(const std::vector<Instrument*>& instruments, const ExchangeList& exchanges)
{
    std::unordered_map<std::string, size_t> groupOf;
    m_entries.reserve(instruments.size());
    for (Instrument* instrument : instruments)
    {
        if (!instrument)
            continue;
        const auto [group, added] = groupOf.emplace(instrument->exchange, m_groupLabels.size());
        if (added)
            m_groupLabels.push_back(GroupLabel(exchanges, instrument->exchange));
        m_entries.push_back(Entry{instrument, group->second, FoldUtf8(instrument->code), FoldUtf8(instrument->name)});
    }
}

std::vector<InstrumentCatalogue::Group> InstrumentCatalogue::Search(const wxString& text) const
{
    const std::wstring part = FoldCase(text);
    // One character is in most names: it finds the code of that one letter.
    const auto matches = [&part](const Entry& entry)
    {
        if (part.size() == 1)
            return entry.code == part;
        return part.empty() || entry.code.find(part) != std::wstring::npos ||
               entry.name.find(part) != std::wstring::npos;
    };
    std::vector<Group> groups(m_groupLabels.size());
    for (const Entry& entry : m_entries)
        if (matches(entry))
            groups[entry.group].instruments.push_back(entry.instrument);

    std::vector<Group> shown;
    for (size_t index = 0; index < groups.size(); ++index)
        if (!groups[index].instruments.empty())
        {
            groups[index].label = m_groupLabels[index];
            shown.push_back(std::move(groups[index]));
        }
    return shown;
}
