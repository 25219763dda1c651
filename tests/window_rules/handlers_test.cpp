// When handlers run and how they end: Timer1_Timer's ticks on a fixed 60 ms
// grid from the window's creation, never drifting with late wake-ups, one
// tick after a stall, a wait rounded up so that the loop never wakes early
// and spins; a run-time error ends only the handler that raised it, what it
// changed stays, one line tells the player, and the next event runs.
#include "window_rules/handler_boundary.h"
#include "window_rules/tick_schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <stdexcept>

namespace munyura::window_rules {
namespace {

using std::chrono::hours;
using std::chrono::milliseconds;
using std::chrono::nanoseconds;
using Clock = TickSchedule::Clock;

// An arbitrary moment, not on a whole millisecond, for the window's creation.
const Clock::time_point kStart = Clock::time_point{} + hours{5} + nanoseconds{123'456};

TEST(TickSchedule, TicksOnTheGridAndOnceAfterAStall) {
  const struct {
    Clock::duration wake;  // after the start
    bool ticks;
    Clock::duration next_deadline;
  } wakes[] = {
      {milliseconds{60} - nanoseconds{1}, false, milliseconds{60}},
      {milliseconds{60}, true, milliseconds{120}},
      {milliseconds{60}, false, milliseconds{120}},  // once per deadline
      {milliseconds{125}, true, milliseconds{180}},  // late: the grid, not the wake-up
      {milliseconds{567}, true, milliseconds{600}},  // a stall: one tick, no burst
      {milliseconds{567}, false, milliseconds{600}},
      {milliseconds{600}, true, milliseconds{660}},
      {milliseconds{720} - nanoseconds{1}, true, milliseconds{720}},
  };
  TickSchedule schedule(kStart, milliseconds{60});
  for (const auto& w : wakes) {
    const auto ns = nanoseconds{w.wake}.count();
    EXPECT_EQ(schedule.TakeDueTick(kStart + w.wake), w.ticks) << ns << " ns";
    EXPECT_EQ(schedule.NextDeadline(), kStart + w.next_deadline) << ns << " ns";
  }
  EXPECT_THROW(TickSchedule(kStart, Clock::duration::zero()), std::invalid_argument);
  EXPECT_THROW(TickSchedule(kStart, -milliseconds{60}), std::invalid_argument);
}

TEST(MillisecondsUntil, RoundsUpToWholeMilliseconds) {
  const struct {
    Clock::duration until_deadline;
    int expected;
  } cases[] = {
      {-milliseconds{5}, 0},  {nanoseconds{1}, 1},
      {milliseconds{1}, 1},   {milliseconds{1} + nanoseconds{1}, 2},
      {hours{1000}, INT_MAX},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MillisecondsUntil(kStart + c.until_deadline, kStart), c.expected)
        << nanoseconds{c.until_deadline}.count() << " ns";
  }
}

TEST(HandlerBoundary, ReportsTheErrorNumberMessageAndHandlerAndKeepsWhatWasDone) {
  std::ostringstream report;
  EXPECT_TRUE(RunHandler(
      "Form_Load", [] {}, report));
  // A mistake in the program is no run-time error of the game's.
  EXPECT_THROW(RunHandler(
                   "Form_Load", [] { throw std::logic_error("a mistake in the program"); }, report),
               std::logic_error);
  int changed = 0;
  EXPECT_FALSE(RunHandler(
      "Timer1_Timer",
      [&] {
        changed = 1;
        throw RuntimeError(ErrorNumber::kSubscriptOutOfRange);
      },
      report));
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(report.str(), "ムニュラ: run-time error 9 (Subscript out of range) in Timer1_Timer\n");
}

}  // namespace
}  // namespace munyura::window_rules
