#pragma once
// One step of the simulated market on a single quote record.

#include <cstdint>
#include <string>

#include "market/SeededRandom.h"
#include "contract/Records.h"

/// Bounded random walk of trades and quote changes around the previous close.
class QuoteWalk
{
public:
    explicit QuoteWalk(uint32_t seed) : random_(seed) {}

    /// Moves `price` by one trade or quote change stamped with the date and
    /// time; returns the mask of the fields that changed.
    int Move(Price& price, const std::string& today, const std::string& time);

    /// Farthest a last price may stray from the previous close.
    static constexpr double kMaxDeviation = 0.10;

    SeededRandom& Random() { return random_; }

private:
    void Trade(Price& price);
    void Requote(Price& price);

    SeededRandom random_;
};
