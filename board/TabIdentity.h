#pragma once
// What a tab shows: the kind of list and which one.

#include <string>

#include "layout/UnresolvedRefs.h"

/// Which rows a tab stands for (an exchange's, a category's or a stored
/// watchlist's); tabs are found by it, never by their label.
struct TabIdentity
{
    int tabType = 1;
    std::string exchange;
    std::string category;
    std::string watchlistName;
    /// What the stored watchlist holds beyond the rows the host could resolve.
    layout::UnresolvedRefs unresolved;
};
