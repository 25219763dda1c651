// When Timer1_Timer runs: on a fixed grid of deadlines counted from the
// window's creation, so that a late wake-up never pushes later ticks back.
#pragma once

#include <chrono>

namespace munyura::window_rules {

class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  // Tick k is due at start + k * period, k = 1, 2, ...; the period must be
  // positive (std::invalid_argument otherwise).
  TickSchedule(Clock::time_point start, Clock::duration period);

  Clock::time_point NextDeadline() const noexcept { return next_deadline_; }

  // True when a deadline has passed at `now`; the deadline then moves to the
  // first grid point after `now`. After a stall past several deadlines this
  // is true once, not once per missed tick.
  bool TakeDueTick(Clock::time_point now);

 private:
  Clock::time_point start_;
  Clock::duration period_;
  Clock::time_point next_deadline_;
};

// The wait until `deadline`, in whole milliseconds rounded up so that the
// loop never wakes before it; 0 once the deadline has passed.
int MillisecondsUntil(TickSchedule::Clock::time_point deadline,
                      TickSchedule::Clock::time_point now);

}  // namespace munyura::window_rules
