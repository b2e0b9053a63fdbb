// The quote-to-pixel benchmark's bookkeeping: which quotes a paint shows,
// when, and which leave the count.

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "bench/PixelLedger.h"
#include "contract/Records.h"

namespace {

using bench_support::Latencies;
using bench_support::PixelLedger;
using namespace std::chrono_literals;

TEST(PixelLedger, APaintShowsTheHandledQuotesItCoversRowsOffScreenLeaveTheCountAndPercentilesTakeTheNearestRank)
{
    const PixelLedger::Clock::time_point t0{};
    Price a, b, c, d;
    PixelLedger ledger(t0 + 1s);
    ledger.Posted(&a, t0 + 900ms, true);   // in the first second
    ledger.Posted(&b, t0 + 1000ms, false); // Last unchanged: nothing to show
    ledger.Posted(&a, t0 + 1002ms, true);
    ledger.Posted(&c, t0 + 1004ms, true);
    ledger.Posted(&d, t0 + 1006ms, true);
    ledger.Handled(&c);
    EXPECT_EQ(1, ledger.outOfOrder) << "c was not the next quote fed";
    for (const Price* price : {&a, &b, &a, &c})
        ledger.Handled(price);

    const std::set<const Price*> covered{&a, &b, &d}, none;
    std::set<const Price*> shown{&a, &b, &c, &d};
    const auto in = [](const std::set<const Price*>& set) { return [&set](const Price* p) { return set.count(p) > 0; }; };
    ledger.Painted(t0 + 1010ms, in(covered), in(shown));
    EXPECT_EQ(std::vector<double>{110.0}, ledger.firstSecond.samples);
    EXPECT_EQ(std::vector<double>{8.0}, ledger.steady.samples) << "d is covered but not yet handled";

    ledger.Handled(&d);
    shown.erase(&c);
    ledger.Painted(t0 + 1020ms, in(none), in(shown));
    EXPECT_EQ(1, ledger.leftScreen) << "c's row went off screen unpainted";
    ledger.CountUnpainted(t0 + 1030ms, in(shown));
    EXPECT_EQ(1, ledger.unpainted);
    EXPECT_EQ((std::vector<double>{8.0, 24.0}), ledger.steady.samples);
    EXPECT_EQ(2, ledger.paints);
    EXPECT_EQ(1, ledger.outOfOrder);

    // Percentiles take the nearest rank of the sorted samples.
    Latencies latencies{{5, 1, 3, 2, 4, 6, 9, 8, 7, 10}};
    EXPECT_EQ(10.0, latencies.Max());
    EXPECT_EQ(6.0, latencies.Percentile(0.5)) << "rank 4.5 rounds up to the sixth";
    EXPECT_EQ(10.0, latencies.Percentile(0.99));
    EXPECT_EQ(3.0, latencies.Percentile(0.25));
    EXPECT_EQ(1.0, latencies.Percentile(0.0));
    EXPECT_EQ(0.0, Latencies{}.Percentile(0.99));
    EXPECT_EQ(0.0, Latencies{}.Max());
}

}  // namespace
