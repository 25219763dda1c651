// Left clicks on the start button and the restart label. A click needs the
// press and the release on the same element; the button is a child window
// above everything else, so it is hit before the label.
#pragma once

#include <optional>

#include "scene/scene.h"

namespace munyura::window_rules {

enum class ClickTarget {
  kStartButton,   // run Command1_Click
  kRestartLabel,  // run Label2_Click
};

// Fed with the left mouse button only; the other buttons click nothing.
// Positions are window pixels.
class MouseClicks {
 public:
  void Press(float x, float y, const scene::Scene& scene);
  // The element clicked, judged where the elements are now: the button slides
  // between ticks.
  std::optional<ClickTarget> Release(float x, float y, const scene::Scene& scene);
  void Move(float x, float y);
  // The window lost the focus, and with it the mouse: the press clicks nothing.
  void Cancel() noexcept { pressed_on_.reset(); }

  // The button is held down by the mouse and the pointer is over it.
  bool StartButtonLooksPressed(const scene::Scene& scene) const;

 private:
  std::optional<ClickTarget> pressed_on_;
  float x_ = 0;
  float y_ = 0;
};

// The element a left press at (x, y) lands on, if any.
std::optional<ClickTarget> ClickTargetAt(float x, float y, const scene::Scene& scene);

}  // namespace munyura::window_rules
