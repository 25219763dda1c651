#include "window_rules/key_repeat.h"

namespace munyura::window_rules {

void KeyRepeat::Hold(std::int16_t key, Clock::time_point now) {
  held_.try_emplace(key, Held{now, now + kFirstRepeatDelay});
}

void KeyRepeat::LetGo(std::int16_t key) {
  held_.erase(key);
}

std::vector<std::int16_t> KeyRepeat::HeldKeys() const {
  std::vector<std::int16_t> keys;
  for (const auto& [key, held] : held_) {
    keys.push_back(key);
  }
  return keys;
}

std::optional<KeyRepeat::Clock::time_point> KeyRepeat::NextDue() const {
  std::optional<Clock::time_point> earliest;
  for (const auto& [key, held] : held_) {
    if (!earliest || held.next_repeat < *earliest) {
      earliest = held.next_repeat;
    }
  }
  return earliest;
}

std::vector<std::int16_t> KeyRepeat::TakeDue(Clock::time_point now) {
  std::vector<std::int16_t> due;
  for (auto& [key, held] : held_) {
    if (now < held.next_repeat) {
      continue;
    }
    due.push_back(key);
    const Clock::time_point first = held.pressed + kFirstRepeatDelay;
    const auto repeats_passed = (now - first) / kRepeatInterval;
    held.next_repeat = first + (repeats_passed + 1) * kRepeatInterval;
  }
  return due;
}

}  // namespace munyura::window_rules
