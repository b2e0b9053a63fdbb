#include "model/SortKeyCache.h"

#include <utility>

#include "contract/Records.h"
#include "model/ColumnSpec.h"
#include "model/RowComparator.h"

double SortKeyCache::KeyOf(int col, const Price& price) const
{
    if (IsComputedColumn(col))
        return m_computed ? ComputedSortKey(col, price, *m_computed) : 0.0;
    return NumericSortKey(col, price);
}

void SortKeyCache::Rebuild(int col, const std::vector<Price*>& rows)
{
    m_keys.clear();
    m_keys.reserve(rows.size());
    for (const Price* price : rows)
        m_keys.push_back(KeyOf(col, *price));
    SetColumn(col);
}

void SortKeyCache::SetColumn(int col)
{
    m_column = col;
    m_field = NumericSortField(col);
}

void SortKeyCache::Invalidate()
{
    m_keys.clear();
    m_column = -1;
}

void SortKeyCache::Append(const Price& price)
{
    if (IsValid())
        m_keys.push_back(KeyOf(m_column, price));
}

void SortKeyCache::Insert(int row, const Price& price)
{
    if (IsValid())
        m_keys.insert(m_keys.begin() + row, KeyOf(m_column, price));
}

void SortKeyCache::Erase(int row)
{
    if (IsValid())
        m_keys.erase(m_keys.begin() + row);
}

void SortKeyCache::Refresh(int row, const Price& price)
{
    // Once per quote event: the field straight, when the column is one.
    if (IsValid())
        m_keys[row] = m_field ? price.*m_field : KeyOf(m_column, price);
}
