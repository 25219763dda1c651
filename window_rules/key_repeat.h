// A keyboard's auto-repeat for keys held by other devices: a held key
// repeats its key-down 500 ms after the press, then every 33 ms, until it is
// let go. Each held key repeats on its own grid counted from its press, so a
// late wake-up never pushes later repeats back.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "window_rules/tick_schedule.h"

namespace munyura::window_rules {

inline constexpr std::chrono::milliseconds kFirstRepeatDelay{500};
inline constexpr std::chrono::milliseconds kRepeatInterval{33};

class KeyRepeat {
 public:
  using Clock = TickSchedule::Clock;

  // The key is held from `now`. Holding a key already held changes nothing.
  void Hold(std::int16_t key, Clock::time_point now);
  void LetGo(std::int16_t key);
  bool IsHeld(std::int16_t key) const { return held_.contains(key); }
  // The held keys, in the order of their codes.
  std::vector<std::int16_t> HeldKeys() const;

  // The earliest repeat due among the held keys; nothing when none is held.
  std::optional<Clock::time_point> NextDue() const;
  // The keys whose repeat is due at `now`, in the order of their codes. Each
  // comes once however many of its repeats were missed; its next repeat is
  // then the first grid point after `now`.
  std::vector<std::int16_t> TakeDue(Clock::time_point now);

 private:
  struct Held {
    Clock::time_point pressed;
    Clock::time_point next_repeat;
  };
  std::map<std::int16_t, Held> held_;
};

}  // namespace munyura::window_rules
