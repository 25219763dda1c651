#include "window_rules/keyboard_focus.h"

namespace munyura::window_rules {
namespace {

constexpr std::int16_t kVirtualKeyEnter = 13;
constexpr std::int16_t kVirtualKeySpace = 32;

}  // namespace

void KeyboardFocus::NoticeStartButton(bool visible) {
  // Showing the button again on a restart does not give it the focus back.
  if (!visible) {
    button_has_focus_ = false;
    space_pressed_on_button_ = false;
  }
}

KeyRoute KeyboardFocus::KeyDown(std::int16_t virtual_key) {
  if (!button_has_focus_) {
    return KeyRoute::kToWindow;
  }
  switch (virtual_key) {
    case kVirtualKeySpace:
      // A push button goes down on Space and fires when it comes back up.
      space_pressed_on_button_ = true;
      return KeyRoute::kIgnore;
    case kVirtualKeyEnter:
      return KeyRoute::kClickStartButton;
    default:
      return KeyRoute::kIgnore;
  }
}

KeyRoute KeyboardFocus::KeyUp(std::int16_t virtual_key) {
  if (!button_has_focus_) {
    return KeyRoute::kToWindow;
  }
  if (virtual_key == kVirtualKeySpace && space_pressed_on_button_) {
    space_pressed_on_button_ = false;
    return KeyRoute::kClickStartButton;
  }
  return KeyRoute::kIgnore;
}

}  // namespace munyura::window_rules
