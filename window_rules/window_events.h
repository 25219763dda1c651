// Every event of the window on its way to Form1's handlers, whatever the
// front end it came from: keys pass the start button's keyboard focus, mouse
// buttons make clicks only by a press and a release on the same element, and
// each handler runs to its end inside the handler boundary.
#pragma once

#include <cstdint>
#include <ostream>

#include "form1.h"
#include "window_rules/keyboard_focus.h"
#include "window_rules/mouse_clicks.h"

namespace munyura::window_rules {

// How the start button looks beyond its properties: the dotted rectangle
// while it holds the keyboard focus, sunken while it is being pressed.
struct ButtonLook {
  bool focused = false;
  bool pressed = false;
  bool operator==(const ButtonLook&) const = default;
};

class WindowEvents {
 public:
  // Run-time errors of the handlers are reported on `errors`, one line each.
  WindowEvents(Form1& form, std::ostream& errors) : form_(&form), errors_(&errors) {}

  void Load();
  void Tick();

  // Each returns whether the window may look different now.
  // Virtual-key codes and the shift state as the old platform gave them;
  // auto-repeats are presses like any other.
  bool KeyDown(std::int16_t virtual_key, std::int16_t shift);
  bool KeyUp(std::int16_t virtual_key, std::int16_t shift);
  // The left mouse button, at a position in the window's own pixels.
  bool MousePress(float x, float y);
  bool MouseRelease(float x, float y);
  bool MouseMove(float x, float y);
  // Another window took the focus: a press of the start button held by Space
  // or the mouse ends without a click.
  bool FocusLost();

  ButtonLook StartButtonLook() const;
  // The scene the events act on, for rules that click its elements.
  const scene::Scene& Scene() const noexcept { return form_->Scene(); }

 private:
  bool Key(std::int16_t virtual_key, std::int16_t shift, bool down);
  template <typename Handler>
  void Run(std::string_view name, Handler&& handler);

  Form1* form_;
  std::ostream* errors_;
  KeyboardFocus focus_;
  MouseClicks clicks_;
};

}  // namespace munyura::window_rules
