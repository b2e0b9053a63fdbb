#pragma once
// Starting states of quote records: a live session already under way, the
// close of a past day, or a day without trading.

#include <string>

#include "contract/Records.h"

/// Fills records from a seed price; the same inputs give the same numbers.
namespace quote_snapshot {

/// A session that has been trading for a while: open, range, bid/ask,
/// volumes and flows consistent with `last`. `time` is "HH:MM:SS".
void FillLiveSession(Price& price, double seed, const std::string& today, const std::string& time);
/// The closing state of the past day `date` ("%Y%m%d"); closing equals last.
void FillClosingDay(Price& price, double seed, const std::string& date);
/// Only the previous close: the day had no trading.
void FillNoTrading(Price& price, double seed);

/// True for a real calendar date written as "%Y%m%d".
bool IsValidDate(const std::string& date);

}  // namespace quote_snapshot
