#pragma once
// Ascending order of two quote rows by one column.

struct Price;

/// True when `a` sorts before `b` in ascending order of column `col`.
bool CompareRows(int col, const Price& a, const Price& b);
