#include "window_rules/held_controls.h"

#include <vector>

namespace munyura::window_rules {
namespace {

constexpr std::int16_t kNoShift = 0;

}  // namespace

bool HeldControls::PressAction(DeviceId device, Action action, Clock::time_point now) {
  return Press({device, Source::kAction, static_cast<int>(action)}, action, now);
}

bool HeldControls::ReleaseAction(DeviceId device, Action action) {
  return Release({device, Source::kAction, static_cast<int>(action)});
}

bool HeldControls::PressPadButton(DeviceId device, PadButton button, Clock::time_point now) {
  return Press({device, Source::kPadButton, static_cast<int>(button)},
               PadButtonAction(button, picker_.IsOpen()), now);
}

bool HeldControls::ReleasePadButton(DeviceId device, PadButton button) {
  return Release({device, Source::kPadButton, static_cast<int>(button)});
}

bool HeldControls::PointDirections(DeviceId device, Directions directions, Clock::time_point now) {
  const Directions before = pointed_[device];
  pointed_[device] = directions;
  bool changed = false;
  for (int d = 0; d < 4; ++d) {
    const Holder holder{device, Source::kStick, d};
    if (directions[d] && !before[d]) {
      // Direction d and the action of walking that way share their number.
      changed |= Press(holder, static_cast<Action>(d), now);
    } else if (!directions[d] && before[d]) {
      changed |= Release(holder);
    }
  }
  return changed;
}

bool HeldControls::PressLetter(DeviceId device, int letter, Clock::time_point now) {
  if (letter < 0 || letter >= kLetterCount) {
    return false;
  }
  picker_.Highlight(letter);
  Hold({device, Source::kLetter, letter}, LetterKey(letter), now);
  return true;
}

bool HeldControls::ReleaseLetter(DeviceId device, int letter) {
  return Release({device, Source::kLetter, letter});
}

bool HeldControls::Unplug(DeviceId device) {
  pointed_.erase(device);
  return ReleaseWhere([device](const Holder& holder) { return std::get<0>(holder) == device; });
}

bool HeldControls::FocusLost() {
  pointed_.clear();
  return ReleaseWhere([](const Holder&) { return true; });
}

bool HeldControls::Advance(Clock::time_point now) {
  bool changed = false;
  for (const std::int16_t key : repeat_.TakeDue(now)) {
    changed |= events_->KeyDown(key, kNoShift);
  }
  return changed;
}

bool HeldControls::Press(const Holder& holder, std::optional<Action> action,
                         Clock::time_point now) {
  if (!action || holds_.contains(holder)) {
    return false;
  }
  if (const std::optional<Direction> direction = DirectionOf(*action);
      direction && picker_.IsOpen()) {
    picker_.Move(*direction);
    return true;
  }
  if (const std::optional<std::int16_t> key = HeldKeyOf(*action)) {
    return Hold(holder, *key, now);
  }
  switch (*action) {
    case Action::kStart:
      return Click(events_->Scene().Command1());
    case Action::kRestart:
      return Click(events_->Scene().Label2());
    case Action::kPicker:
      return SetPicker(!picker_.IsOpen());
    case Action::kType:
      return picker_.IsOpen() && Hold(holder, picker_.HighlightedKey(), now);
    case Action::kClosePicker:
      return SetPicker(false);
    default:
      return false;
  }
}

bool HeldControls::Hold(const Holder& holder, std::int16_t key, Clock::time_point now) {
  holds_[holder] = key;
  if (repeat_.IsHeld(key)) {
    return false;  // another control holds it down already
  }
  repeat_.Hold(key, now);
  return events_->KeyDown(key, kNoShift);
}

bool HeldControls::Release(const Holder& holder) {
  const auto it = holds_.find(holder);
  if (it == holds_.end()) {
    return false;
  }
  const std::int16_t key = it->second;
  holds_.erase(it);
  for (const auto& [other, other_key] : holds_) {
    if (other_key == key) {
      return false;  // still held by another control
    }
  }
  repeat_.LetGo(key);
  return events_->KeyUp(key, kNoShift);
}

template <typename Which>
bool HeldControls::ReleaseWhere(Which&& which) {
  std::vector<Holder> releasing;
  for (const auto& [holder, key] : holds_) {
    if (which(holder)) {
      releasing.push_back(holder);
    }
  }
  bool changed = false;
  for (const Holder& holder : releasing) {
    changed |= Release(holder);
  }
  return changed;
}

bool HeldControls::Click(const scene::SceneControl& control) {
  if (control.Visible != kTrue) {
    return false;
  }
  const float x = control.Left + control.Width / 2;
  const float y = control.Top + control.Height / 2;
  events_->MousePress(x, y);
  events_->MouseRelease(x, y);
  return true;
}

bool HeldControls::SetPicker(bool open) {
  if (picker_.IsOpen() == open) {
    return false;
  }
  ReleaseWhere([](const Holder&) { return true; });
  if (open) {
    picker_.Open();
  } else {
    picker_.Close();
  }
  return true;
}

}  // namespace munyura::window_rules
