// Timer1_Timer's clock: ticks on a fixed 60 ms grid from the window's
// creation, never drifting with late wake-ups, one tick after a stall.
#include "window_rules/tick_schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace munyura::window_rules {
namespace {

using std::chrono::hours;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;
using Clock = TickSchedule::Clock;

constexpr milliseconds kPeriod{60};
// An arbitrary moment, not on a whole millisecond, for the window's creation.
const Clock::time_point kStart = Clock::time_point{} + hours{5} + nanoseconds{123'456};

TEST(TickSchedule, KeepsToTheGridThroughTenThousandJitteredWakeUps) {
  TickSchedule schedule(kStart, kPeriod);
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> lateness_us(0, 5'000);
  std::uniform_real_distribution<double> chance(0, 1);

  constexpr int kTicks = 10'000;
  std::vector<Clock::time_point> ticks;
  Clock::time_point now = kStart;
  Clock::time_point previous_wake = kStart;
  bool woken_by_the_timeout = false;
  while (ticks.size() < kTicks) {
    const bool took = schedule.TakeDueTick(now);
    if (took) {
      ticks.push_back(now);
      const Clock::time_point due = kStart + static_cast<int>(ticks.size()) * kPeriod;
      ASSERT_GE(now, due) << "tick " << ticks.size() << " ran early";
      ASSERT_LT(previous_wake, due) << "tick " << ticks.size() << " ran a wake-up late";
    }
    if (woken_by_the_timeout) {
      ASSERT_TRUE(took) << "the loop woke before the deadline and would spin";
    }
    previous_wake = now;
    const int wait_ms = MillisecondsUntil(schedule.NextDeadline(), now);
    ASSERT_GT(wait_ms, 0);
    ASSERT_LE(wait_ms, 60);
    // Most wake-ups are the timeout, a little late; some are input events.
    woken_by_the_timeout = chance(random) < 0.8;
    if (woken_by_the_timeout) {
      now += milliseconds{wait_ms} + microseconds{lateness_us(random)};
    } else {
      now += microseconds{std::uniform_int_distribution<int>(0, wait_ms * 1000 - 1)(random)};
    }
  }
  const Clock::time_point last = ticks.back();
  EXPECT_EQ((last - kStart) / kPeriod, kTicks);
  EXPECT_LT(last - (kStart + kTicks * kPeriod), milliseconds{6}) << "drifted";
}

// After the first tick, due exactly 60 ms after the start, one wake-up: one
// tick, then the next point of the grid, never a burst of missed ticks.
TEST(TickSchedule, TicksOnTheGridAndOnceAfterAStall) {
  struct Case {
    std::string_view what;
    Clock::duration wake;  // after the start
    Clock::duration next_deadline;
  };
  const std::vector<Case> cases = {
      {"a 500 ms stall after tick 1", milliseconds{60 + 500 + 7}, milliseconds{600}},
      {"waking exactly on a grid point", milliseconds{600}, milliseconds{660}},
      {"waking just short of a grid point", milliseconds{600} - nanoseconds{1}, milliseconds{600}},
  };
  for (const Case& c : cases) {
    TickSchedule schedule(kStart, kPeriod);
    ASSERT_FALSE(schedule.TakeDueTick(kStart + kPeriod - nanoseconds{1}));
    ASSERT_TRUE(schedule.TakeDueTick(kStart + kPeriod));
    EXPECT_FALSE(schedule.TakeDueTick(kStart + kPeriod)) << "once per deadline";
    EXPECT_TRUE(schedule.TakeDueTick(kStart + c.wake)) << c.what;
    EXPECT_EQ(schedule.NextDeadline(), kStart + c.next_deadline) << c.what;
    EXPECT_FALSE(schedule.TakeDueTick(kStart + c.wake)) << c.what << ": no burst";
    EXPECT_FALSE(schedule.TakeDueTick(kStart + c.next_deadline - nanoseconds{1})) << c.what;
  }
  EXPECT_THROW(TickSchedule(kStart, Clock::duration::zero()), std::invalid_argument);
  EXPECT_THROW(TickSchedule(kStart, -kPeriod), std::invalid_argument);
}

TEST(MillisecondsUntil, RoundsUpToWholeMilliseconds) {
  struct Case {
    Clock::duration until_deadline;
    int expected;
  };
  const std::vector<Case> cases = {
      {-milliseconds{5}, 0},  {nanoseconds{1}, 1},
      {milliseconds{1}, 1},   {milliseconds{1} + nanoseconds{1}, 2},
      {hours{1000}, INT_MAX},
  };
  const Clock::time_point now = kStart + milliseconds{1234};
  for (const Case& c : cases) {
    EXPECT_EQ(MillisecondsUntil(now + c.until_deadline, now), c.expected)
        << nanoseconds{c.until_deadline}.count() << " ns";
  }
}

}  // namespace
}  // namespace munyura::window_rules
