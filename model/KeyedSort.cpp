#include "model/KeyedSort.h"

#include "model/RowComparator.h"

void SortByText(std::vector<Price*>& rows, int col, bool ascending)
{
    // Comparing texts behind each quote's instrument took a million-row tab
    // seconds: every comparison followed two pointers into scattered memory.
    SortByKeysReadOnce(rows, ascending, [col](const Price* price) { return TextKey(TextSortKey(col, *price)); });
}
