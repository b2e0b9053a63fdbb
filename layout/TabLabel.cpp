#include "layout/TabLabel.h"

#include "layout/LayoutEntries.h"

namespace layout {

namespace {

const Category* FindCategory(const Exchange& exchange, int type, const std::string& key)
{
    const CategoryGroup* group = exchange.Group(type);
    return group ? group->Find(key) : nullptr;
}

}  // namespace

std::optional<std::string> ComposeTabLabel(const ExchangeList& exchanges, int type,
                                           const std::string& exchangeCode, const std::string& category)
{
    const Exchange* exchange = FindExchange(exchanges, exchangeCode);
    if (!exchange)
        return std::nullopt;
    if (type == kExchangeTab)
        return exchange->name + " (" + exchange->code + ")";
    if (!FindCategory(*exchange, type, category))
        return std::nullopt;
    const CategoryGroup& group = *exchange->Group(type);
    const auto name = group.displayNames.find(category);
    const std::string& shown = name == group.displayNames.end() || name->second.empty() ? category : name->second;
    return shown + " (" + exchange->code + ")";
}

const std::vector<Instrument*>* InstrumentsOfSource(const ExchangeList& exchanges, int type,
                                                    const std::string& exchangeCode, const std::string& category)
{
    const Exchange* exchange = FindExchange(exchanges, exchangeCode);
    if (!exchange)
        return nullptr;
    if (type == kExchangeTab)
        return &exchange->instruments;
    const Category* found = FindCategory(*exchange, type, category);
    return found ? &found->instruments : nullptr;
}

}  // namespace layout
