#include "window_rules/tick_schedule.h"

#include <limits>
#include <stdexcept>

namespace munyura::window_rules {

TickSchedule::TickSchedule(Clock::time_point start, Clock::duration period)
    : start_(start), period_(period), next_deadline_(start + period) {
  if (period <= Clock::duration::zero()) {
    throw std::invalid_argument("TickSchedule needs a positive period");
  }
}

bool TickSchedule::TakeDueTick(Clock::time_point now) {
  if (now < next_deadline_) {
    return false;
  }
  const auto ticks_passed = (now - start_) / period_;
  next_deadline_ = start_ + (ticks_passed + 1) * period_;
  return true;
}

int MillisecondsUntil(TickSchedule::Clock::time_point deadline,
                      TickSchedule::Clock::time_point now) {
  if (deadline <= now) {
    return 0;
  }
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
  if (wait.count() > std::numeric_limits<int>::max()) {
    return std::numeric_limits<int>::max();
  }
  return static_cast<int>(wait.count());
}

}  // namespace munyura::window_rules
