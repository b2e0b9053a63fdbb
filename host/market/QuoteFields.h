#pragma once
// Change bits of quote events: one bit per board column, shared with the
// board's table, so that only the cells that really moved flash.

#include <cstdint>

#include "contract/Records.h"

namespace quote_bit {
constexpr int Name = 0;
constexpr int StatusNote = 1;
constexpr int CaNote = 2;
constexpr int Code = 3;
constexpr int Buy = 4;
constexpr int BuyVolume = 5;
constexpr int Sell = 6;
constexpr int SellVolume = 7;
constexpr int Deals = 8;
constexpr int MoneyFlow = 9;
constexpr int High = 10;
constexpr int Low = 11;
constexpr int Last = 12;
constexpr int Change = 15;
constexpr int Open = 16;
constexpr int ChangePercent = 17;
constexpr int Closing = 18;
constexpr int PrevClose = 19;
constexpr int CumVolume = 20;
constexpr int Date = 22;
constexpr int Vwap = 23;
constexpr int Time = 26;
constexpr int TradeType = 27;
constexpr int CumValue = 28;
constexpr int Amplitude = 30;
constexpr int Exchange = 31;
}  // namespace quote_bit

/// The mask value of one bit, as the int that quote events carry.
constexpr int QuoteMask(int bit)
{
    return static_cast<int>(static_cast<uint32_t>(1) << bit);
}

/// The mask of every field that differs between two states of one record.
int ChangedFields(const Price& before, const Price& after);
