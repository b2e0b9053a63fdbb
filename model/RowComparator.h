#pragma once
// Ascending order of two quote rows by one column.

#include <string_view>

struct Price;
class ComputedColumns;

/// True when `a` sorts before `b` in ascending order of column `col`.
bool CompareRows(int col, const Price& a, const Price& b);

/// The part of `price` that `CompareRows` reads first for column `col`, for
/// loading it ahead of a comparison.
const void* SortKeyAddress(int col, const Price& price);

/// Whether column `col` orders rows by one number alone.
bool HasNumericSortKey(int col);
/// The quote's own floating-point field that is column `col`'s number, or
/// null; where set, `NumericSortKey(col, p)` is `p.*field`. Read once for a
/// column, it spares each quote the column lookup.
double Price::*NumericSortField(int col);
/// That number: for such columns `CompareRows(col, a, b)` is exactly
/// `NumericSortKey(col, a) < NumericSortKey(col, b)`.
double NumericSortKey(int col, const Price& price);
/// The sort key of computed column `col` of `computed`: its value, or for a
/// blank cell less than every number.
double ComputedSortKey(int col, const Price& price, const ComputedColumns& computed);
/// Whether column `col` orders rows by one text alone, byte by byte.
bool HasTextSortKey(int col);
/// That text: for such columns `CompareRows(col, a, b)` is exactly
/// `TextSortKey(col, a) < TextSortKey(col, b)`. It lives as long as the quote
/// and its instrument keep their texts.
std::string_view TextSortKey(int col, const Price& price);
/// Whether that text is one of the instrument's, which stay as they are
/// while the board runs: it may be read off the window's thread.
bool HasInstrumentTextKey(int col);
