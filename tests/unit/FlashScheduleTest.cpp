// The order in which cell flashes end, and restarts that move a flash back.

#include <chrono>

#include <gtest/gtest.h>

#include "model/FlashSchedule.h"

namespace {

using namespace std::chrono_literals;

FlashSchedule::Id Flash(int n)
{
    return static_cast<FlashSchedule::Id>(0x1000 + 0x40 * n);
}

TEST(FlashScheduleTest, FlashesEndInDeadlineOrderAndARestartMovesOneBack)
{
    FlashSchedule schedule;
    const auto t0 = FlashSchedule::Clock::now();
    EXPECT_FALSE(schedule.Next().has_value());

    schedule.Schedule(Flash(1), t0 + 1000ms);
    schedule.Schedule(Flash(2), t0 + 1200ms);
    schedule.Schedule(Flash(3), t0 + 1100ms);
    EXPECT_EQ(schedule.Next(), t0 + 1000ms);

    // The first cell changes again: its flash now ends last, and once only.
    schedule.Schedule(Flash(1), t0 + 1500ms);
    schedule.Schedule(Flash(2), t0 + 1200ms);  // unchanged: still one flash
    EXPECT_EQ(schedule.Size(), 3u);
    EXPECT_EQ(schedule.EndOf(Flash(1)), t0 + 1500ms);
    EXPECT_EQ(schedule.Next(), t0 + 1100ms);

    EXPECT_TRUE(schedule.TakeDue(t0 + 1099ms).empty());
    EXPECT_EQ(schedule.TakeDue(t0 + 1200ms), (std::vector<FlashSchedule::Id>{Flash(3), Flash(2)}));
    EXPECT_FALSE(schedule.Contains(Flash(3)));

    schedule.Cancel(Flash(1));
    schedule.Cancel(Flash(1));  // a second cancel is harmless
    EXPECT_EQ(schedule.Size(), 0u);
    EXPECT_FALSE(schedule.Next().has_value());
    EXPECT_TRUE(schedule.TakeDue(t0 + 10s).empty());
}

}  // namespace
