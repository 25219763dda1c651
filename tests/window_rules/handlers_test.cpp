// When handlers run and how they end: ticks on a fixed grid from the window's
// creation, waits rounded up so the loop never wakes early and spins, and a
// run-time error ending only its handler, with one line to the player.
#include "window_rules/handler_boundary.h"
#include "window_rules/tick_schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <stdexcept>

namespace munyura::window_rules {
namespace {

using namespace std::chrono_literals;
using std::chrono::nanoseconds;
using Clock = TickSchedule::Clock;

// An arbitrary moment, not on a whole millisecond, for the window's creation.
const Clock::time_point kStart = Clock::time_point{} + 5h + 123'456ns;

TEST(TickSchedule, TicksOnTheGridAndOnceAfterAStall) {
  const struct {
    Clock::duration wake;  // after the start
    bool ticks;
    Clock::duration next_deadline;
  } wakes[] = {
      {60ms - 1ns, false, 60ms}, {60ms, true, 120ms},  {60ms, false, 120ms},  // once per deadline
      {125ms, true, 180ms},  // late: the grid, not the wake-up
      {567ms, true, 600ms},  // a stall: one tick, no burst
      {567ms, false, 600ms},     {600ms, true, 660ms}, {720ms - 1ns, true, 720ms},
  };
  TickSchedule schedule(kStart, 60ms);
  for (const auto& w : wakes) {
    const auto ns = nanoseconds{w.wake}.count();
    EXPECT_EQ(schedule.TakeDueTick(kStart + w.wake), w.ticks) << ns << " ns";
    EXPECT_EQ(schedule.NextDeadline(), kStart + w.next_deadline) << ns << " ns";
  }
  EXPECT_THROW(TickSchedule(kStart, Clock::duration::zero()), std::invalid_argument);
  EXPECT_THROW(TickSchedule(kStart, -60ms), std::invalid_argument);
}

TEST(MillisecondsUntil, RoundsUpToWholeMilliseconds) {
  const struct {
    Clock::duration until_deadline;
    int expected;
  } cases[] = {{-5ms, 0}, {1ns, 1}, {1ms, 1}, {1ms + 1ns, 2}, {1000h, INT_MAX}};
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
  const auto mistake = [] { throw std::logic_error("a mistake in the program"); };
  EXPECT_THROW(RunHandler("Form_Load", mistake, report), std::logic_error);
  int changed = 0;
  const auto out_of_range = [&] {
    changed = 1;
    throw RuntimeError(ErrorNumber::kSubscriptOutOfRange);
  };
  EXPECT_FALSE(RunHandler("Timer1_Timer", out_of_range, report));
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(report.str(), "ムニュラ: run-time error 9 (Subscript out of range) in Timer1_Timer\n");
}

}  // namespace
}  // namespace munyura::window_rules
