#pragma once
// The arithmetic of fitting a tab's columns: which rows to measure and how
// measured widths are stretched to the window.

#include <cstddef>
#include <utility>
#include <vector>

namespace column_fit {

/// Rows measured per column when a tab is fitted. A tab with no more rows
/// than this is measured completely.
constexpr int kFitSampleRows = 240;

/// The rows whose texts decide the column widths, ascending and distinct:
/// every row of a small tab; otherwise the rows on screen
/// (`firstVisible`..`lastVisible`, clamped), the first and the last rows, and
/// rows spread evenly in between, `limit` rows in all plus those on screen.
/// A `limit` of 0 or less measures every row.
std::vector<int> RowsToMeasure(int rowCount, int firstVisible, int lastVisible, int limit = kFitSampleRows);

/// Rows measured per column among the sampled rows that are not on screen:
/// those with the longest texts, which are the widest ones but for glyph
/// differences that a sample misses anyway.
constexpr size_t kFitCandidatesPerColumn = 8;

/// The rows of the `count` longest texts, given (text length, row) pairs;
/// of equal lengths the earlier row wins. Ascending by row.
std::vector<int> RowsWithLongestTexts(std::vector<std::pair<size_t, int>> lengths, size_t count);

/// Stretches the non-zero widths by `available` / their sum, rounding down,
/// when they sum to less than `available`; returns them unchanged otherwise.
/// Zero widths (hidden columns) stay zero.
std::vector<int> StretchToWidth(std::vector<int> widths, int available);

}  // namespace column_fit
