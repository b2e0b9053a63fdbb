#pragma once
// Price rounding shared by the quote snapshots and the live feed.

#include <cstdint>

struct Instrument;

/// Decimals a price is kept to: the instrument's, or 5 when not given.
int PriceDecimals(int32_t instrumentDecimals);
/// Smallest price step: 10^-decimals; when decimals are not given, about a
/// ten-thousandth of the price, but never below the 5 decimals kept.
double TickSize(int32_t instrumentDecimals, double price);
/// Rounds to the instrument's decimals (5 when not given), half away from zero.
double RoundPrice(double value, int32_t instrumentDecimals);
/// Usual order size step of the instrument's market: a board lot of 100 in
/// Asian markets, round tens elsewhere.
double LotSize(const Instrument* instrument);
