#pragma once
// What a tab shows: a stored watchlist, a category of an exchange or a
// whole exchange.

#include <string>

#include "layout/LayoutEntries.h"

namespace layout {

/// The contents of a tab, as the tab menu asks for them.
struct TabSource
{
    int type = kStoredWatchlistTab;
    std::string watchlist;  // type 1
    std::string exchange;   // types 2 to 7
    std::string category;   // types 2 to 6

    static TabSource Watchlist(const std::string& name) { return {kStoredWatchlistTab, name, {}, {}}; }
    static TabSource Category(int type, const std::string& exchange, const std::string& category)
    {
        return {type, {}, exchange, category};
    }
    static TabSource WholeExchange(const std::string& exchange) { return {kExchangeTab, {}, exchange, {}}; }
};

}  // namespace layout
