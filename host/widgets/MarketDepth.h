#pragma once
// Order-book depth made up from a quote: the feed gives only the best bid and
// ask, so the ladder shows plausible levels around them.

#include <vector>

#include "contract/Records.h"

/// One price level of the book.
struct DepthLevel
{
    double price;
    double volume;
    bool ask;
};

/// The price step of an instrument: 10^-decimals, 0.01 when not given.
double TickSize(const Instrument* instrument);

/// `levelsPerSide` asks (highest first) followed by as many bids (highest
/// first) around the quote's best prices; the same quote gives the same book.
/// Empty when the quote has no price at all.
std::vector<DepthLevel> SynthesiseDepth(const Price& price, int levelsPerSide);
