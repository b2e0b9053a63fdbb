#pragma once
// Per-tab filter conditions, keyed by column id.

#include <map>
#include <string>
#include <vector>

struct Price;

/// One condition of a tab filter on one column.
struct FilterCondition
{
    int condition = 0;
    std::string value;
};

/// The filter of one tab: every column's conditions must hold for a row to show.
class FilterSet
{
public:
    virtual ~FilterSet() = default;

    /// Whether the quote passes every condition; virtual so that a tab can
    /// be given a narrower rule without touching the table.
    virtual bool Accepts(const Price& price) const;

    std::map<int, std::vector<FilterCondition>> columns;
};
