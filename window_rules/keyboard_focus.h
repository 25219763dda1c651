// Who holds the keyboard focus: the start button on the first title screen,
// the window itself from the first time the button is hidden on.
#pragma once

#include <cstdint>

namespace munyura::window_rules {

// Where one key event goes.
enum class KeyRoute {
  kIgnore,            // the focused button swallows it
  kClickStartButton,  // run Command1_Click
  kToWindow,          // run Form_KeyDown / Form_KeyUp
};

class KeyboardFocus {
 public:
  // The loop reports the button's visibility after every handler it runs:
  // handlers hide the button, keys never do directly.
  void NoticeStartButton(bool visible);

  // For the dotted focus rectangle.
  bool StartButtonHasFocus() const noexcept { return button_has_focus_; }
  // Space is held on the button: it shows its pressed look.
  bool StartButtonPressedByKey() const noexcept { return space_pressed_on_button_; }

  // Every press, auto-repeats included.
  KeyRoute KeyDown(std::int16_t virtual_key);
  KeyRoute KeyUp(std::int16_t virtual_key);

  // The window lost the focus to another one: a push button lets go of a
  // press by Space without clicking. The button keeps the focus inside the
  // window for when it comes back.
  void WindowLostFocus() noexcept { space_pressed_on_button_ = false; }

 private:
  bool button_has_focus_ = true;
  bool space_pressed_on_button_ = false;
};

}  // namespace munyura::window_rules
