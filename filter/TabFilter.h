#pragma once
// Putting a filter on a tab of the board, replacing it, or taking it off.

#include <memory>

#include "model/FilterSet.h"

class Tickerdeck;
class wxGridEx;

/// Makes `filter` the filter of `grid`'s tab: rows that fail it leave the
/// grid at once, the rest stay in the order of the sort column, and the tab
/// shows the filtered image. A null or empty filter takes the tab's filter
/// off and clears the image; on a tab without one it only re-sorts.
void SetTabFilter(Tickerdeck& board, wxGridEx* grid, std::unique_ptr<FilterSet> filter);
